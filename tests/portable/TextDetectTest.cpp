#include "portable/CodePageValues.h"
#include "portable/TextBytes.h"
#include "portable/TextDetect.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

ByteSpan Bytes(std::string_view text)
{
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// Shift_JIS: lead bytes 81-9F and E0-FC, trail bytes 40-7E and 80-FC.
DbcsTable ShiftJisTable()
{
    DbcsTable table;
    for (int c = 0; c < 256; ++c) {
        table.lead[c] = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        table.trail[c] = (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
    }
    return table;
}

TEST(DetectBom, RecognisesTheThreeMarksOnlyWhenWhole)
{
    const struct {
        std::string_view bytes;
        int codePage;
        size_t length;
    } cases[] = {
        {"\xEF\xBB\xBF" "abc", kCodePageUtf8, 3},
        {"\xEF\xBB", kCodePageNone, 0},
        {"\xFF\xFE", kCodePageUtf16LE, 2},
        {"\xFE\xFF\x00\x41", kCodePageUtf16BE, 2},
        {"\xFE", kCodePageNone, 0},
        {"", kCodePageNone, 0},
    };
    for (const auto& c : cases) {
        const BomMatch match = DetectBom(Bytes(c.bytes));
        EXPECT_EQ(match.codePage, c.codePage) << c.bytes.size();
        EXPECT_EQ(match.length, c.length) << c.bytes.size();
    }
}

TEST(DetectionCounters, CountWhatEachEncodingCannotHold)
{
    const DbcsTable sjis = ShiftJisTable();
    const struct {
        std::string_view bytes;
        bool utf16;
        size_t utf8Errors;
        size_t dbcsErrors;
    } cases[] = {
        {std::string_view("A\0B\0", 4), true, 0, 0},
        {std::string_view("AB\0\0", 4), false, 0, 0},  // the zero at an odd offset is last but one
        {"plain ascii", false, 0, 0},
        {"\xE6\x97\xA5", false, 0, 0},                // UTF-8, cut-off-free
        {"\xE6\x97", false, 0, 0},                    // cut off by the end: no error
        {"\xE6" "A", false, 1, 0},                    // continuation expected
        {std::string_view("\xE6\0", 2), false, 1, 1},  // zero where a continuation or trail belongs
        {"\x93\xFA\x96\x7B", false, 3, 0},            // Shift_JIS "日本"
        {"\x81\x20", false, 1, 1},                    // 20 trails nothing
        {std::string_view("x\0\x81\x20", 4), true, 0, 0},  // nothing counted after a zero
    };
    for (const auto& c : cases) {
        const ByteSpan bytes = Bytes(c.bytes);
        EXPECT_EQ(LooksLikeUtf16LE(bytes), c.utf16) << ::testing::PrintToString(c.bytes);
        EXPECT_EQ(CountUtf8Errors(bytes), c.utf8Errors) << ::testing::PrintToString(c.bytes);
        EXPECT_EQ(CountInvalidDbcsPairs(bytes, sjis), c.dbcsErrors) << ::testing::PrintToString(c.bytes);
        EXPECT_EQ(CountInvalidDbcsPairs(bytes, DbcsTable{}), 0u) << "a single-byte code page has no pairs";
    }
}

TEST(DoubleByteChars, KeepsWholePairsUpToTheFirstZero)
{
    const DbcsTable sjis = ShiftJisTable();
    EXPECT_EQ(DoubleByteChars(Bytes("a\x93\xFA" "b\x96\x7B"), sjis), "\x93\xFA\x96\x7B");
    EXPECT_EQ(DoubleByteChars(Bytes("\x93\xFA\x96"), sjis), "\x93\xFA") << "a lead byte standing last";
    EXPECT_EQ(DoubleByteChars(Bytes(std::string_view("\x93\0\x96\x7B", 4)), sjis), "");
    EXPECT_EQ(DoubleByteChars(Bytes("ascii"), sjis), "");
}

TEST(DetectCodePage, DecidesFromTheMarkAndTheCounters)
{
    const DbcsTable sjis = ShiftJisTable();
    const struct {
        std::string_view bytes;
        bool nonCp932;
        int expected;
    } cases[] = {
        {"\xFE\xFF\x00\x41", false, kCodePageUtf16BE},
        {std::string_view("A\0B\0", 4), false, kCodePageUtf16LE},
        {"plain ascii", false, kCodePageAnsi},
        {"\x93\xFA\x96\x7B", false, kCodePageAnsi},       // UTF-8 errors only
        {"\x81\x20", false, kCodePageUtf16LE},           // errors in both
        {"\xE3\x81\x81" "1", false, kCodePageUtf8},      // UTF-8 fine, 81 31 no pair
        {"\xEA\xB0\x80", true, kCodePageUtf8},             // valid both ways, unassigned in 932
        {"\xEA\xB0\x80", false, kCodePageAnsi},
    };
    for (const auto& c : cases) {
        const int codePage = DetectCodePage(Bytes(c.bytes), sjis, [&](ByteSpan) { return c.nonCp932; });
        EXPECT_EQ(codePage, c.expected) << ::testing::PrintToString(c.bytes);
    }
}

TEST(DetectCodePage, LooksOnlyAtTheFirstBytes)
{
    std::string bytes(kDetectionBytes, 'a');
    bytes += "\x93\xFA";  // a UTF-8 error past the examined bytes
    size_t examined = 0;
    EXPECT_EQ(DetectCodePage(Bytes(bytes), ShiftJisTable(), [&](ByteSpan head) { examined = head.size(); return true; }),
              kCodePageUtf8);
    EXPECT_EQ(examined, kDetectionBytes);
}

TEST(TextBytes, StopAtTheFirstNulAndSkipOnlyTheMarkOfTheChosenEncoding)
{
    const struct {
        std::string_view bytes;
        int codePage;
        std::string_view text;
        bool nul;
    } byteCases[] = {
        {std::string_view("abc\0def", 7), kCodePageAnsi, "abc", true},
        {"\xEF\xBB\xBF" "abc", kCodePageUtf8, "abc", false},
        {"\xEF\xBB\xBF" "abc", 932, "\xEF\xBB\xBF" "abc", false},
        {"\xEF\xBB\xBF", kCodePageUtf8, "", false},
    };
    for (const auto& c : byteCases) {
        const TextBytes text = ByteCodePageText(Bytes(c.bytes), c.codePage);
        EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(text.bytes.data()), text.bytes.size()), c.text);
        EXPECT_EQ(text.nulFound, c.nul);
    }

    const struct {
        std::string_view bytes;
        int codePage;
        std::wstring text;
        bool nul;
    } unitCases[] = {
        {std::string_view("A\0B\0", 4), kCodePageUtf16LE, L"AB", false},
        {std::string_view("\xFE\xFF\0A", 4), kCodePageUtf16BE, L"A", false},
        {std::string_view("\xFE\xFF\0A", 4), kCodePageUtf16LE, L"\xFFFE\x4100", false},
        {std::string_view("\xFF\xFE" "A\0\0\0B\0C", 9), kCodePageUtf16LE, L"A", true},
        {std::string_view("\xFF\xFE", 2), -7, L"", false},  // other negatives read little-endian
    };
    for (const auto& c : unitCases) {
        bool nul = !c.nul;
        EXPECT_EQ(Utf16Text(Bytes(c.bytes), c.codePage, nul), c.text);
        EXPECT_EQ(nul, c.nul);
    }
}

}
