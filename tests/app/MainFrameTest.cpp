// The main frame as InitInstance makes it: commands and menu state it routes
// to the panes and the content view's pages, shortcuts from inside a page,
// system colours passed down, and what closing stores.
#include "capture/ClipboardCapture.h"
#include "common/SettingsNames.h"
#include "framework/Clipboard.h"
#include "framework/FrameworkIds.h"
#include "framework/Handles.h"
#include "framework/Resource.h"
#include "res/resource.h"
#include "res/strings/capture.h"
#include "support/TestApp.h"
#include "ui/MainFrame.h"
#include "ui/PlexaDoc.h"
#include "ui/PlexaView.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <thread>
#include <utility>

namespace {

// The window colour changed for a test and put back at its end, pass or fail.
class CWindowColourOverride {
public:
    explicit CWindowColourOverride(COLORREF colour) { Set(colour); }
    ~CWindowColourOverride() { Set(m_saved); }
    CWindowColourOverride(const CWindowColourOverride&) = delete;
    CWindowColourOverride& operator=(const CWindowColourOverride&) = delete;

private:
    static void Set(COLORREF colour)
    {
        const int element = COLOR_WINDOW;
        ::SetSysColors(1, &element, &colour);
    }

    const COLORREF m_saved = ::GetSysColor(COLOR_WINDOW);
};

// The pane with the keyboard focus, where the command route starts.
enum class Pane { Tree, Content };

const char* Name(Pane pane)
{
    return pane == Pane::Tree ? "tree" : "content";
}

class MainFrameTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_app.InitInstance());
        m_frame = dynamic_cast<CMainFrame*>(m_app.m_pMainWnd);
        ASSERT_NE(m_frame, nullptr);
        m_view = dynamic_cast<CPlexaView*>(m_frame->m_wndSplitter.GetPane(0, 1));
        ASSERT_NE(m_view, nullptr);
        m_doc = dynamic_cast<CPlexaDoc*>(m_view->GetDocument());
        ASSERT_NE(m_doc, nullptr);
    }

    void TearDown() override
    {
        if (m_doc)
            m_doc->UpdateAllViews(nullptr, HINT_SNAPSHOT_CHANGED);
        if (m_app.m_pMainWnd) {
            m_app.m_pMainWnd->DestroyWindow();
            m_app.PumpUntilQuit();
        }
        m_app.ExitInstance();
    }

    std::unique_ptr<CCBData> TextNode()
    {
        auto node = std::make_unique<CCBData>();
        node->m_fmt = FORMATETC{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        node->m_strTempFile = m_app.MakeTempFileName();
        node->m_nSize = 5;
        WriteFileBytes(node->m_strTempFile, "text\0");
        return node;
    }

    std::wstring StoredDefault(const CCBData& node) const
    {
        return m_app.GetProfileString(settings::kFormatsDefaultViewTabSection, node.GetFormatKey().c_str(), L"(none)");
    }

    HWND Tree() const { return *m_frame->m_wndSplitter.GetPane(0, 0); }
    HWND PropertyList() const { return ::GetDlgItem(*m_view->GetSheet().GetPage(0), IDC_PROPERTY_LIST); }

    // As a click or F6 does: the pane's view becomes the active one.
    void Focus(Pane pane)
    {
        ::SetFocus(pane == Pane::Tree ? Tree() : *m_view);
        ASSERT_EQ(m_frame->GetActiveView(), m_frame->m_wndSplitter.GetPane(0, pane == Pane::Tree ? 0 : 1));
    }

    // The state of the command's item once the menu bar's popup `index` opens.
    UINT MenuState(int index, UINT command) const
    {
        const HMENU popup = ::GetSubMenu(::GetMenu(*m_frame), index);
        ::SendMessageW(*m_frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), index);
        return ::GetMenuState(popup, command, MF_BYCOMMAND);
    }

    void HandleMessagesFor(DWORD ms)
    {
        for (const ULONGLONG end = ::GetTickCount64() + ms; ::GetTickCount64() < end; ::Sleep(10))
            m_app.PumpWaitingMessages();
    }

    CTestApp m_app;
    CMainFrame* m_frame = nullptr;
    CPlexaView* m_view = nullptr;
    CPlexaDoc* m_doc = nullptr;
};

}  // namespace

