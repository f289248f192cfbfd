#include "CheckPieces.h"
#include "LayoutTestBytes.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

constexpr auto E = FindingSeverity::Error;
constexpr auto W = FindingSeverity::Warning;
constexpr auto N = FindingSeverity::Note;
constexpr uint32_t kRle8 = 1, kBitFields = 3;

struct Header {
    int32_t width = 2;
    int32_t height = 2;
    uint16_t planes = 1;
    uint16_t bitCount = 32;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    uint32_t colorsUsed = 0;
    uint32_t size = 40;
};

LeBytes Dib(const Header& h)
{
    LeBytes bytes;
    bytes.U32(h.size).I32(h.width).I32(h.height).U16(h.planes).U16(h.bitCount).U32(h.compression)
        .U32(h.sizeImage).I32(2835).I32(2835).U32(h.colorsUsed).U32(0);
    return bytes.Zeros(h.size - 40);
}

// A one-row V5 bitmap whose masks name 8-bit red, green, blue and alpha.
LeBytes V5(std::initializer_list<uint32_t> pixels, bool copiedMasks = false)
{
    LeBytes bytes = Dib({.width = static_cast<int32_t>(pixels.size()), .height = 1, .compression = kBitFields,
                         .size = 124});
    bytes.SetU32(40, 0xFF0000).SetU32(44, 0xFF00).SetU32(48, 0xFF).SetU32(52, 0xFF000000).SetU32(56, 0x73524742);
    if (copiedMasks)
        bytes.U32(0xFF0000).U32(0xFF00).U32(0xFF);
    for (uint32_t pixel : pixels)
        bytes.U32(pixel);
    return bytes;
}

struct Row {
    const char* name;
    LeBytes bytes;
    FindingList expected;
    CheckKind kind = CheckKind::Dib;
};

void ExpectRows(const std::vector<Row>& rows)
{
    for (const Row& row : rows)
        EXPECT_EQ(CheckInPieces(row.kind, row.bytes), row.expected) << row.name;
}

} // namespace

TEST(DibChecks, HeaderAndDimensions)
{
    ExpectRows({
        {"unknown header size", Dib({.size = 64}).Zeros(16), {{"dib.header", E, "unknown", 0, 4, {"64"}}}},
        {"cut header", LeBytes{}.U32(40).Zeros(26), {{"dib.header", E, "short", 0, 30, {"30", "40"}}}},
        {"no header size", LeBytes{}.U16(40).U8(0), {{"dib.header", E, "short", 0, 3, {"3", "12"}}}},
        {"40-byte header as CF_DIBV5", Dib({}).Zeros(16), {{"dib.not-v5", W, "", 0, 4, {"40"}}},
         CheckKind::DibV5},
        {"core header", LeBytes{}.U32(12).U16(2).U16(2).U16(1).U16(24).Zeros(16),
         {{"dib.core-header", W, "", 0, 12}}},
        {"cut core header", LeBytes{}.U32(12).U16(2), {{"dib.header", E, "short", 0, 6, {"6", "12"}}}},
        {"width 0", Dib({.width = 0}).Zeros(16), {{"dib.dimensions", E, "width", 4, 4, {"0"}}}},
        {"height 0", Dib({.height = 0}), {{"dib.dimensions", E, "height", 8, 4, {"0"}}}},
        {"two planes", Dib({.planes = 2}).Zeros(16), {{"dib.dimensions", E, "planes", 12, 2, {"2"}}}},
        {"bit count 3", Dib({.bitCount = 3}).Zeros(16), {{"dib.dimensions", E, "bit-count", 14, 2, {"3"}}}},
        {"bit count 0 uncompressed", Dib({.bitCount = 0}), {{"dib.dimensions", E, "bit-count-zero", 14, 2}}},
        {"257 colours of 8 bits", Dib({.bitCount = 8, .colorsUsed = 257}).Zeros(1032),
         {{"dib.dimensions", E, "colors-used", 32, 4, {"257", "8"}}}},
        {"256 colours of 8 bits", Dib({.bitCount = 8, .colorsUsed = 256}).Zeros(1032), {}},
        {"top-down", Dib({.height = -2}).Zeros(16), {{"dib.top-down", N, "", 8, 4}}},
    });
}

