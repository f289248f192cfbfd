// Bitmap headers and colour tables: the layout lies inside the bytes, a
// bitmap said to have alpha has all its 32-bit rows there, and a profile
// passed as inside is.
#include "FuzzSupport.h"
#include "portable/DibLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ByteSpan bytes(data, size);
    const auto dib = ReadDibLayout(bytes);
    if (!dib)
        return 0;
    Require(dib->headerSize >= 40 && dib->headerSize == *ReadU32(bytes, 0));
    Require(dib->width > 0 && dib->height != 0 && dib->height != INT32_MIN);
    Require(dib->bitCount > 8 || dib->colorCount <= (uint64_t{1} << dib->bitCount));
    Require(dib->bitsOffset == dib->headerSize + 4 * dib->colorCount);
    Require(dib->bitsSize > 0 && Fits(bytes, dib->bitsOffset, dib->bitsSize));
    if (HasAlphaChannel(*dib, bytes)) {
        const uint64_t rows = dib->height < 0 ? -int64_t{dib->height} : dib->height;
        Require(dib->bitCount == 32 && Fits(bytes, dib->bitsOffset, 4 * static_cast<uint64_t>(dib->width) * rows));
    }
    if (dib->headerSize >= 124 && !HasProfileOutside(*dib, bytes)) {
        const uint32_t type = *ReadU32(bytes, kDibColorSpaceOffset);
        Require((type != 0x4C494E4B && type != 0x4D424544) || Fits(bytes, *ReadU32(bytes, 112), *ReadU32(bytes, 116)));
    }
    return 0;
}