TEST_F(MainFrameTest, SetDefaultViewTabStoresThePageOpenForTheShownNodeWhicheverPaneHasTheFocus)
{
    auto node = TextNode();
    for (const Pane pane : {Pane::Tree, Pane::Content}) {
        SCOPED_TRACE(Name(pane));
        m_app.WriteProfileString(settings::kFormatsDefaultViewTabSection, node->GetFormatKey().c_str(), L"TEXT");
        m_doc->UpdateAllViews(nullptr, HINT_SHOW_NODE, node.get());
        ASSERT_EQ(m_view->GetSheet().GetPageCount(), 4);
        m_view->ActivatePage(IDD_HEX_VIEW, false);
        Focus(pane);

        ::SendMessageW(*m_frame, WM_COMMAND, ID_SET_DEFAULT_VIEW_TAB, 0);
        EXPECT_EQ(StoredDefault(*node), L"HEX");
    }

    // A fresh snapshot shows no node, so there is nothing to store for.
    m_doc->UpdateAllViews(nullptr, HINT_SNAPSHOT_CHANGED);
    m_app.WriteProfileString(settings::kFormatsDefaultViewTabSection, node->GetFormatKey().c_str(), L"TEXT");
    ::SendMessageW(*m_frame, WM_COMMAND, ID_SET_DEFAULT_VIEW_TAB, 0);
    EXPECT_EQ(StoredDefault(*node), L"TEXT");
}

TEST_F(MainFrameTest, ACommandReachesTheOpenPageWhileTheContentHasTheFocus)
{
    auto node = TextNode();
    m_doc->UpdateAllViews(nullptr, HINT_SHOW_NODE, node.get());
    m_view->ActivatePage(IDD_PROPERTY_VIEW, false);
    const int rows = ListView_GetItemCount(PropertyList());
    ASSERT_GT(rows, 0);
    for (const auto& [pane, selected] : {std::pair{Pane::Tree, 0}, std::pair{Pane::Content, rows}}) {
        SCOPED_TRACE(Name(pane));
        ListView_SetItemState(PropertyList(), -1, 0, LVIS_SELECTED);
        Focus(pane);
        ::SendMessageW(*m_frame, WM_COMMAND, ID_EDIT_SELECT_ALL, 0);
        EXPECT_EQ(static_cast<int>(ListView_GetSelectedCount(PropertyList())), selected);
    }
}

TEST_F(MainFrameTest, F6InsideAPageMovesTheFocusToTheTree)
{
    m_doc->UpdateAllViews(nullptr, HINT_SNAPSHOT_CHANGED);
    const HWND list = PropertyList();
    ASSERT_NE(list, nullptr);
    ::SetFocus(list);
    ASSERT_EQ(::GetFocus(), list);

    MSG f6{list, WM_KEYDOWN, VK_F6, 0};
    EXPECT_TRUE(m_app.PreTranslateMessage(f6));
    EXPECT_EQ(::GetFocus(), Tree());
}

