#include "portable/DibLayout.h"

#include <cstdint>

namespace {

constexpr uint32_t kMinHeaderSize = 40;

constexpr uint32_t kRgb = 0;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kAlphaBitFields = 6;

bool IsUncompressed(uint32_t compression)
{
    return compression == kRgb || compression == kBitFields || compression == kAlphaBitFields;
}

// Entries between the header and the bits. The masks of the bit-field
// compressions count as entries: they are stored where the table would be.
uint64_t ColorCount(uint16_t bitCount, uint32_t compression, uint32_t colorsUsed)
{
    if (bitCount == 16 || bitCount == 32) {
        if (compression == kBitFields)
            return uint64_t{3} + colorsUsed;
        if (compression == kAlphaBitFields)
            return uint64_t{4} + colorsUsed;
        if (compression != kRgb)
            return 0;
    }
    return DibPaletteEntries(bitCount, colorsUsed);
}

std::optional<uint64_t> UncompressedSize(const DibLayout& dib)
{
    const uint64_t rows = static_cast<uint32_t>(dib.height < 0 ? -dib.height : dib.height);
    return DibRowsSize(static_cast<uint32_t>(dib.width), rows, dib.bitCount);
}

} // namespace

uint64_t DibPaletteEntries(uint16_t bitCount, uint32_t colorsUsed)
{
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return colorsUsed != 0 ? colorsUsed : 16;
    case 8:
        return colorsUsed != 0 ? colorsUsed : 256;
    case 16:
    case 24:
    case 32:
        return colorsUsed;
    default:
        return 0;
    }
}

// The width is below 2^32 and the bit count below 2^16, so only the product
// with the rows can overflow.
std::optional<uint64_t> DibRowsSize(uint32_t width, uint64_t rows, uint16_t bitCount)
{
    const uint64_t stride = (uint64_t{width} * bitCount + 31) / 32 * 4;
    return CheckedMul(stride, rows);
}

std::optional<DibLayout> ReadDibLayout(ByteSpan bytes)
{
    if (bytes.size() < kMinHeaderSize)
        return std::nullopt;

    DibLayout dib;
    dib.headerSize = *ReadU32(bytes, 0);
    dib.width = *ReadI32(bytes, 4);
    dib.height = *ReadI32(bytes, 8);
    dib.planes = *ReadU16(bytes, 12);
    dib.bitCount = *ReadU16(bytes, 14);
    dib.compression = *ReadU32(bytes, 16);
    const uint32_t sizeImage = *ReadU32(bytes, 20);
    const uint32_t colorsUsed = *ReadU32(bytes, 32);

    if (dib.headerSize < kMinHeaderSize || dib.headerSize > bytes.size())
        return std::nullopt;
    // INT32_MIN is refused so that the height can always be negated.
    if (dib.width <= 0 || dib.height == 0 || dib.height == INT32_MIN)
        return std::nullopt;
    // A palette longer than the pixel values can index is not a bitmap the
    // graphics libraries agree on.
    if (dib.bitCount <= 8 && dib.bitCount != 0 && colorsUsed > (uint32_t{1} << dib.bitCount))
        return std::nullopt;

    dib.colorCount = ColorCount(dib.bitCount, dib.compression, colorsUsed);
    dib.bitsOffset = dib.headerSize + 4 * dib.colorCount;   // below 2^36: cannot wrap
    if (IsUncompressed(dib.compression)) {
        auto size = UncompressedSize(dib);
        if (!size)
            return std::nullopt;
        dib.bitsSize = *size;
    } else {
        dib.bitsSize = sizeImage;
    }
    if (dib.bitsSize == 0 || !Fits(bytes, dib.bitsOffset, dib.bitsSize))
        return std::nullopt;
    return dib;
}

bool HasAlphaChannel(const DibLayout& dib, ByteSpan bytes)
{
    // Masks at offsets 40 to 52: inside a header of 56 bytes or more, or
    // right after a 40-byte header for BI_ALPHABITFIELDS.
    constexpr uint32_t kMasksEnd = 56;
    const bool masksPresent = (dib.compression == kBitFields && dib.headerSize >= kMasksEnd) ||
                              dib.compression == kAlphaBitFields;
    if (dib.bitCount != 32 || !masksPresent || !Fits(bytes, 40, 16))
        return false;
    if (ReadU32(bytes, 40) != 0x00FF0000u || ReadU32(bytes, 44) != 0x0000FF00u ||
        ReadU32(bytes, 48) != 0x000000FFu || ReadU32(bytes, 52) != 0xFF000000u)
        return false;
    for (uint64_t alpha = dib.bitsOffset + 3; alpha < dib.bitsOffset + dib.bitsSize; alpha += 4)
        if (bytes[alpha] != 0)
            return true;
    return false;
}

bool HasProfileOutside(const DibLayout& dib, ByteSpan bytes)
{
    constexpr uint32_t kV5HeaderSize = 124;
    if (dib.headerSize < kV5HeaderSize)
        return false;
    const uint32_t type = *ReadU32(bytes, kDibColorSpaceOffset);
    if (type != kDibProfileLinked && type != kDibProfileEmbedded)
        return false;
    return !Fits(bytes, *ReadU32(bytes, kDibProfileOffset), *ReadU32(bytes, kDibProfileOffset + 4));
}
