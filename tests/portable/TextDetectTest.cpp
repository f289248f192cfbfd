#include "portable/CodePageValues.h"
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

TEST(DetectionCounters, CountWhatEachEncodingCannotHold)
{
    const struct {
        std::string_view bytes;
        bool utf16;
        size_t utf8Errors;
        size_t dbcsErrors;
    } cases[] = {
        {std::string_view("AB\0\0", 4), false, 0, 0},   // no byte after the odd zero
        {"\xE6\x97", false, 0, 0},                      // cut off by the end: no error
        {"\xE6" "A", false, 1, 0},                      // continuation expected
        {std::string_view("\xE6\0", 2), false, 1, 1},   // zero where a continuation or trail belongs
        {"\x93\xFA\x96\x7B", false, 3, 0},              // Shift_JIS
        {"\x81\x20", false, 1, 1},                      // 20 trails nothing
        {std::string_view("x\0\x81\x20", 4), true, 0, 0},  // nothing counted after a zero
    };
    for (const auto& c : cases) {
        const ByteSpan bytes = Bytes(c.bytes);
        EXPECT_EQ(LooksLikeUtf16LE(bytes), c.utf16) << ::testing::PrintToString(c.bytes);
        EXPECT_EQ(CountUtf8Errors(bytes), c.utf8Errors) << ::testing::PrintToString(c.bytes);
        EXPECT_EQ(CountInvalidDbcsPairs(bytes, ShiftJisTable()), c.dbcsErrors) << ::testing::PrintToString(c.bytes);
        EXPECT_EQ(CountInvalidDbcsPairs(bytes, DbcsTable{}), 0u) << "a single-byte code page has no pairs";
    }
}

TEST(DetectCodePage, DecidesFromTheCountersAndAsks932OnlyWhenBothAreClean)
{
    const struct {
        std::string_view bytes;
        bool nonCp932;
        int expected;
    } cases[] = {
        {"\xEF\xBB", false, kCodePageAnsi},                 // half a mark is no mark
        {"\x81\x20", false, kCodePageUtf16LE},              // errors in both
        {"\xE3\x81\x81" "1", false, kCodePageUtf8},         // UTF-8 fine, 81 31 no pair
        {"\xEA\xB0\x80", true, kCodePageUtf8},
        {"\xEA\xB0\x80", false, kCodePageAnsi},
        {"\x93\xFA" "\xEA", true, kCodePageAnsi},           // UTF-8 errors: 932 is not asked
    };
    for (const auto& c : cases) {
        const int codePage = DetectCodePage(Bytes(c.bytes), ShiftJisTable(), [&](ByteSpan) { return c.nonCp932; });
        EXPECT_EQ(codePage, c.expected) << ::testing::PrintToString(c.bytes);
    }
    EXPECT_EQ(DoubleByteChars(Bytes("a\x93\xFA" "b\x96\x7B\x96"), ShiftJisTable()), "\x93\xFA\x96\x7B");
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

}
