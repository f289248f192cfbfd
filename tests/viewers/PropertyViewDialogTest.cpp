#include "common/SettingsNames.h"
#include "framework/Clipboard.h"
#include "framework/Format.h"
#include "framework/Handles.h"
#include "framework/PropertySheet.h"
#include "framework/Resource.h"
#include "framework/WindowRect.h"
#include "support/HostWindow.h"
#include "res/strings/viewers.h"
#include "support/NodeTestBase.h"
#include "viewers/PropertyViewDialog.h"

#include <commctrl.h>

#include <cstring>
#include <map>
#include <memory>
#include <utility>

namespace {

using CRows = std::vector<std::pair<std::wstring, std::wstring>>;

// The property page with its context menu looked at instead of shown.
class CMenuRecordingPage : public CPropertyViewDialog {
public:
    // Command to whether its item was enabled, at the last right click.
    std::map<UINT, bool> m_enabled;

protected:
    void TrackContextMenu(const CPopupMenu& menu, POINT) override
    {
        m_enabled.clear();
        for (UINT command : {ID_EDIT_COPY, ID_COPY_NAMES, ID_COPY_VALUES, ID_EDIT_SELECT_ALL})
            m_enabled[command] = !(::GetMenuState(menu.GetSafeHmenu(), command, MF_BYCOMMAND) & MF_GRAYED);
    }
};

class PropertyViewDialogTest : public CNodeTestBase {
protected:
    void SetUp() override
    {
        CNodeTestBase::SetUp();
        ASSERT_TRUE(CreateHostWindow(m_parent, RECT{0, 0, 600, 400}));
        m_sheet.AddPage(&m_page);
    }
    void TearDown() override
    {
        m_sheet.DestroyWindow();
        m_parent.DestroyWindow();
    }

    // The page's window is made here, with the settings as the test left them.
    void CreatePage()
    {
        ASSERT_TRUE(m_sheet.Create(m_parent));
        m_list = ::GetDlgItem(m_page, IDC_PROPERTY_LIST);
        ASSERT_NE(m_list, nullptr);
    }

    CRows Rows() const
    {
        CRows rows;
        for (int i = 0; i < ListView_GetItemCount(m_list); ++i)
            rows.emplace_back(Text(i, 0), Text(i, 1));
        return rows;
    }

    std::wstring Text(int item, int column) const
    {
        wchar_t text[256] = {};
        ListView_GetItemText(m_list, item, column, text, 256);
        return text;
    }

    void Select(std::initializer_list<int> items)
    {
        ListView_SetItemState(m_list, -1, 0, LVIS_SELECTED);
        for (int item : items)
            ListView_SetItemState(m_list, item, LVIS_SELECTED, LVIS_SELECTED);
    }

    void Command(UINT command) { ::SendMessageW(m_page, WM_COMMAND, command, 0); }

    void RightClick()
    {
        NMITEMACTIVATE click{};
        click.hdr = {m_list, IDC_PROPERTY_LIST, static_cast<UINT>(NM_RCLICK)};
        click.iItem = -1;
        EXPECT_EQ(::SendMessageW(m_page, WM_NOTIFY, IDC_PROPERTY_LIST, reinterpret_cast<LPARAM>(&click)), 0);
    }

    static void SetClipboardMarker()
    {
        const std::wstring marker = L"marker";
        CGlobalHandle block(::GlobalAlloc(GMEM_MOVEABLE, (marker.size() + 1) * sizeof(wchar_t)));
        std::memcpy(CGlobalLock(block).Get(), marker.c_str(), (marker.size() + 1) * sizeof(wchar_t));
        const CClipboard clipboard(nullptr);
        ::EmptyClipboard();
        if (::SetClipboardData(CF_UNICODETEXT, block))
            block.Detach();
    }

    static std::wstring ClipboardText()
    {
        const CClipboard clipboard(nullptr);
        const CGlobalLock lock(::GetClipboardData(CF_UNICODETEXT));
        return lock ? std::wstring(static_cast<const wchar_t*>(lock.Get())) : L"(no text)";
    }

