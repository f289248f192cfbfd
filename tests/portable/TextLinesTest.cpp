#include "portable/TextLines.h"

#include <gtest/gtest.h>

TEST(TextLines, CountNameAndUnifyEachMix)
{
    const struct {
        std::wstring_view text;
        std::wstring_view shown;
        std::wstring_view kind;
    } cases[] = {
        {L"a\r\nb\r\n", L"a\r\nb\r\n", L"CR+LF"},
        {L"a\nb\n", L"a\r\nb\r\n", L"*LFのみ*"},
        {L"\n\r", L"\r\n\r\n", L"*謎*"},  // LF then CR is no pair
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToCrLf(c.text), c.shown);
        EXPECT_EQ(LineBreakKind(CountLineBreaks(c.text)), c.kind);
    }
    EXPECT_EQ(TextReport(true, {}), L"終端NUL: あり  改行コード: なし");
}
