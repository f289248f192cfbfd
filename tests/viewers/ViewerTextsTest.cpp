// The viewers' texts come out of the resource script as the literals they
// replaced: full-width punctuation, "%%" and quotes survive its escapes.
#include "framework/Resource.h"
#include "res/strings/viewers.h"
#include "viewers/TextReport.h"

#include <gtest/gtest.h>

TEST(ViewerTexts, LoadAsTheFormerLiterals)
{
    const struct {
        UINT id;
        LANGID language;
        const wchar_t* text;
    } cases[] = {
        {IDS_HEX_FIND_HEX_DIGITS, kJapaneseUi, L"16進数は「4D 5A 90」のように2桁ずつ入力してください"},
        {IDS_ASYNC_START_FAILED, kJapaneseUi, L"不使用（StartOperation が失敗したため、ドロップ中に取得しました）"},
        {IDS_OWNER_PROCESS_UNREADABLE, kJapaneseUi, L"プロセスを調べられません（エラー %lu）。"},
        {IDS_PROGRESS_STOPPING, kJapaneseUi, L"中止しています..."},
        {IDS_PROGRESS_BYTES, kJapaneseUi, L"%llu%% (%llu MB / %llu MB)"},
        {IDS_HEX_FIND_HEX_DIGITS, kEnglishUi, L"Enter hex bytes as two digits each, e.g. \"4D 5A 90\"."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadResStringIn(c.id, c.language), c.text) << c.id;
}

// The text page's own tests see every other kind of line break.
TEST(ViewerTexts, TheTextReportReadsAsBefore)
{
    EXPECT_EQ(TextReport(false, LineBreakKind::LfOnly), L"終端NUL: なし  改行コード: *LFのみ*");
}
