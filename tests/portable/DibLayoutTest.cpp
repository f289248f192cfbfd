#include "portable/DibLayout.h"
#include "LayoutTestBytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <utility>

namespace {

constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kAlphaBitFields = 6;

struct Header {
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bitCount = 24;
    uint32_t compression = kRgb;
    uint32_t sizeImage = 0;
    uint32_t colorsUsed = 0;
    uint32_t size = 40;   // 108 and 124 get a zeroed V4 or V5 tail
};

LeBytes Dib(const Header& h)
{
    LeBytes bytes;
    bytes.U32(h.size).I32(h.width).I32(h.height).U16(1).U16(h.bitCount).U32(h.compression)
        .U32(h.sizeImage).I32(2835).I32(2835).U32(h.colorsUsed).U32(0);
    return bytes.Zeros(h.size - 40);
}

} // namespace

TEST(DibLayout, RowsArePaddedToWholeDwords)
{
    // 3 pixels of 24 bits are 9 bytes, stored as 12.
    auto dib = Dib({.width = 3, .height = 2}).Zeros(24);
    auto layout = ReadDibLayout(dib);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->bitsOffset, 40u);
    EXPECT_EQ(layout->bitsSize, 24u);
    EXPECT_EQ(layout->colorCount, 0u);
}

TEST(DibLayout, BitsOneByteShortGiveNoPicture)
{
    auto dib = Dib({.width = 3, .height = 2}).Zeros(23);
    EXPECT_FALSE(ReadDibLayout(dib));
}

TEST(DibLayout, TrailingBytesAfterTheBitsAreAllowed)
{
    // Memory blocks are often rounded up by the allocator.
    auto dib = Dib({.width = 1, .height = 1, .bitCount = 32}).Zeros(4 + 12);
    auto layout = ReadDibLayout(dib);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->bitsSize, 4u);
}

TEST(DibLayout, TopDownHeightCountsItsAbsoluteValue)
{
    auto dib = Dib({.width = 1, .height = -3, .bitCount = 32}).Zeros(12);
    auto layout = ReadDibLayout(dib);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->height, -3);
    EXPECT_EQ(layout->bitsSize, 12u);
    EXPECT_FALSE(ReadDibLayout(Dib({.width = 1, .height = -4, .bitCount = 32}).Zeros(12)));
}

TEST(DibLayout, SixteenBitBitFieldsHaveThreeMasksBeforeTheBits)
{
    auto dib = Dib({.width = 2, .height = 1, .bitCount = 16, .compression = kBitFields})
                   .U32(0xF800).U32(0x07E0).U32(0x001F).Zeros(4);
    auto layout = ReadDibLayout(dib);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->colorCount, 3u);
    EXPECT_EQ(layout->bitsOffset, 52u);
    EXPECT_FALSE(ReadDibLayout(Dib({.width = 2, .height = 1, .bitCount = 16, .compression = kBitFields})
                                   .Zeros(12 + 3)));
}

TEST(DibLayout, BitFieldMasksComeBeforeAnyColoursUsed)
{
    auto dib = Dib({.width = 1, .height = 1, .bitCount = 32, .compression = kBitFields, .colorsUsed = 2})
                   .Zeros(5 * 4 + 4);
    auto layout = ReadDibLayout(dib);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->bitsOffset, 60u);
}

TEST(DibLayout, AlphaBitFieldsHaveFourMasks)
{
    auto dib = Dib({.width = 1, .height = 1, .bitCount = 32, .compression = kAlphaBitFields}).Zeros(16 + 4);
    auto layout = ReadDibLayout(dib);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->bitsOffset, 56u);
    EXPECT_EQ(layout->bitsSize, 4u);
}

TEST(DibLayout, BitFieldsAfterAV5HeaderStillSkipThreeMasks)
{
    auto dib = Dib({.width = 1, .height = 1, .bitCount = 32, .compression = kBitFields, .size = 124})
                   .Zeros(12 + 4);
    auto layout = ReadDibLayout(dib);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->headerSize, 124u);
    EXPECT_EQ(layout->bitsOffset, 136u);
}

TEST(DibLayout, V4AndV5HeadersPutTheBitsAfterTheirOwnSize)
{
    for (uint32_t size : {108u, 124u}) {
        auto dib = Dib({.width = 1, .height = 1, .bitCount = 32, .size = size}).Zeros(4);
        auto layout = ReadDibLayout(dib);
        ASSERT_TRUE(layout) << size;
        EXPECT_EQ(layout->bitsOffset, size);
    }
}

