#include "ui/MainFrame.h"

#include "common/SettingsNames.h"
#include "framework/CmdUI.h"
#include "framework/Dpi.h"
#include "framework/Resource.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "res/strings/ui.h"
#include "ui/LeftView.h"
#include "ui/PlexaView.h"
#include "viewers/FrameLengths.h"

namespace {
// Pixels at 96 DPI.
constexpr int kDefaultLeftPaneWidth = 200;
constexpr int kDropSlotWidth = 200;
constexpr int kDropWindowWidth = 100;

int ReadFrameInt(const wchar_t* entry, int defaultValue)
{
    return AfxGetApp()->GetProfileInt(settings::kFrameSection, entry, defaultValue);
}

void WriteFrameInt(const wchar_t* entry, int value)
{
    AfxGetApp()->WriteProfileInt(settings::kFrameSection, entry, value);
}
}  // namespace

bool CMainFrame::PreCreateWindow(CREATESTRUCTW& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return false;
    // No background brush: the toolbar and the panes cover the whole client.
    m_strClassName = RegisterWndClass(CS_DBLCLKS, nullptr, nullptr,
                                      ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)));
    cs.lpszClass = m_strClassName.c_str();
    return true;
}

int CMainFrame::OnCreate(CREATESTRUCTW& cs)
{
    m_nDpi = GetWindowDpi(m_hWnd);
    if (CFrameWnd::OnCreate(cs) == -1)
        return -1;
    if (!m_wndToolBar.CreateEx(m_hWnd, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME, {{IDB_TOOLBAR_150, 144}, {IDB_TOOLBAR_200, 192}}))
        return -1;
    m_wndDropAll.Create(m_wndToolBar, IDC_DROP_ALL, RGB(255, 252, 244), LoadResString(IDS_DROP_ALL_CAPTION), false);
    m_wndDropChoose.Create(m_wndToolBar, IDC_DROP_CHOOSE, RGB(244, 255, 252), LoadResString(IDS_DROP_CHOOSE_CAPTION),
                           true);
    PlaceDropWindows();
    RecalcLayout();
    RestoreWatching();
    return 0;
}

void CMainFrame::PlaceDropWindows()
{
    const int dropWidth = ScaleForDpi(kDropWindowWidth, m_nDpi);
    for (int i = 0; i < m_wndToolBar.GetCount(); ++i) {
        if (m_wndToolBar.GetItemID(i) != 0)
            continue;
        m_wndToolBar.SetButtonInfo(i, 0, TBBS_SEPARATOR, ScaleForDpi(kDropSlotWidth, m_nDpi));
        RECT slot;
        if (!m_wndToolBar.GetItemRect(i, slot))
            continue;
        const int height = slot.bottom - slot.top;
        ::MoveWindow(m_wndDropAll, slot.left, slot.top, dropWidth, height, TRUE);
        ::MoveWindow(m_wndDropChoose, slot.left + dropWidth, slot.top, (slot.right - slot.left) - dropWidth, height,
                     TRUE);
        ::ShowWindow(m_wndDropAll, SW_SHOW);
        ::ShowWindow(m_wndDropChoose, SW_SHOW);
    }
}