    // The CF_TEXT example: 12 bytes, no index, requested and delivered in global memory.
    std::unique_ptr<CCBData> TextNode()
    {
        auto node = NodeWith("Hello world!");
        node->m_fmt = {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        node->m_tymedActual = TYMED_HGLOBAL;
        return node;
    }

    std::wstring StoredDefault(const CCBData& node) const
    {
        return m_app.GetProfileString(settings::kFormatsDefaultViewTabSection, node.GetFormatKey().c_str());
    }

    CWnd m_parent;
    CPropertySheet m_sheet;
    CMenuRecordingPage m_page;
    HWND m_list = nullptr;
};

}

TEST_F(PropertyViewDialogTest, ATextNodeListsItsFormatSizeAspectAndMedium)
{
    CreatePage();
    const auto node = TextNode();
    m_page.ShowNode(node.get());
    EXPECT_EQ(Rows(), (CRows{{L"フォーマット", L"CF_TEXT (1)"},
                             {L"サイズ", L"12"},
                             {L"Aspect", L"CONTENT "},
                             {L"Tymed", L"HGLOBAL "}}));
    EXPECT_EQ(m_page.m_pData, node.get());

    m_page.ShowNode(nullptr);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(m_page.m_pData, nullptr);
}

TEST_F(PropertyViewDialogTest, AnotherDeliveredMediumLabelsAndInformationLines)
{
    CreatePage();
    const auto format = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Plexa Test Format"));
    CCBData node;
    node.m_fmt = {format, nullptr, DVASPECT_CONTENT, 0, TYMED_HGLOBAL | TYMED_ISTREAM};
    node.m_tymedActual = TYMED_ISTREAM;
    node.m_strType = L"ファイル";
    node.m_strName = L"a.txt";
    node.m_strDisplayName = L"A";
    node.m_arrInfo = {L"ひとこと", L"キー\t値1\t値2", L"エラー\t開けません"};
    m_page.ShowNode(&node);
    const CRows rows = Rows();
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[0].first, L"フォーマット");
    EXPECT_EQ(rows[0].second, L"\"Plexa Test Format\" (" + std::to_wstring(format) + L")");
    EXPECT_EQ(rows[1], (std::pair<std::wstring, std::wstring>{L"Index", L"0"}));
    EXPECT_EQ(rows[2].first, L"Aspect") << "no bytes, no size";
    EXPECT_EQ(rows[3], (std::pair<std::wstring, std::wstring>{L"Tymed", L"HGLOBAL ISTREAM "}));
    EXPECT_EQ(rows[4], (std::pair<std::wstring, std::wstring>{L"本当のTymed", L"ISTREAM "}));
    EXPECT_EQ(rows[5], (std::pair<std::wstring, std::wstring>{L"タイプ", L"ファイル"}));
    EXPECT_EQ(rows[6], (std::pair<std::wstring, std::wstring>{L"名前", L"a.txt"}));
    EXPECT_EQ(rows[7], (std::pair<std::wstring, std::wstring>{L"表示名", L"A"}));
    EXPECT_EQ(rows[8], (std::pair<std::wstring, std::wstring>{L"ひとこと", L""}));
    EXPECT_EQ(rows[9], (std::pair<std::wstring, std::wstring>{L"キー", L"値1\t値2"}));
    EXPECT_EQ(rows[10], (std::pair<std::wstring, std::wstring>{L"エラー", L"開けません"}));
}

TEST_F(PropertyViewDialogTest, TheFormatListHoldsNoNode)
{
    CreatePage();
    const auto node = TextNode();
    m_page.ShowNode(node.get());
    m_page.ShowSnapshot({.formatNames = {L"CF_TEXT", L"CF_UNICODETEXT", L"\"HTML Format\""}});
    EXPECT_EQ(Rows(), (CRows{{L"フォーマット", L"CF_TEXT"}, {L"", L"CF_UNICODETEXT"}, {L"", L"\"HTML Format\""}}));
    EXPECT_EQ(m_page.m_pData, nullptr);

    // The make-default command then has no format to store a page for.
    m_page.SaveAsDefaultViewTab();
    EXPECT_EQ(StoredDefault(*node), L"");
    m_page.ShowNode(node.get());
    m_page.SaveAsDefaultViewTab();
    EXPECT_EQ(StoredDefault(*node), L"PROPERTY");

    // An empty list of formats shows no rows, not the node shown before.
    m_page.ShowSnapshot({});
    EXPECT_TRUE(Rows().empty());
}