TEST(DibLayout, PalettedBitmapsDefaultToAFullTable)
{
    auto eight = ReadDibLayout(Dib({.width = 4, .height = 1, .bitCount = 8}).Zeros(256 * 4 + 4));
    ASSERT_TRUE(eight);
    EXPECT_EQ(eight->colorCount, 256u);
    EXPECT_EQ(eight->bitsOffset, 40u + 1024u);

    auto four = ReadDibLayout(Dib({.width = 8, .height = 1, .bitCount = 4}).Zeros(16 * 4 + 4));
    ASSERT_TRUE(four);
    EXPECT_EQ(four->colorCount, 16u);
}

TEST(DibLayout, ColoursUsedShortensThePalette)
{
    auto layout = ReadDibLayout(Dib({.width = 4, .height = 1, .bitCount = 8, .colorsUsed = 3}).Zeros(12 + 4));
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->colorCount, 3u);
    EXPECT_EQ(layout->bitsOffset, 52u);
}

TEST(DibLayout, MonochromeAlwaysHasTwoEntries)
{
    auto layout = ReadDibLayout(Dib({.width = 1, .height = 1, .bitCount = 1, .colorsUsed = 1}).Zeros(8 + 4));
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->colorCount, 2u);
}

TEST(DibLayout, TwentyFourBitTableIsOnlyColoursUsed)
{
    auto layout = ReadDibLayout(Dib({.width = 1, .height = 1, .colorsUsed = 2}).Zeros(8 + 4));
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->bitsOffset, 48u);
}

TEST(DibLayout, PaletteLargerThanTheBitCountAllowsGivesNoPicture)
{
    EXPECT_FALSE(ReadDibLayout(Dib({.width = 4, .height = 1, .bitCount = 8, .colorsUsed = 257})
                                   .Zeros(257 * 4 + 4)));
    EXPECT_FALSE(ReadDibLayout(Dib({.width = 8, .height = 1, .bitCount = 4, .colorsUsed = 17})
                                   .Zeros(17 * 4 + 4)));
}

TEST(DibLayout, HugeColoursUsedDoesNotWrap)
{
    EXPECT_FALSE(ReadDibLayout(Dib({.width = 1, .height = 1, .colorsUsed = 0xFFFFFFFF}).Zeros(64)));
    EXPECT_FALSE(ReadDibLayout(Dib({.width = 1, .height = 1, .bitCount = 32, .compression = kBitFields,
                                    .colorsUsed = 0xFFFFFFFF}).Zeros(64)));
}

TEST(DibLayout, CompressedBitsAreSizedByTheHeader)
{
    auto layout = ReadDibLayout(Dib({.width = 100, .height = 100, .bitCount = 8, .compression = kRle8,
                                     .sizeImage = 10, .colorsUsed = 2}).Zeros(8 + 10));
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->bitsOffset, 48u);
    EXPECT_EQ(layout->bitsSize, 10u);
}

TEST(DibLayout, CompressedBitsMustBeSizedAndPresent)
{
    const Header rle{.width = 2, .height = 2, .bitCount = 8, .compression = kRle8, .colorsUsed = 1};
    Header zero = rle;
    EXPECT_FALSE(ReadDibLayout(Dib(zero).Zeros(4 + 16)));
    Header past = rle;
    past.sizeImage = 17;
    EXPECT_FALSE(ReadDibLayout(Dib(past).Zeros(4 + 16)));
    Header huge = rle;
    huge.sizeImage = 0xFFFFFFFF;
    EXPECT_FALSE(ReadDibLayout(Dib(huge).Zeros(4 + 16)));
}

TEST(DibLayout, ThirtyNineBytesGiveNoPicture)
{
    LeBytes bytes;
    bytes.U32(40).I32(1).I32(1).U16(1).U16(1).Zeros(39 - 16);
    EXPECT_FALSE(ReadDibLayout(bytes));
    EXPECT_FALSE(ReadDibLayout(LeBytes{}));
}

TEST(DibLayout, HeaderSizeBeyondTheBytesGivesNoPicture)
{
    EXPECT_FALSE(ReadDibLayout(Dib({.width = 1, .height = 1, .bitCount = 32}).SetU32(0, 124).Zeros(4)));
    EXPECT_FALSE(ReadDibLayout(Dib({.width = 1, .height = 1, .bitCount = 32}).SetU32(0, 0xFFFFFFFF).Zeros(4)));
}

TEST(DibLayout, CoreHeaderIsNotRead)
{
    // BITMAPCOREHEADER: 16-bit width and height, RGBTRIPLE table.
    LeBytes core;
    core.U32(12).U16(1).U16(1).U16(1).U16(24).Zeros(64);
    EXPECT_FALSE(ReadDibLayout(core));
}

