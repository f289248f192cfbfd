#include "framework/Wnd.h"

#include "framework/Format.h"
#include "framework/FrameworkIds.h"
#include "framework/WinApp.h"

#include <commctrl.h>

#include <new>
#include <utility>

namespace {
// The window property that links a window to its object. Only windows this
// framework created or subclassed in this process carry it (the name holds
// the process id), so a handle of anyone else's window never turns into a
// pointer.
const wchar_t* ObjectProperty()
{
    static const ATOM atom =
        ::GlobalAddAtomW(FormatString(L"Plexa.CWnd.%lu", ::GetCurrentProcessId()).c_str());
    return MAKEINTATOM(atom);
}

// Called inside a catch block: an exception must not unwind through the
// system code that called the window procedure. The user hears of it once;
// the message is dropped and the program goes on.
void ReportUnhandledException() noexcept
{
    static thread_local bool t_bReporting = false;
    if (t_bReporting)
        return;
    t_bReporting = true;
    try {
        UINT text = IDS_UNEXPECTED_ERROR;
        try {
            throw;
        } catch (const std::bad_alloc&) {
            text = IDS_OUT_OF_MEMORY;
        } catch (...) {
        }
        if (AfxGetApp())
            AfxMessageBox(text, MB_OK | MB_ICONERROR);
    } catch (...) {
    }
    t_bReporting = false;
}

// The object whose window CreateEx is making on this thread, until it is linked.
thread_local CWnd* t_pCreating = nullptr;

// Installs the creation hook for one CreateEx, and restores the outer one
// (a window's WM_CREATE may create children).
class CCreateHook {
public:
    CCreateHook(CWnd* wnd, HOOKPROC proc)
        : m_pOuter(std::exchange(t_pCreating, wnd)),
          m_hHook(::SetWindowsHookExW(WH_CBT, proc, nullptr, ::GetCurrentThreadId()))
    {
    }
    ~CCreateHook()
    {
        if (m_hHook)
            ::UnhookWindowsHookEx(m_hHook);
        t_pCreating = m_pOuter;
    }
    CCreateHook(const CCreateHook&) = delete;
    CCreateHook& operator=(const CCreateHook&) = delete;

private:
    CWnd* m_pOuter;
    HHOOK m_hHook;
};
}

CWnd::~CWnd()
{
    DestroyWindow();
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return hWnd ? static_cast<CWnd*>(::GetPropW(hWnd, ObjectProperty())) : nullptr;
}

std::wstring CWnd::RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    std::wstring name = FormatString(L"Plexa:%x:%p:%p:%p", classStyle, cursor, background, icon);
    WNDCLASSEXW wc{sizeof(wc)};
    if (::GetClassInfoExW(instance, name.c_str(), &wc))
        return name;
    wc.style = classStyle;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = name.c_str();
    return ::RegisterClassExW(&wc) ? name : std::wstring();
}

bool CWnd::CreateEx(DWORD exStyle, const std::wstring& className, const std::wstring& title, DWORD style,
                    const RECT& rect, HWND parent, UINT_PTR idOrMenu)
{
    // Our classes link the object at WM_NCCREATE through lpCreateParams; the
    // hook links a control's window before it sees any message.
    const CCreateHook hook(this, CreateHookProc);
    const HWND hWnd = ::CreateWindowExW(exStyle, className.c_str(), title.c_str(), style, rect.left, rect.top,
                                        rect.right - rect.left, rect.bottom - rect.top, parent,
                                        reinterpret_cast<HMENU>(idOrMenu), ::GetModuleHandleW(nullptr), this);
    return hWnd != nullptr;
}

void CWnd::DestroyWindow()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

std::wstring CWnd::GetWindowText() const
{
    std::wstring text(::GetWindowTextLengthW(m_hWnd) + 1, L'\0');
    text.resize(::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size())));
    return text;
}

LRESULT CWnd::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return WndProcDefault(msg, wParam, lParam);
}

bool CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return OnCmdMsg(LOWORD(wParam));
}

LRESULT CWnd::WndProcDefault(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        // A control's own procedure sets itself up before the object adds to it.
        if (DefWindowProc(msg, wParam, lParam) == -1)
            return -1;
        return OnCreate(*reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (DispatchNotify(*reinterpret_cast<NMHDR*>(lParam), result))
            return result;
        break;
    }
    case WM_CLOSE:
        if (OnClose())
            return 0;
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    }
    return DefWindowProc(msg, wParam, lParam);
}

bool CWnd::DispatchNotify(NMHDR& hdr, LRESULT& result)
{
    CWnd* sender = FromHandle(hdr.hwndFrom);
    if (sender && sender != this && sender->OnNotifyReflect(hdr, result))
        return true;
    return OnNotify(hdr, result);
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return m_bSubclassed ? ::DefSubclassProc(m_hWnd, msg, wParam, lParam)
                         : ::DefWindowProcW(m_hWnd, msg, wParam, lParam);
}

void CWnd::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    ::SetPropW(hWnd, ObjectProperty(), this);
}

bool CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || m_hWnd || !::SetWindowSubclass(hWnd, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    Attach(hWnd);
    m_bSubclassed = true;
    return true;
}

LRESULT CWnd::Dispatch(CWnd* wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const HWND hWnd = wnd->m_hWnd;
    LRESULT result = 0;
    try {
        result = wnd->WndProc(msg, wParam, lParam);
    } catch (...) {
        ReportUnhandledException();
    }
    // Nothing of `wnd` is touched after WndProc but for WM_NCDESTROY: a
    // handler may have deleted the object (the end of a log-on does).
    if (msg == WM_NCDESTROY) {
        if (wnd->m_bSubclassed)
            ::RemoveWindowSubclass(hWnd, SubclassProc, 0);
        wnd->m_bSubclassed = false;
        ::RemovePropW(hWnd, ObjectProperty());
        wnd->m_hWnd = nullptr;
        wnd->PostNcDestroy();
    }
    return result;
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandle(hWnd);
    if (msg == WM_NCCREATE) {
        wnd = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        wnd->Attach(hWnd);
    }
    return wnd ? Dispatch(wnd, msg, wParam, lParam) : ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK CWnd::CreateHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_pCreating) {
        const HWND hWnd = reinterpret_cast<HWND>(wParam);
        const CREATESTRUCTW& cs = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (cs.lpCreateParams == t_pCreating) {
            CWnd* wnd = std::exchange(t_pCreating, nullptr);
            if (::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(StaticWndProc))
                wnd->SubclassWindow(hWnd);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR refData)
{
    return Dispatch(reinterpret_cast<CWnd*>(refData), msg, wParam, lParam);
}
