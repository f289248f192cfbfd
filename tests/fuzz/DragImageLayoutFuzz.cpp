// Drag images: the pixels lie inside the bytes after the header chosen, and
// walking up from scan0 by the stride covers exactly them.
#include "FuzzSupport.h"
#include "portable/DragImageLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ByteSpan bytes(data, size);
    const auto image = ReadDragImageLayout(bytes);
    if (!image)
        return 0;
    Require(image->width > 0 && image->height > 0);
    Require(image->headerSize == 24 || image->headerSize == 32);
    const uint64_t rowSize = 4 * static_cast<uint64_t>(image->width);
    const uint64_t pixelBytes = rowSize * static_cast<uint64_t>(image->height);
    Require(Fits(bytes, image->headerSize, pixelBytes));
    Require(image->headerSize == 32 || !Fits(bytes, 32, pixelBytes));
    Require(image->stride == -static_cast<int64_t>(rowSize));
    Require(image->scan0Offset == image->headerSize + pixelBytes - rowSize && Fits(bytes, image->scan0Offset, rowSize));
    return 0;
}