bool CMainFrame::OnCreateClient(CREATESTRUCTW& cs, CDocument* doc)
{
    if (!m_wndSplitter.CreateStatic(m_hWnd, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return false;
    int width = ReadFrameLength(settings::kLeftPaneWidth, -1, m_nDpi);
    if (width <= 0)
        width = ScaleForDpi(kDefaultLeftPaneWidth, m_nDpi);
    if (!m_wndSplitter.CreateView(0, 0, std::make_unique<CLeftView>(), SIZE{width, 100}, doc) ||
        !m_wndSplitter.CreateView(0, 1, std::make_unique<CPlexaView>(), SIZE{100, 100}, doc)) {
        m_wndSplitter.DestroyWindow();
        return false;
    }
    return true;
}

void CMainFrame::RestoreWindowPlacement()
{
    int show = SW_SHOW;
    if (m_bFirstShow) {
        const bool initialized = ReadFrameInt(settings::kInitialized, 0) != 0;
        const RECT normal{ReadFrameInt(settings::kLeft, -1), ReadFrameInt(settings::kTop, -1),
                          ReadFrameInt(settings::kRight, -1), ReadFrameInt(settings::kBottom, -1)};
        const bool maximized = ReadFrameInt(settings::kMaximized, 0) != 0;
        if (initialized) {
            show = maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
            WINDOWPLACEMENT placement{sizeof(placement)};
            placement.flags = maximized ? WPF_RESTORETOMAXIMIZED : 0;
            placement.showCmd = show;
            placement.ptMinPosition = POINT{0, 0};
            placement.ptMaxPosition = POINT{-::GetSystemMetrics(SM_CXBORDER), -::GetSystemMetrics(SM_CYBORDER)};
            placement.rcNormalPosition = normal;
            m_bApplyingPlacement = true;
            ::SetWindowPlacement(m_hWnd, &placement);
            m_bApplyingPlacement = false;
        }
        m_bFirstShow = FALSE;
    }
    ::ShowWindow(m_hWnd, show);
}

void CMainFrame::SaveWindowPlacement()
{
    if (!::IsWindowVisible(m_hWnd))
        return;
    WINDOWPLACEMENT placement{sizeof(placement)};
    if (!::GetWindowPlacement(m_hWnd, &placement))
        return;
    int iconic = 0;
    int maximized = 0;
    switch (placement.showCmd) {
    case SW_SHOWMAXIMIZED:
        maximized = 1;
        break;
    case SW_SHOWMINIMIZED:
        iconic = 1;
        maximized = placement.flags != 0 ? 1 : 0;
        break;
    }
    WriteFrameInt(settings::kLeft, placement.rcNormalPosition.left);
    WriteFrameInt(settings::kTop, placement.rcNormalPosition.top);
    WriteFrameInt(settings::kRight, placement.rcNormalPosition.right);
    WriteFrameInt(settings::kBottom, placement.rcNormalPosition.bottom);
    WriteFrameInt(settings::kIconic, iconic);
    WriteFrameInt(settings::kMaximized, maximized);
    int leftWidth = 0;
    int minWidth = 0;
    m_wndSplitter.GetColumnInfo(0, leftWidth, minWidth);
    WriteFrameLength(settings::kLeftPaneWidth, leftWidth);
    WriteFrameInt(settings::kInitialized, 1);
    WriteFrameLengthDpi(m_nDpi);
    if (CPlexaView* view = GetContentView())
        view->SaveColumnWidths();
}

CLeftView* CMainFrame::GetTreeView() const
{
    return dynamic_cast<CLeftView*>(m_wndSplitter.GetPane(0, 0));
}

CPlexaView* CMainFrame::GetContentView() const
{
    return dynamic_cast<CPlexaView*>(m_wndSplitter.GetPane(0, 1));
}

bool CMainFrame::OnClose()
{
    SaveWindowPlacement();
    return false;
}

void CMainFrame::OnDpiChanged(UINT dpi, const RECT& suggested)
{
    m_nDpi = dpi;
    m_wndToolBar.SetDpi(dpi);
    m_wndDropAll.SetDpi(dpi);
    m_wndDropChoose.SetDpi(dpi);
    PlaceDropWindows();
    m_wndSplitter.SetDpi(dpi);
    if (CLeftView* tree = GetTreeView())
        tree->SetDpi(dpi);
    // Before the layout, so that the columns saved next are the new DPI's.
    if (CPlexaView* view = GetContentView())
        view->SetDpi(dpi);
    // A saved placement is the rectangle the window had on the desktop; the
    // monitor it lands on must not scale it a second time.
    if (!m_bApplyingPlacement)
        ::SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                       suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The toolbar's height changed even when the frame's size did not.
    RecalcLayout();
}

LRESULT CMainFrame::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DPICHANGED) {
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    }
    if (msg == WM_CLIPBOARDUPDATE) {
        m_watch.OnClipboardUpdate();
        return 0;
    }
    if (msg == WM_TIMER && wParam == CClipboardWatch::kTimerId) {
        if (m_watch.OnTimer(CanTakeWatchedChange()))
            TakeWatchedChange();
        return 0;
    }
    if (msg == WM_QUERYENDSESSION) {
        if (!WndProcDefault(msg, wParam, lParam))
            return FALSE;
        SaveWindowPlacement();
        return TRUE;
    }
    return CFrameWnd::WndProc(msg, wParam, lParam);
}

bool CMainFrame::OnCmdMsg(UINT nID)
{
    // Both act on their own pane whichever pane has the focus.
    if (nID == ID_SET_DEFAULT_VIEW_TAB) {
        if (CPlexaView* view = GetContentView()) {
            view->SaveActivePageAsDefault();
            return true;
        }
    }
    if (nID == ID_SAVE_NODE) {
        if (CLeftView* tree = GetTreeView()) {
            tree->SaveSelectedNode();
            return true;
        }
    }
    if (nID == ID_REPLAY_TO_CLIPBOARD) {
        if (CLeftView* tree = GetTreeView()) {
            tree->ReplaySelectionToClipboard();
            return true;
        }
    }
    if (nID == ID_EDIT_WATCH_CLIPBOARD) {
        OnToggleWatching();
        return true;
    }
    return CFrameWnd::OnCmdMsg(nID);
}

bool CMainFrame::OnUpdateCmdUI(CCmdUI& cmdUI)
{
    if (cmdUI.m_nID == ID_SAVE_NODE) {
        if (const CLeftView* tree = GetTreeView()) {
            cmdUI.Enable(tree->CanSaveSelectedNode());
            return true;
        }
    }
    if (cmdUI.m_nID == ID_EDIT_WATCH_CLIPBOARD) {
        cmdUI.SetCheck(m_watch.IsOn());
        return true;
    }
    return CFrameWnd::OnUpdateCmdUI(cmdUI);
}

