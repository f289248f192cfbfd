// The app layer's texts whose escapes the resource script could get wrong,
// against the literals they replaced.
#include "res/strings/app.h"
#include "support/FormerLiteralTest.h"

#include <algorithm>

INSTANTIATE_TEST_SUITE_P(
    App, FormerLiteralTest,
    testing::Values(FormerLiteral{IDS_DUMP_CANNOT_WRITE, kJapaneseUi, L"ダンプを書き出せません。%s\r\n%s"},
                    FormerLiteral{IDS_LOAD_CANNOT_SET, kJapaneseUi, L"クリップボードに置けません（0x%08lX）。"},
                    FormerLiteral{IDS_VERSION_LINE, kJapaneseUi, L"Version %s (%ubit版)"}));

// `/?` prints the help as it is: whole lines, each ending in CR LF.
TEST(AppTexts, TheHelpIsLinesEndingInCrLfInBothLanguages)
{
    for (const LANGID language : {kJapaneseUi, kEnglishUi}) {
        const std::wstring help = LoadResStringIn(IDS_CMDLINE_HELP, language);
        EXPECT_TRUE(help.ends_with(L"\r\n")) << language;
        EXPECT_EQ(std::count(help.begin(), help.end(), L'\n'), std::count(help.begin(), help.end(), L'\r')) << language;
        EXPECT_EQ(help.find(L'\\'), std::wstring::npos) << language << ": an escape left as written";
    }
}