TEST(DibChecks, CompressionSizesAndProfile)
{
    const Header rle{.bitCount = 8, .compression = kRle8, .sizeImage = 4, .colorsUsed = 2};
    Header topDownRle = rle;
    topDownRle.height = -2;
    Header unsized = rle;
    unsized.sizeImage = 0;
    LeBytes profile = V5({0xFF000000, 0xFF000000}).SetU32(56, 0x4D424544).SetU32(112, 132).SetU32(116, 5);
    ExpectRows({
        {"compression 7", Dib({.compression = 7}).Zeros(16), {{"dib.compression", E, "unknown", 16, 4, {"7"}}}},
        {"RLE8 of 4 bits", Dib({.bitCount = 4, .compression = kRle8, .sizeImage = 4}).Zeros(68),
         {{"dib.compression", E, "bit-count", 16, 4, {"BI_RLE8", "4"}}}},
        {"RLE8 of 8 bits", Dib(rle).Zeros(12), {}},
        {"top-down RLE8", Dib(topDownRle).Zeros(12),
         {{"dib.top-down", N, "", 8, 4}, {"dib.compression", E, "top-down", 16, 4, {"BI_RLE8"}}}},
        {"masks cut", Dib({.compression = kBitFields}).U32(0xFF0000).U32(0xFF00),
         {{"dib.compression", E, "no-masks", 40, 8, {"BI_BITFIELDS"}}}},
        {"masks whole", Dib({.compression = kBitFields}).U32(0xFF0000).U32(0xFF00).U32(0xFF).Zeros(16), {}},
        {"last row cut", Dib({}).Zeros(15), {{"dib.short", E, "", 55, 0, {"56", "55"}}}},
        {"colour table cut", Dib({.bitCount = 8}).Zeros(100), {{"dib.short", E, "", 140, 0, {"1072", "140"}}}},
        {"size image without padding", Dib({.width = 3, .height = 1, .bitCount = 24, .sizeImage = 9}).Zeros(12),
         {{"dib.size-image", W, "mismatch", 20, 4, {"9", "12"}}}},
        {"size image with padding", Dib({.width = 3, .height = 1, .bitCount = 24, .sizeImage = 12}).Zeros(12), {}},
        {"RLE8 without size", Dib(unsized).Zeros(12), {{"dib.size-image", W, "zero", 20, 4, {"BI_RLE8"}}}},
        {"profile past the end", LeBytes(profile).U32(0), {{"dib.profile", E, "", 112, 8, {"132", "5"}}}},
        {"profile inside", LeBytes(profile).U32(0).U8(0), {}},
    });
}

TEST(DibChecks, AlphaOfThirtyTwoBitPixels)
{
    ExpectRows({
        {"alpha all 0", V5({0x00102030, 0}), {{"dib.alpha-empty", W, "", 124, 8}}},
        {"alpha all 0 with no alpha mask", LeBytes(V5({0x00102030, 0})).SetU32(52, 0), {}},
        {"colour above alpha", V5({0x80402010, 0x10FF0000}), {{"dib.alpha-straight", N, "", 128, 4}}},
        {"premultiplied", V5({0x80402010, 0x10100000}), {}},
        {"premultiplied after copied masks", V5({0xFF402010, 0}, true), {}},
        {"straight after copied masks", V5({0xFF402010, 0x01FFFFFF}, true), {{"dib.alpha-straight", N, "", 140, 4}}},
    });
}

TEST(DibChecks, TypicalBitmapsHaveNoFinding)
{
    ExpectRows({
        {"Paint's 24 bits", Dib({.width = 3, .bitCount = 24, .sizeImage = 24}).Zeros(24), {}},
        {"32 bits with an unused fourth byte", Dib({}).U32(0x00FFFFFF).U32(0x00102030).Zeros(8), {}},
        {"8 bits with a full palette", Dib({.width = 4, .height = 1, .bitCount = 8}).Zeros(1024 + 4), {}},
        {"V5 as Windows makes it", V5({0xFF000000, 0x80808080, 0}, true), {}, CheckKind::DibV5},
    });
}
