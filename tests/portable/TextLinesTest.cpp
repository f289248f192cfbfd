#include "portable/TextLines.h"

#include <gtest/gtest.h>

TEST(TextLines, CountNameAndUnifyEachMix)
{
    const struct {
        std::wstring_view text;
        std::wstring_view shown;
        std::wstring_view report;
    } cases[] = {
        {L"abc", L"abc", L"終端NUL: なし  改行コード: なし"},
        {L"a\r\nb\r\n", L"a\r\nb\r\n", L"終端NUL: なし  改行コード: CR+LF"},
        {L"a\nb\n", L"a\r\nb\r\n", L"終端NUL: なし  改行コード: *LFのみ*"},
        {L"abc\r", L"abc\r\n", L"終端NUL: なし  改行コード: *CRのみ*"},
        {L"a\nb\r\nc\r", L"a\r\nb\r\nc\r\n", L"終端NUL: なし  改行コード: *謎*"},
        {L"\n\r", L"\r\n\r\n", L"終端NUL: なし  改行コード: *謎*"},  // LF then CR is no pair
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToCrLf(c.text), c.shown);
        EXPECT_EQ(TextReport(false, CountLineBreaks(c.text)), c.report);
    }
    EXPECT_EQ(TextReport(true, {}), L"終端NUL: あり  改行コード: なし");
}