TEST_F(PropertyViewDialogTest, TheRootTellsWhereAndWhenTheSnapshotCameFrom)
{
    CreatePage();
    m_page.ShowSnapshot({.taken = L"2026-12-10T10:30:31.042Z",
                         .finished = L"2026-12-10T10:30:31.350Z",
                         .formatNames = {L"CF_TEXT"},
                         .takenDespitePrivacyRequest = true,
                         .sequenceNumber = 42,
                         .dropEffects = DROPEFFECT_COPY | DROPEFFECT_LINK,
                         .asyncTransfer = AsyncTransfer::Used});
    EXPECT_EQ(Rows(), (CRows{{L"シーケンス番号", L"42"},
                             {L"ソースのドロップ効果", L"COPY LINK"},
                             {L"非同期転送", L"使用"},
                             {L"取得開始", L"2026-12-10T10:30:31.042Z"},
                             {L"取得終了", L"2026-12-10T10:30:31.350Z"},
                             {L"監視からの除外", L"ソースは取得しないよう求めていましたが、確認のうえ取得しました"},
                             {L"フォーマット", L"CF_TEXT"}}));
}

TEST_F(PropertyViewDialogTest, CopiedRowsReachTheClipboardAsLines)
{
    CreatePage();
    m_page.SetStringArray({L"名前1\t値1", L"名前2\t値2", L"名前3\t値3"});
    Select({0, 2});
    SetClipboardMarker();
    Command(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), L"名前1\t値1\r\n名前3\t値3");
    Command(ID_COPY_NAMES);
    EXPECT_EQ(ClipboardText(), L"名前1\r\n名前3");
    Command(ID_COPY_VALUES);
    EXPECT_EQ(ClipboardText(), L"値1\r\n値3");
    EXPECT_TRUE(m_app.m_messages.empty());

    Select({});
    Command(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), L"") << "nothing selected copies an empty text";
}

TEST_F(PropertyViewDialogTest, CopyingNamesOfTheFormatListSkipsLeadingEmptyNames)
{
    CreatePage();
    m_page.ShowSnapshot({.formatNames = {L"CF_TEXT", L"CF_UNICODETEXT", L"CF_LOCALE"}});
    Select({1, 2});
    Command(ID_COPY_NAMES);
    EXPECT_EQ(ClipboardText(), L"");
    Command(ID_COPY_VALUES);
    EXPECT_EQ(ClipboardText(), L"CF_UNICODETEXT\r\nCF_LOCALE");
    Select({0, 1, 2});
    Command(ID_COPY_NAMES);
    EXPECT_EQ(ClipboardText(), L"フォーマット\r\n\r\n");
}

TEST_F(PropertyViewDialogTest, ABusyClipboardIsReportedAndKeepsItsText)
{
    CreatePage();
    m_page.SetStringArray({L"名前\t値"});
    Select({0});
    SetClipboardMarker();
    {
        // Another window holds the clipboard open.
        ASSERT_TRUE(::OpenClipboard(m_parent));
        Command(ID_EDIT_COPY);
        ::CloseClipboard();
    }
    EXPECT_EQ(m_app.m_messages, std::vector{LoadResString(IDS_PROPERTY_NO_CLIPBOARD)});
    EXPECT_EQ(ClipboardText(), L"marker");
}

TEST_F(PropertyViewDialogTest, TheMenuGraysWhatCannotBeDone)
{
    CreatePage();
    RightClick();
    EXPECT_EQ(m_page.m_enabled, (std::map<UINT, bool>{{ID_EDIT_COPY, false},
                                                      {ID_COPY_NAMES, false},
                                                      {ID_COPY_VALUES, false},
                                                      {ID_EDIT_SELECT_ALL, false}}))
        << "an empty list";

    m_page.SetStringArray({L"a\t1", L"b\t2", L"c\t3"});
    RightClick();
    EXPECT_EQ(m_page.m_enabled, (std::map<UINT, bool>{{ID_EDIT_COPY, false},
                                                      {ID_COPY_NAMES, false},
                                                      {ID_COPY_VALUES, false},
                                                      {ID_EDIT_SELECT_ALL, true}}))
        << "rows, none selected";

    Select({1});
    RightClick();
    EXPECT_EQ(m_page.m_enabled, (std::map<UINT, bool>{{ID_EDIT_COPY, true},
                                                      {ID_COPY_NAMES, true},
                                                      {ID_COPY_VALUES, true},
                                                      {ID_EDIT_SELECT_ALL, true}}));

    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(ListView_GetSelectedCount(m_list), 3u);
}

