#include "portable/TextLines.h"

#include <gtest/gtest.h>

TEST(TextLines, CountClassifyAndUnifyEachMix)
{
    const struct {
        std::wstring_view text;
        std::wstring_view shown;
        LineBreakKind kind;
    } cases[] = {
        {L"abc", L"abc", LineBreakKind::None},
        {L"a\r\nb\r\n", L"a\r\nb\r\n", LineBreakKind::CrLf},
        {L"a\nb\n", L"a\r\nb\r\n", LineBreakKind::LfOnly},
        {L"a\rb", L"a\r\nb", LineBreakKind::CrOnly},
        {L"\n\r", L"\r\n\r\n", LineBreakKind::Mixed},  // LF then CR is no pair
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToCrLf(c.text), c.shown);
        EXPECT_EQ(ClassifyLineBreaks(CountLineBreaks(c.text)), c.kind);
    }
}