TEST(DibLayout, EmptyOrNegativeSizesGiveNoPicture)
{
    const std::initializer_list<std::pair<int32_t, int32_t>> sizes{
        {0, 1}, {1, 0}, {-1, 1}, {INT32_MIN, 1}, {1, INT32_MIN}};
    for (auto [width, height] : sizes) {
        auto dib = Dib({.width = width, .height = height, .bitCount = 32}).Zeros(64);
        EXPECT_FALSE(ReadDibLayout(dib)) << width << " x " << height;
    }
}

TEST(DibLayout, OverflowingGeometryGivesNoPicture)
{
    // Stride near 2^45 times 2^31 rows would wrap a 64-bit product.
    EXPECT_FALSE(ReadDibLayout(Dib({.width = INT32_MAX, .height = INT32_MAX, .bitCount = 0xFFFF}).Zeros(64)));
    EXPECT_FALSE(ReadDibLayout(Dib({.width = INT32_MAX, .height = -INT32_MAX, .bitCount = 32}).Zeros(64)));
    // A product that does fit in 64 bits but not in the bytes.
    EXPECT_FALSE(ReadDibLayout(Dib({.width = 0x10000, .height = 0x10000, .bitCount = 32}).Zeros(64)));
}

TEST(DibLayout, BitCountZeroWithoutCompressionHasNoBits)
{
    EXPECT_FALSE(ReadDibLayout(Dib({.width = 1, .height = 1, .bitCount = 0}).Zeros(64)));
}

TEST(DibLayout, AlphaIsReadOnlyFromByteMasksAndSomeVisiblePixel)
{
    // Red, green, blue and alpha masks at offsets 40 to 52, then one pixel.
    const auto withMasks = [](LeBytes bytes, uint32_t alphaMask, uint32_t pixel) {
        bytes.SetU32(40, 0x00FF0000).SetU32(44, 0x0000FF00).SetU32(48, 0x000000FF).SetU32(52, alphaMask);
        return bytes.U32(pixel);
    };
    const LeBytes v5 = Dib({.bitCount = 32, .compression = kBitFields, .size = 124}).Zeros(12);
    const LeBytes four = Dib({.bitCount = 32, .compression = kAlphaBitFields}).Zeros(16);
    const LeBytes three = Dib({.bitCount = 32, .compression = kBitFields}).Zeros(16);
    const struct {
        const char* name;
        LeBytes bytes;
        bool alpha;
    } cases[] = {
        {"V5 header", withMasks(v5, 0xFF000000, 0x80112233), true},
        {"alpha bit fields", withMasks(four, 0xFF000000, 0x01000000), true},
        {"all alpha zero", withMasks(four, 0xFF000000, 0x00FFFFFF), false},
        {"no alpha mask", withMasks(four, 0, 0xFF000000), false},
        {"three masks after a 40-byte header", withMasks(three, 0xFF000000, 0xFF000000), false},
        {"24 bits", Dib({.bitCount = 24}).U32(0xFFFFFFFF), false},
    };
    for (const auto& c : cases) {
        const auto layout = ReadDibLayout(c.bytes);
        ASSERT_TRUE(layout) << c.name;
        EXPECT_EQ(HasAlphaChannel(*layout, c.bytes), c.alpha) << c.name;
    }
}

TEST(DibLayout, AV5ProfileMustLieInsideTheBytesUnlessNoneIsNamed)
{
    constexpr uint32_t kLinked = 0x4C494E4B;
    constexpr uint32_t kEmbedded = 0x4D424544;
    struct Case {
        uint32_t headerSize;
        uint32_t type;
        uint32_t offset;
        uint32_t size;
        bool outside;
    };
    // 124 header bytes, 4 of pixel bits and 16 of profile: 144 in all.
    const Case cases[] = {
        {124, kEmbedded, 128, 16, false},
        {124, kLinked, 128, 16, false},
        {124, kEmbedded, 129, 16, true},
        {124, kEmbedded, 0xFFFFFFFF, 2, true},
        {124, kLinked, 16, 0xFFFFFFF0, true},
        {124, kDibColorSpaceSrgb, 0xFFFFFFFF, 0xFFFFFFFF, false},
        {108, kEmbedded, 0xFFFFFFFF, 0xFFFFFFFF, false},  // a V4 header has no profile fields
    };
    for (const Case& c : cases) {
        LeBytes bytes = Dib({.size = c.headerSize}).Zeros(4 + 16);
        bytes.SetU32(56, c.type);
        if (c.headerSize == 124)
            bytes.SetU32(112, c.offset).SetU32(116, c.size);
        const auto layout = ReadDibLayout(bytes);
        ASSERT_TRUE(layout) << c.offset;
        EXPECT_EQ(HasProfileOutside(*layout, bytes), c.outside) << c.type << " " << c.offset << " " << c.size;
    }
}