TEST_F(PropertyViewDialogTest, ColumnWidthsComeFromTheSettingsAndGoBack)
{
    m_app.WriteProfileInt(settings::kFrameSection, settings::kPropCol0, 0);
    m_app.WriteProfileInt(settings::kFrameSection, settings::kPropCol1, 123);
    CreatePage();
    EXPECT_EQ(ListView_GetColumnWidth(m_list, 0), 0) << "a stored 0 is used as it is";
    EXPECT_EQ(ListView_GetColumnWidth(m_list, 1), 123);
    EXPECT_TRUE(ListView_GetExtendedListViewStyle(m_list) & LVS_EX_FULLROWSELECT);

    ListView_SetColumnWidth(m_list, 0, 77);
    ListView_SetColumnWidth(m_list, 1, 55);
    m_page.SaveColumnWidths();
    EXPECT_EQ(m_app.GetProfileInt(settings::kFrameSection, settings::kPropCol0, -1), 77);
    EXPECT_EQ(m_app.GetProfileInt(settings::kFrameSection, settings::kPropCol1, -1), 55);
}

TEST_F(PropertyViewDialogTest, DefaultWidthsAreTwentyAndEightyCharacters)
{
    CreatePage();
    const int name = ListView_GetColumnWidth(m_list, 0);
    EXPECT_GT(name, 0);
    EXPECT_EQ(ListView_GetColumnWidth(m_list, 1), 4 * name);
    EXPECT_EQ(name % 20, 0);

    // Nothing is stored before the page's window exists or after it is gone.
    m_sheet.DestroyWindow();
    m_page.SaveColumnWidths();
    EXPECT_EQ(m_app.GetProfileInt(settings::kFrameSection, settings::kPropCol0, -1), -1);
}

TEST_F(PropertyViewDialogTest, TheListFillsThePage)
{
    CreatePage();
    ::SetWindowPos(m_page, nullptr, 0, 0, 333, 222, SWP_NOMOVE | SWP_NOZORDER);
    const RECT list = GetChildRect(m_list);
    EXPECT_EQ(list.left, 0);
    EXPECT_EQ(list.top, 0);
    EXPECT_EQ(list.right, 333);
    EXPECT_EQ(list.bottom, 222);
}

TEST_F(PropertyViewDialogTest, APastedSnapshotListsTheClipboardsOwnerBeforeItsFormats)
{
    CreatePage();
    const wchar_t className[] = L"PlexaOwnerTest";
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    ::RegisterClassW(&windowClass);
    const std::unique_ptr<HWND__, decltype(&::DestroyWindow)> owner(
        ::CreateWindowExW(0, className, L"所有者テスト", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                          windowClass.hInstance, nullptr),
        &::DestroyWindow);
    ASSERT_TRUE(owner);
    {
        CClipboard clipboard(owner.get());
        ASSERT_TRUE(clipboard);
        ::EmptyClipboard();
    }
    wchar_t image[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, image, MAX_PATH);
    const CClipboardOwner read = ReadClipboardOwner();
    m_page.ShowSnapshot({.owner = read, .formatNames = {L"CF_TEXT"}});
    const CRows rows = Rows();
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].second, FormatString(L"0x%08X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(owner.get()))));
    EXPECT_EQ(rows[1], (CRows::value_type{L"ウィンドウクラス", className}));
    EXPECT_EQ(rows[2], (CRows::value_type{L"ウィンドウ名", L"所有者テスト"}));
    EXPECT_EQ(rows[3], (CRows::value_type{L"プロセスID", std::to_wstring(::GetCurrentProcessId())}));
    EXPECT_EQ(_wcsicmp(rows[4].second.c_str(), image), 0) << rows[4].second;
    EXPECT_EQ(rows[5], (CRows::value_type{L"フォーマット", L"CF_TEXT"}));

    {
        CClipboard clipboard(nullptr);
        ASSERT_TRUE(clipboard);
        ::EmptyClipboard();
    }
    const CClipboardOwner none = ReadClipboardOwner();
    m_page.ShowSnapshot({.owner = none});
    EXPECT_EQ(Rows(), (CRows{{L"所有ウィンドウ", L"なし（所有者のないクリップボード）"}}));
}
