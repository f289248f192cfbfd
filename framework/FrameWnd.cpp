#include "framework/FrameWnd.h"

#include "framework/WinApp.h"
#include "res/resource.h"

bool CFrameWnd::LoadFrame(UINT resourceId, DWORD style)
{
    m_nIDResource = resourceId;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    m_hAccelTable = ::LoadAcceleratorsW(instance, MAKEINTRESOURCEW(resourceId));

    CREATESTRUCTW cs{};
    cs.hInstance = instance;
    cs.hMenu = ::LoadMenuW(instance, MAKEINTRESOURCEW(resourceId));
    cs.style = style;
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    const std::wstring title = LoadResString(IDS_UNTITLED) + L" - " + AfxGetApp()->m_strAppName;
    cs.lpszName = title.c_str();
    std::wstring className;
    cs.lpszClass = nullptr;
    if (!PreCreateWindow(cs)) {
        if (cs.hMenu)
            ::DestroyMenu(cs.hMenu);
        return false;
    }
    if (!cs.lpszClass) {
        className = RegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                                     ::LoadIconW(instance, MAKEINTRESOURCEW(resourceId)));
        cs.lpszClass = className.c_str();
    }
    const HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx,
                                        cs.cy, cs.hwndParent, cs.hMenu, instance, this);
    if (!hWnd && cs.hMenu)
        ::DestroyMenu(cs.hMenu);
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

bool CFrameWnd::OnCmdMsg(UINT nID)
{
    if (nID == ID_APP_EXIT) {
        ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
        return true;
    }
    return AfxGetApp()->OnCmdMsg(nID);
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
