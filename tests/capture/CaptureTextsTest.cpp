// The capture layer's texts in the string table: escapes that keep the
// Japanese texts as they were, rows recognised in either language, and the
// sentence that names who holds the clipboard.
#include "capture/CBData.h"
#include "capture/ClipboardOwner.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"
#include "support/FormerLiteralTest.h"

#include <gtest/gtest.h>

namespace {

struct RowCase {
    const char* name;
    UINT key;  // the row is this key, in either language, then a value
    bool error;
    bool fetchTime;
};

class RowLanguageTest : public ::testing::TestWithParam<RowCase> {};

}

INSTANTIATE_TEST_SUITE_P(
    Capture, FormerLiteralTest,
    testing::Values(FormerLiteral{IDS_ERROR_ROW_KEY, kJapaneseUi, L"エラー\t"}, FormerLiteral{IDS_FETCH_TIME_ROW_KEY, kJapaneseUi, L"取得時間\t"},
                    FormerLiteral{IDS_FILE_NAME_ROW, kJapaneseUi, L"名前[%u]\t%s"},
                    FormerLiteral{IDS_ENTRY_NAME_UNSAFE, kJapaneseUi,
                                 L"エントリ名「%s」は使えません（絶対パス、ドライブ名、\"..\" または Windows のデバイス名を含むか、"
                                 L"点か空白で終わる部分があります）。"},
                    FormerLiteral{IDS_NO_DATA_GETDATA, kJapaneseUi, L"データを取得できません（COleDataObject::GetData()）"},
                    FormerLiteral{IDS_NAME_UNAVAILABLE, kJapaneseUi, L"(取得できません)"}));

TEST_P(RowLanguageTest, IsRecognisedInBothLanguages)
{
    for (const LANGID language : {kJapaneseUi, kEnglishUi}) {
        const std::wstring key = LoadResStringIn(GetParam().key, language);
        ASSERT_TRUE(key.ends_with(L'\t')) << key;
        const std::wstring row = key + L"12 ms";
        EXPECT_EQ(IsErrorRow(row), GetParam().error) << row;
        EXPECT_EQ(IsFetchTimeRow(row), GetParam().fetchTime) << row;
        // A key is only a key with its tab: a longer one starting the same is another row's.
        const std::wstring longer = key.substr(0, key.size() - 1) + L"s\t1";
        EXPECT_FALSE(IsErrorRow(longer) || IsFetchTimeRow(longer)) << longer;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, RowLanguageTest,
                         testing::Values(RowCase{"Error", IDS_ERROR_ROW_KEY, true, false},
                                         RowCase{"FetchTime", IDS_FETCH_TIME_ROW_KEY, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ClipboardHolderTextTest, NamesTheWindowProcessAndProgramThatHoldTheClipboardOpen)
{
    EXPECT_EQ(ClipboardHolderText(), LoadResString(IDS_CANNOT_OPEN_CLIPBOARD)) << "nobody holds it";

    const HWND holder = ::CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(::OpenClipboard(holder));
    const std::wstring text = ClipboardHolderText();
    const CClipboardOwner described = DescribeClipboardWindow(holder);
    ::CloseClipboard();
    ::DestroyWindow(holder);

    ASSERT_FALSE(described.imagePath.empty());
    EXPECT_EQ(text, FormatResString(IDS_CLIPBOARD_HELD_BY_PROGRAM,
                                    static_cast<unsigned>(reinterpret_cast<UINT_PTR>(holder)),
                                    described.className.c_str(), L"holder", ::GetCurrentProcessId(),
                                    described.imagePath.c_str()));
}
