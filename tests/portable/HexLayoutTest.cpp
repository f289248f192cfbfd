#include "portable/HexLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::wstring Line(const CHexLayout& layout, int64_t line, std::vector<uint8_t> bytes)
{
    std::wstring text;
    layout.FormatLine(line, bytes, text);
    return text;
}

struct DigitsCase {
    uint64_t size;
    int digits;
    int64_t lines;
};

class HexLayoutDigits : public ::testing::TestWithParam<DigitsCase> {};

}

TEST_P(HexLayoutDigits, FollowTheTotalSize)
{
    const CHexLayout layout(GetParam().size, 16);
    EXPECT_EQ(layout.OffsetDigits(), GetParam().digits);
    EXPECT_EQ(layout.Lines(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(SizeBoundaries, HexLayoutDigits,
                         ::testing::Values(DigitsCase{0, 4, 0}, DigitsCase{65535, 4, 4096},
                                           DigitsCase{65536, 8, 4096}, DigitsCase{0xFFFFFFFFull, 8, 0x10000000},
                                           DigitsCase{0x100000000ull, 16, 0x10000000},
                                           // ceil without the wrap-around of (S + B - 1) / B
                                           DigitsCase{~0ull, 16, 0x1000000000000000}));

TEST(HexLayout, SeventeenBytesMakeAFullAndAShortLine)
{
    const CHexLayout layout(17, 16);
    std::vector<uint8_t> first;
    for (int i = 0; i < 16; ++i)
        first.push_back(static_cast<uint8_t>(0x2E + i));
    EXPECT_EQ(Line(layout, 0, first),
              L"0000  2e 2f 30 31 32 33 34 35 36 37 38 39 3a 3b 3c 3d  ./0123456789:;<=");
    const std::wstring second = Line(layout, 1, {0x41});
    EXPECT_EQ(second, L"0010  41" + std::wstring(45, L' ') + L"  A");
    EXPECT_EQ(second.size(), 56u);
    EXPECT_EQ(second.find(L'A', 8), 55u);
    EXPECT_EQ(layout.LineLength(0), 71);
    EXPECT_EQ(layout.LineLength(2), 0);
    EXPECT_EQ(layout.WidestLine(), 71);
    EXPECT_EQ(CHexLayout(1, 16).WidestLine(), 56);  // one line: its own length
}

TEST(HexLayout, BytesNotReadShowAsAbsentAndOffsetsUseAllSixteenDigits)
{
    const CHexLayout layout(0x200000000ull, 16);
    std::wstring expected = L"00000001fffffff0  00 7f 7e ";
    for (int k = 0; k < 12; ++k)
        expected += L"-- ";
    expected += L"--  ..~" + std::wstring(13, L' ');
    EXPECT_EQ(Line(layout, 0x1FFFFFFF, {0x00, 0x7F, 0x7E}), expected);
}

namespace {

struct RangeCase {
    HexPos start;
    HexPos end;
    uint64_t first;
    uint64_t last;  // one past
};

class HexLayoutSelection : public ::testing::TestWithParam<RangeCase> {};

}

// 17 bytes, 16 a line: hex digits of byte k at 6 + 3k and 7 + 3k, characters from 55.
TEST_P(HexLayoutSelection, CoversTheBytesWhoseDigitsItTouches)
{
    const CHexLayout layout(17, 16);
    const HexByteRange range = layout.SelectedBytes(GetParam().start, GetParam().end);
    EXPECT_EQ(range.start, GetParam().first);
    EXPECT_EQ(range.end, GetParam().last);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, HexLayoutSelection,
    ::testing::Values(RangeCase{{0, 15}, {0, 21}, 3, 5},    // first digit of 3 to first digit of 5
                      RangeCase{{0, 16}, {0, 22}, 3, 6},    // second digit of 3 to second digit of 5
                      RangeCase{{0, 17}, {0, 22}, 4, 6},    // from the blank after byte 3
                      RangeCase{{0, 0}, {0, 4}, 0, 0},      // only the offset column
                      RangeCase{{0, 55}, {0, 60}, 16, 16},  // only the character column
                      RangeCase{{0, 2}, {1, 3}, 0, 16},     // offset column to the next offset column
                      RangeCase{{0, 60}, {1, 8}, 16, 17},   // characters to the end of the short line
                      RangeCase{{1, 6}, {1, 40}, 16, 17},   // filler of the short line ends at the size
                      RangeCase{{0, 0}, {2, 0}, 0, 17}));   // everything to the end position

TEST(HexLayout, SelectionTextCountsEveryLineItLeavesWithCrLf)
{
    const CHexLayout layout(40, 16);  // lines of 71, 71 and 63 characters
    EXPECT_EQ(layout.SelectionTextLength({0, 3}, {0, 9}), 6u);
    EXPECT_EQ(layout.SelectionTextLength({0, 0}, {3, 0}), 73u + 73u + 65u);
    EXPECT_EQ(layout.SelectionTextLength({0, 70}, {2, 5}), 3u + 73u + 5u);
    EXPECT_EQ(layout.SelectionTextLength({1, 0}, {1, 0}), 0u);
    // Four GiB of dump text would need about 17 GiB; astronomically large ones saturate.
    EXPECT_EQ(CHexLayout(0x100000000ull, 16).SelectionTextLength({0, 0}, {0x10000000, 0}), 0x10000000ull * 85);
    EXPECT_EQ(CHexLayout(~0ull, 16).SelectionTextLength({0, 0}, {0x1000000000000000, 0}), ~0ull);
}

namespace {

struct WordCase {
    int col;
    int left;
    int right;
};

class HexLayoutWords : public ::testing::TestWithParam<WordCase> {};

}

TEST_P(HexLayoutWords, StopAtBlanksAndFullStops)
{
    const std::wstring text = L"0000  41 2e 42  A.B";
    EXPECT_EQ(HexWordLeft(text, GetParam().col), GetParam().left);
    EXPECT_EQ(HexWordRight(text, GetParam().col), GetParam().right);
}

TEST(HexLayout, AWordStartsWhereItBeginsOrElseToTheLeft)
{
    const std::wstring text = L"0000  41 2e 42  A.B";
    EXPECT_EQ(HexWordStart(text, 9), 9);   // first digit of a byte: that byte
    EXPECT_EQ(HexWordStart(text, 10), 9);
    EXPECT_EQ(HexWordStart(text, 8), 6);   // a separator: the word before it
    EXPECT_EQ(HexWordStart(text, 0), 0);
}

INSTANTIATE_TEST_SUITE_P(Moves, HexLayoutWords,
                         ::testing::Values(WordCase{1, 0, 6}, WordCase{6, 0, 9}, WordCase{8, 6, 9},
                                           WordCase{10, 9, 12}, WordCase{17, 16, 18}, WordCase{18, 16, 19},
                                           WordCase{19, 18, 19}));
