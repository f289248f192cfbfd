#include "portable/DragImageLayout.h"

#include <limits>

namespace {

constexpr uint64_t kHeader64 = 32;
constexpr uint64_t kHeader32 = 24;
constexpr uint64_t kBytesPerPixel = 4;

} // namespace

std::optional<DragImageLayout> ReadDragImageLayout(ByteSpan bytes)
{
    auto cx = ReadI32(bytes, 0);
    auto cy = ReadI32(bytes, 4);
    if (!cx || !cy || *cx <= 0 || *cy <= 0)
        return std::nullopt;
    const uint64_t rowSize = kBytesPerPixel * static_cast<uint64_t>(*cx);
    if (rowSize > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        return std::nullopt;
    // Below 2^31 * 2^31: no overflow.
    const uint64_t pixelBytes = rowSize * static_cast<uint64_t>(*cy);

    DragImageLayout image;
    if (Fits(bytes, kHeader64, pixelBytes))
        image.headerSize = kHeader64;
    else if (Fits(bytes, kHeader32, pixelBytes))
        image.headerSize = kHeader32;
    else
        return std::nullopt;
    image.width = *cx;
    image.height = *cy;
    image.scan0Offset = image.headerSize + pixelBytes - rowSize;
    image.stride = -static_cast<int32_t>(rowSize);
    return image;
}
