// Selecting items of Plexa's tree from the test process shows their rows in
// the property page, read back from Plexa's list control.
#include "PlexaSession.h"
#include "SampleSources.h"
#include "TreeExpectations.h"
#include "res/resource.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <string_view>

namespace {

using Row = std::vector<std::wstring>;
using Rows = std::vector<Row>;

Rows SelectAndReadRows(const CPlexaWindow& plexa, HTREEITEM item)
{
    TreeView_SelectItem(plexa.Tree(), item);
    return ReadRemoteListRows(plexa.PropertyList(), 2);
}

}  // namespace

TEST_F(PlexaSession, SelectingTreeItemsShowsTheirPropertyRows)
{
    CPlexaWindow plexa = Start();
    CClipboardSample sample;
    ASSERT_EQ(sample.clipboard.Result(), S_OK);
    ASSERT_TRUE(plexa.RunCommand(ID_EDIT_PASTE));
    const CRemoteTreeItem root = SingleRoot(ReadRemoteTree(plexa.Tree()));
    ASSERT_GE(root.children.size(), 6u);
    ASSERT_NE(plexa.PropertyList(), nullptr);

    const Rows text = SelectAndReadRows(plexa, root.children[0].handle);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text[0], (Row{L"フォーマット", L"CF_TEXT (1)"}));
    EXPECT_EQ(text[1], (Row{L"サイズ", L"21"}));

    // Each virtual file is asked of the source, across the process, by its index.
    const Rows file = SelectAndReadRows(plexa, root.children[5].children[1].handle);
    const std::wstring contentsFormat =
        L"CFSTR_FILECONTENTS (" + std::to_wstring(::RegisterClipboardFormatW(CFSTR_FILECONTENTS)) + L")";
    ASSERT_GE(file.size(), 4u);
    EXPECT_EQ(file[0], (Row{L"フォーマット", contentsFormat}));
    EXPECT_EQ(file[1], (Row{L"Index", L"1"}));
    EXPECT_EQ(file[2], (Row{L"サイズ", std::to_wstring(std::string_view("second file").size())}));
    EXPECT_NE(std::find(file.begin(), file.end(), Row{L"名前", kSampleVirtualFiles[1]}), file.end());

    // The root names the window that owns the clipboard, here OLE's window in
    // this process, the clipboard's sequence number, when the capture started
    // and ended and how many findings it has, then lists the offered formats,
    // the heading only once.
    wchar_t ownerClass[256] = {};
    ::GetClassNameW(::GetClipboardOwner(), ownerClass, 256);
    const Rows formats = SelectAndReadRows(plexa, root.handle);
    constexpr size_t kOwnerRows = 5;
    constexpr size_t kHeadRows = kOwnerRows + 4;
    ASSERT_EQ(formats.size(), kHeadRows + root.children.size());
    EXPECT_EQ(formats[1], (Row{L"ウィンドウクラス", ownerClass}));
    EXPECT_EQ(formats[3], (Row{L"プロセスID", std::to_wstring(::GetCurrentProcessId())}));
    EXPECT_EQ(formats[4][0], L"実行ファイル");
    EXPECT_EQ(formats[kOwnerRows], (Row{L"シーケンス番号", std::to_wstring(::GetClipboardSequenceNumber())}));
    EXPECT_EQ(formats[kOwnerRows + 1][0], L"取得開始");
    EXPECT_EQ(formats[kOwnerRows + 2][0], L"取得終了");
    EXPECT_LE(formats[kOwnerRows + 1][1], formats[kOwnerRows + 2][1]);
    EXPECT_EQ(formats[kHeadRows], (Row{L"フォーマット", L"CF_TEXT"}));
    for (size_t i = 1; i < root.children.size(); ++i)
        EXPECT_EQ(formats[kHeadRows + i], (Row{L"", root.children[i].text})) << i;
}
