#include "framework/FrameWnd.h"

#include "framework/CmdUI.h"
#include "framework/Document.h"
#include "framework/FrameworkIds.h"
#include "framework/Menu.h"
#include "framework/SplitterWnd.h"
#include "framework/View.h"
#include "framework/WinApp.h"

#include <commctrl.h>

#include <algorithm>

namespace {

BOOL CALLBACK SendToChild(HWND child, LPARAM message)
{
    const MSG& msg = *reinterpret_cast<const MSG*>(message);
    ::SendMessageW(child, msg.message, msg.wParam, msg.lParam);
    return TRUE;
}

}

bool CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CDocument* doc)
{
    m_nIDResource = resourceId;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    m_hAccelTable = ::LoadAcceleratorsW(instance, MAKEINTRESOURCEW(resourceId));

    // Ours until a window is made with it, which destroys it with itself.
    CMenuHandle menu(LoadMenuResource(resourceId));
    CREATESTRUCTW cs{};
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.style = style;
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    const std::wstring title = LoadResString(IDS_UNTITLED) + L" - " + AfxGetApp()->m_strAppName;
    cs.lpszName = title.c_str();
    std::wstring className;
    cs.lpszClass = nullptr;
    if (!PreCreateWindow(cs))
        return false;
    if (!cs.lpszClass) {
        className = RegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                                     ::LoadIconW(instance, MAKEINTRESOURCEW(resourceId)));
        cs.lpszClass = className.c_str();
    }
    m_pCreateDocument = doc;
    const HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx,
                                        cs.cy, cs.hwndParent, cs.hMenu, instance, this);
    m_pCreateDocument = nullptr;
    if (hWnd && cs.hMenu == menu)
        menu.Detach();
    return hWnd != nullptr;
}

bool CFrameWnd::PreCreateWindow(CREATESTRUCTW& cs)
{
    return true;
}

void CFrameWnd::SetTitle(const std::wstring& title)
{
    ::SetWindowTextW(m_hWnd, (title + L" - " + AfxGetApp()->m_strAppName).c_str());
}

bool CFrameWnd::PreTranslateMessage(MSG& msg)
{
    return m_hAccelTable && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST &&
           ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, &msg);
}

LRESULT CFrameWnd::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (const HWND focus = ::GetFocus(); focus && ::IsChild(m_hWnd, focus))
                m_hWndLastFocus = focus;
        }
        break;
    case WM_SETFOCUS:
        // The frame takes no keys itself.
        if (const HWND target = GetFocusTarget()) {
            ::SetFocus(target);
            return 0;
        }
        break;
    case WM_INITMENUPOPUP:
        // Not the window menu: its items are no commands of ours.
        if (!HIWORD(lParam))
            OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        break;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE: {
        // Windows tells only top-level windows; the controls and pages inside
        // must follow the new colours and metrics too. The enumeration goes
        // down to every descendant.
        const MSG message{m_hWnd, msg, wParam, lParam};
        ::EnumChildWindows(m_hWnd, SendToChild, reinterpret_cast<LPARAM>(&message));
        break;
    }
    case WM_ENDSESSION:
        // Windows may end the process as soon as this returns: the
        // application cleans up now, as at an exit. The frame object may
        // be gone afterwards, so nothing of it is touched.
        if (wParam) {
            if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) {
                app->EndSession();
                return 0;
            }
        }
        break;
    }
    return CWnd::WndProc(msg, wParam, lParam);
}

HWND CFrameWnd::GetFocusTarget() const
{
    const HWND last = m_hWndLastFocus;
    if (last && ::IsChild(m_hWnd, last) && ::IsWindowVisible(last) && ::IsWindowEnabled(last))
        return last;
    return m_pActiveView ? m_pActiveView->GetSafeHwnd() : nullptr;
}

int CFrameWnd::OnCreate(CREATESTRUCTW& cs)
{
    return OnCreateClient(cs, m_pCreateDocument) ? 0 : -1;
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc)
{
    if (!m_pActiveView && !doc->GetViews().empty())
        ::SetFocus(*doc->GetViews().front());
    doc->SendInitialUpdate();
}

void CFrameWnd::RecalcLayout()
{
    RECT rect;
    ::GetClientRect(m_hWnd, &rect);
    if (const HWND bar = ::GetDlgItem(m_hWnd, AFX_IDW_TOOLBAR); bar && ::IsWindowVisible(bar)) {
        // The toolbar sizes itself to the frame's width and its buttons' height.
        ::SendMessageW(bar, TB_AUTOSIZE, 0, 0);
        RECT barRect;
        ::GetWindowRect(bar, &barRect);
        rect.top = std::min(rect.bottom, rect.top + (barRect.bottom - barRect.top));
    }
    if (const HWND client = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST))
        ::MoveWindow(client, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void CFrameWnd::OnSize(UINT type, int cx, int cy)
{
    if (type != SIZE_MINIMIZED)
        RecalcLayout();
}

std::array<CCmdTarget*, 3> CFrameWnd::GetRoute()
{
    return {m_pActiveView, this, AfxGetApp()};
}

bool CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    for (CCmdTarget* target : GetRoute()) {
        if (target && target->OnCmdMsg(LOWORD(wParam)))
            return true;
    }
    return false;
}

void CFrameWnd::OnInitMenuPopup(HMENU menu)
{
    for (int i = 0, count = ::GetMenuItemCount(menu); i < count; ++i) {
        CCmdUI cmdUI(menu, i);
        if (!cmdUI.IsCommand())
            continue;
        for (CCmdTarget* target : GetRoute()) {
            if (target && target->OnUpdateCmdUI(cmdUI))
                break;
        }
    }
}

bool CFrameWnd::OnCmdMsg(UINT nID)
{
    switch (nID) {
    case ID_APP_EXIT:
        ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
        return true;
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
        if (auto* splitter = dynamic_cast<CSplitterWnd*>(FromHandle(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST)))) {
            splitter->ActivateNext(nID == ID_PREV_PANE);
            return true;
        }
        return false;
    }
    return false;
}

void CFrameWnd::PostNcDestroy()
{
    // The main frame's end is the application's end.
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
}
