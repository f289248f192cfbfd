#include "portable/ByteReaderLayout.h"
#include "LayoutTestBytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();

} // namespace

TEST(ByteReaderLayout, FitsNeverWraps)
{
    LeBytes bytes;
    bytes.Zeros(10);
    const ByteSpan span = bytes;
    EXPECT_TRUE(Fits(span, 10, 0));
    EXPECT_TRUE(Fits(span, 6, 4));
    EXPECT_FALSE(Fits(span, 7, 4));
    EXPECT_FALSE(Fits(span, 11, 0));
    EXPECT_FALSE(Fits(span, kMax, 2));
    EXPECT_FALSE(Fits(span, 2, kMax));
}

TEST(ByteReaderLayout, CheckedMulRefusesWrapping)
{
    const uint64_t big = uint64_t{1} << 32;
    EXPECT_EQ(CheckedMul(big, big - 1), big * (big - 1));
    EXPECT_FALSE(CheckedMul(big, big));
    EXPECT_EQ(CheckedMul(0, kMax), 0u);
}

TEST(ByteReaderLayout, ReadsLittleEndianAndSignedValues)
{
    LeBytes bytes;
    bytes.U8(0x01).U32(0x80000002).U16(0xBEEF).U64(0x1122334455667788);
    const ByteSpan span = bytes;
    EXPECT_EQ(ReadU32(span, 1), 0x80000002u);
    EXPECT_EQ(ReadI32(span, 1), INT32_MIN + 2);
    EXPECT_EQ(ReadU16(span, 5), 0xBEEF);
    EXPECT_EQ(ReadU64(span, 7), 0x1122334455667788u);
    EXPECT_FALSE(ReadU64(span, 8));
    EXPECT_FALSE(ReadU16(span, kMax));
}

TEST(ByteReaderLayout, TerminatedStringStopsAtLimitOrEnd)
{
    LeBytes bytes;
    bytes.Utf16(u"ab").U16(0).Utf16(u"c");
    const ByteSpan span = bytes;

    auto first = ReadTerminated<char16_t>(span, 0, 10);
    EXPECT_EQ(first.text, u"ab");
    EXPECT_TRUE(first.terminated);
    EXPECT_EQ(first.end, 6u);

    auto limited = ReadTerminated<char16_t>(span, 0, 1);
    EXPECT_EQ(limited.text, u"a");
    EXPECT_FALSE(limited.terminated);

    auto last = ReadTerminated<char16_t>(span, 6, 10);
    EXPECT_EQ(last.text, u"c");
    EXPECT_FALSE(last.terminated);
    EXPECT_EQ(last.end, 8u);

    auto odd = ReadTerminated<char16_t>(span, 7, 10);
    EXPECT_TRUE(odd.text.empty());
    EXPECT_FALSE(odd.terminated);
}
