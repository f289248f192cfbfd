#include "framework/View.h"

#include "framework/Document.h"
#include "framework/FrameWnd.h"

CView::~CView()
{
    // Destroyed here, so that OnDestroy still reaches the view.
    DestroyWindow();
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

bool CView::Create(HWND parent, UINT id, CDocument* doc, const RECT& rect, DWORD style)
{
    CREATESTRUCTW cs{};
    cs.style = style;
    cs.hwndParent = parent;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    const std::wstring defaultClass = RegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
    cs.lpszClass = defaultClass.c_str();
    if (!PreCreateWindow(cs))
        return false;
    // Attached first, so the view's WM_CREATE can read its document.
    if (doc)
        doc->AddView(this);
    const RECT bounds{cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy};
    if (CreateEx(cs.dwExStyle, cs.lpszClass, L"", cs.style, bounds, cs.hwndParent,
                 reinterpret_cast<UINT_PTR>(cs.hMenu)))
        return true;
    if (doc)
        doc->RemoveView(this);
    return false;
}

CFrameWnd* CView::GetParentFrame() const
{
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd; hWnd = ::GetParent(hWnd)) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(FromHandle(hWnd)))
            return frame;
    }
    return nullptr;
}

void CView::OnUpdate(CView* sender, LPARAM hint, void* hintObject)
{
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

bool CView::OnCmdMsg(UINT nID)
{
    CCmdTarget* page = GetActivePage();
    return (page && page->OnCmdMsg(nID)) || (m_pDocument && m_pDocument->OnCmdMsg(nID));
}

bool CView::OnUpdateCmdUI(CCmdUI& cmdUI)
{
    CCmdTarget* page = GetActivePage();
    return (page && page->OnUpdateCmdUI(cmdUI)) || (m_pDocument && m_pDocument->OnUpdateCmdUI(cmdUI));
}

LRESULT CView::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SETFOCUS:
        // The active view follows the focus.
        if (CFrameWnd* frame = GetParentFrame())
            frame->SetActiveView(this);
        break;
    case WM_MOUSEACTIVATE:
        // A click into a view that does not take the focus by itself.
        if (::GetFocus() != m_hWnd && !::IsChild(m_hWnd, ::GetFocus()))
            ::SetFocus(m_hWnd);
        break;
    }
    return WndProcDefault(msg, wParam, lParam);
}

void CView::OnDestroy()
{
    if (CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr);
}
