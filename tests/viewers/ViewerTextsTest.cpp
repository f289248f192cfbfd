// The viewers' texts come out of the resource script as the literals they
// replaced: full-width punctuation, "%%" and quotes survive its escapes.
#include "res/strings/viewers.h"
#include "support/FormerLiteralTest.h"
#include "viewers/TextReport.h"

#include <gtest/gtest.h>

INSTANTIATE_TEST_SUITE_P(
    Viewers, FormerLiteralTest,
    testing::Values(FormerLiteral{IDS_HEX_FIND_HEX_DIGITS, kJapaneseUi, L"16進数は「4D 5A 90」のように2桁ずつ入力してください"},
                    FormerLiteral{IDS_ASYNC_START_FAILED, kJapaneseUi, L"不使用（StartOperation が失敗したため、ドロップ中に取得しました）"},
                    FormerLiteral{IDS_OWNER_PROCESS_UNREADABLE, kJapaneseUi, L"プロセスを調べられません（エラー %lu）。"},
                    FormerLiteral{IDS_PROGRESS_STOPPING, kJapaneseUi, L"中止しています..."},
                    FormerLiteral{IDS_PROGRESS_BYTES, kJapaneseUi, L"%llu%% (%llu MB / %llu MB)"},
                    FormerLiteral{IDS_HEX_FIND_HEX_DIGITS, kEnglishUi, L"Enter hex bytes as two digits each, e.g. \"4D 5A 90\"."}));

// The text page's own tests see every other kind of line break.
TEST(ViewerTexts, TheTextReportReadsAsBefore)
{
    EXPECT_EQ(TextReport(false, LineBreakKind::LfOnly), L"終端NUL: なし  改行コード: *LFのみ*");
}