TEST_F(MainFrameTest, ClosingStoresThePlacementAndThePropertyColumns)
{
    ::SendMessageW(*m_frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(m_app.PumpUntilQuit());
    EXPECT_EQ(m_app.GetProfileInt(settings::kFrameSection, settings::kInitialized, 0), 1);
    EXPECT_EQ(m_app.GetProfileInt(settings::kFrameSection, settings::kLeftPaneWidth, 0), 200);
    EXPECT_GT(m_app.GetProfileInt(settings::kFrameSection, settings::kPropCol0, 0), 0);
    EXPECT_GT(m_app.GetProfileInt(settings::kFrameSection, settings::kPropCol1, 0), 0);
}

TEST_F(MainFrameTest, EndingTheSessionStoresThePlacementAndKeepsTheWindow)
{
    EXPECT_EQ(::SendMessageW(*m_frame, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(m_app.GetProfileInt(settings::kFrameSection, settings::kInitialized, 0), 1);
    EXPECT_TRUE(::IsWindow(*m_frame));
}

TEST_F(MainFrameTest, WatchingTheClipboardIsACheckedMenuItemKeptInTheSettings)
{
    const auto checked = [&] { return (MenuState(1, ID_EDIT_WATCH_CLIPBOARD) & MF_CHECKED) != 0; };
    EXPECT_FALSE(checked());
    for (const int on : {1, 0}) {
        ::SendMessageW(*m_frame, WM_COMMAND, ID_EDIT_WATCH_CLIPBOARD, 0);
        EXPECT_EQ(checked(), on == 1);
        EXPECT_EQ(m_app.GetProfileInt(settings::kSettingsSection, settings::kWatchClipboard, -1), on);
    }
}

TEST_F(MainFrameTest, TheFileMenuGraysSavingUntilANodeWithBytesIsSelectedWhicheverPaneHasTheFocus)
{
    const auto grayed = [&] { return (MenuState(0, ID_SAVE_NODE) & MF_GRAYED) != 0; };
    EXPECT_TRUE(grayed());
    auto nodes = std::make_shared<CCBDataArray>();
    nodes->push_back(TextNode());
    m_doc->SetSnapshot(std::move(nodes), {}, m_doc->GetTitle());
    const HTREEITEM root = TreeView_GetRoot(Tree());
    for (const Pane pane : {Pane::Tree, Pane::Content}) {
        SCOPED_TRACE(Name(pane));
        TreeView_SelectItem(Tree(), root);
        Focus(pane);
        EXPECT_TRUE(grayed()) << "the root has no bytes";
        TreeView_SelectItem(Tree(), TreeView_GetChild(Tree(), root));
        Focus(pane);
        EXPECT_FALSE(grayed());
    }
}

TEST_F(MainFrameTest, ChangedSystemColoursReachTheHexDumpAndTheTextPage)
{
    constexpr COLORREF kWindow = RGB(0x20, 0x40, 0x60);
    auto node = TextNode();
    m_doc->UpdateAllViews(nullptr, HINT_SHOW_NODE, node.get());
    // Where each page shows the bytes: the dump over its placeholder, the text's edit.
    const struct {
        UINT page;
        UINT control;
    } pages[] = {{IDD_HEX_VIEW, IDC_HEX_PLACEHOLDER}, {IDD_TEXT_VIEW, IDC_TEXT}};
    for (const auto& page : pages) {
        SCOPED_TRACE(page.page);
        m_view->ActivatePage(page.page, false);
        const HWND hWndPage = *m_view->GetSheet().GetActivePage();
        RECT rect{};
        ::GetWindowRect(::GetDlgItem(hWndPage, page.control), &rect);
        POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ::ScreenToClient(hWndPage, &centre);
        const HWND shown = ::ChildWindowFromPointEx(hWndPage, centre, CWP_SKIPINVISIBLE);
        ASSERT_NE(shown, hWndPage);
        // Below the one line of text: the background.
        const auto background = [shown] {
            ::UpdateWindow(shown);
            RECT client{};
            ::GetClientRect(shown, &client);
            const CClientDC dc(shown);
            return ::GetPixel(dc, client.right - 4, client.bottom - 4);
        };
        EXPECT_EQ(background(), ::GetSysColor(COLOR_WINDOW));

        const CWindowColourOverride colour(kWindow);
        ::SendMessageW(*m_frame, WM_SYSCOLORCHANGE, 0, 0);
        EXPECT_EQ(background(), kWindow);
    }
}

TEST_F(MainFrameTest, AWatchedChangeWaitsWhileTheWindowIsDisabledAndIsTakenAfterwards)
{
    const auto handleMessagesFor = [&](DWORD ms) { HandleMessagesFor(ms); };
    ::SendMessageW(*m_frame, WM_COMMAND, ID_EDIT_WATCH_CLIPBOARD, 0);
    const std::wstring before = m_doc->GetTitle();
    {
        // Without an owner window the change is not this process's own.
        const CClipboard clipboard(nullptr);
        ASSERT_TRUE(clipboard);
        ::EmptyClipboard();
    }
    const std::wstring changed = FormatResString(IDS_CLIPBOARD_SNAPSHOT_TITLE, ::GetClipboardSequenceNumber());

    // As a capture, a search or a modal dialog leaves it.
    ::EnableWindow(*m_frame, FALSE);
    handleMessagesFor(800);
    EXPECT_EQ(m_doc->GetTitle(), before);
    ::EnableWindow(*m_frame, TRUE);
    handleMessagesFor(800);
    EXPECT_EQ(m_doc->GetTitle(), changed);
    ::SendMessageW(*m_frame, WM_COMMAND, ID_EDIT_WATCH_CLIPBOARD, 0);
}

TEST_F(MainFrameTest, AWatchedChangeFoundHeldLeavesTitleAndSnapshotAndIsTakenOnceTheClipboardIsFree)
{
    ::SendMessageW(*m_frame, WM_COMMAND, ID_EDIT_WATCH_CLIPBOARD, 0);
    const std::wstring before = m_doc->GetTitle();
    {
        const CClipboard clipboard(nullptr);
        ASSERT_TRUE(clipboard);
        ::EmptyClipboard();
    }
    const std::wstring changed = ClipboardSnapshotTitle(::GetClipboardSequenceNumber());
    {
        // Held by another thread's message-only window, which the watch hears nothing from.
        CHandle release(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        CHandle held(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        std::thread holder([&] {
            const HWND window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                                  nullptr);
            {
                const CClipboard clipboard(window);
                ::SetEvent(held);
                ::WaitForSingleObject(release, INFINITE);
            }
            ::DestroyWindow(window);
        });
        ::WaitForSingleObject(held, INFINITE);
        HandleMessagesFor(800);
        ::SetEvent(release);
        holder.join();
    }
    EXPECT_EQ(m_doc->GetTitle(), before) << "no snapshot was taken";
    EXPECT_EQ(m_doc->Snapshot(), nullptr);
    HandleMessagesFor(800);
    EXPECT_EQ(m_doc->GetTitle(), changed);
    EXPECT_NE(m_doc->Snapshot(), nullptr);
    ::SendMessageW(*m_frame, WM_COMMAND, ID_EDIT_WATCH_CLIPBOARD, 0);
}
