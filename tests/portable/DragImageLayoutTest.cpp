#include "portable/DragImageLayout.h"
#include "LayoutTestBytes.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// cx, cy, then the rest of a header of `headerSize` bytes and `pixelBytes`
// bytes of pixels, each pixel's bytes holding its stored index.
LeBytes DragImage(int32_t cx, int32_t cy, size_t headerSize, size_t pixelBytes)
{
    LeBytes bytes;
    bytes.I32(cx).I32(cy).Zeros(headerSize - 8);
    for (size_t i = 0; i < pixelBytes; ++i)
        bytes.U8(static_cast<uint8_t>(i / 4));
    return bytes;
}

} // namespace

TEST(DragImageLayout, ExactlyTheThirtyTwoByteHeaderAndPixels)
{
    auto layout = ReadDragImageLayout(DragImage(3, 2, 32, 24));
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->width, 3);
    EXPECT_EQ(layout->height, 2);
    EXPECT_EQ(layout->headerSize, 32u);
}

TEST(DragImageLayout, ExactlyTheTwentyFourByteHeaderAndPixels)
{
    auto layout = ReadDragImageLayout(DragImage(3, 2, 24, 24));
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->headerSize, 24u);
}

TEST(DragImageLayout, TwentyThreeBytesBeforeThePixelsAreTooFew)
{
    EXPECT_FALSE(ReadDragImageLayout(DragImage(3, 2, 23, 24)));
}

TEST(DragImageLayout, BetweenTheTwoSizesTheShortHeaderIsChosen)
{
    auto layout = ReadDragImageLayout(DragImage(3, 2, 31, 24));
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->headerSize, 24u);
}

TEST(DragImageLayout, SurplusBytesChooseTheLongHeader)
{
    auto layout = ReadDragImageLayout(DragImage(3, 2, 32, 24 + 100));
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->headerSize, 32u);
}

TEST(DragImageLayout, Scan0AndStrideShowTheLastStoredRowOnTop)
{
    // Stored rows: 0 = pixels 0..2 (bottom), 1 = pixels 3..5 (top).
    const LeBytes bytes = DragImage(3, 2, 32, 24);
    auto layout = ReadDragImageLayout(bytes);
    ASSERT_TRUE(layout);
    const auto& raw = bytes.Vector();
    auto pixel = [&](int x, int y) {
        const int64_t at = static_cast<int64_t>(layout->scan0Offset) + int64_t{y} * layout->stride + 4 * x;
        return raw.at(static_cast<size_t>(at));
    };
    EXPECT_EQ(pixel(0, 0), 3);
    EXPECT_EQ(pixel(2, 0), 5);
    EXPECT_EQ(pixel(0, 1), 0);
    EXPECT_EQ(pixel(2, 1), 2);
    EXPECT_EQ(layout->stride, -12);
}

TEST(DragImageLayout, NonPositiveSizesGiveNoPicture)
{
    // Two negative sizes make a positive product; they must still be refused.
    EXPECT_FALSE(ReadDragImageLayout(DragImage(-2, -2, 32, 16)));
    EXPECT_FALSE(ReadDragImageLayout(DragImage(-2, 2, 32, 16)));
    EXPECT_FALSE(ReadDragImageLayout(DragImage(0, 2, 32, 16)));
    EXPECT_FALSE(ReadDragImageLayout(DragImage(2, 0, 32, 16)));
    EXPECT_FALSE(ReadDragImageLayout(DragImage(INT32_MIN, INT32_MIN, 32, 16)));
}

TEST(DragImageLayout, HugeSizesGiveNoPicture)
{
    EXPECT_FALSE(ReadDragImageLayout(DragImage(INT32_MAX, INT32_MAX, 32, 16)));
    // A row of 2^31 bytes does not fit a 32-bit stride.
    EXPECT_FALSE(ReadDragImageLayout(DragImage(0x20000000, 1, 32, 16)));
}

TEST(DragImageLayout, ShortHeaderGivesNoPicture)
{
    LeBytes bytes;
    bytes.I32(1).U16(1);
    EXPECT_FALSE(ReadDragImageLayout(bytes));
    EXPECT_FALSE(ReadDragImageLayout(LeBytes{}));
}
