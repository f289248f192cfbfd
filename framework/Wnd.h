// Window base: owns the HWND-to-object link and dispatches messages to
// virtual handlers. Subclasses override WndProc for the messages they take
// and pass everything else to WndProcDefault.
#pragma once

#include "framework/CmdTarget.h"

#include <windows.h>

#include <string>

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The object that owns the window, or null for windows we did not create.
    static CWnd* FromHandle(HWND hWnd);

    // Registers (once) a class that dispatches to CWnd objects and returns its name.
    static std::wstring RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon);

    // Takes over an existing window (a dialog control) so its messages reach this object.
    bool SubclassWindow(HWND hWnd);
    bool SubclassDlgItem(UINT id, HWND parent) { return SubclassWindow(::GetDlgItem(parent, id)); }

    // Creates a window of one of our classes or of a system control class; a
    // control is subclassed before its first message, so it reaches this object too.
    bool CreateEx(DWORD exStyle, const std::wstring& className, const std::wstring& title, DWORD style,
                  const RECT& rect, HWND parent, UINT_PTR idOrMenu);
    void DestroyWindow();

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    std::wstring GetWindowText() const;
    void SetWindowText(const std::wstring& text) { ::SetWindowTextW(m_hWnd, text.c_str()); }
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, msg, wParam, lParam);
    }

    // Gives the window a chance to take a message before it is dispatched
    // (accelerators, dialog navigation); true consumes it.
    virtual bool PreTranslateMessage(MSG& msg) { return false; }

protected:
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT WndProcDefault(UINT msg, WPARAM wParam, LPARAM lParam);
    // What happens to a message nobody handled: the class's own procedure.
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // Handlers called by WndProcDefault; each returns whether it handled the message.
    virtual int OnCreate(CREATESTRUCTW& cs) { return 0; }
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    virtual bool OnClose() { return false; }
    virtual void OnDestroy() {}
    virtual void OnSize(UINT type, int cx, int cy) {}
    // A notification this window sent to its parent, offered back to it first
    // so a control handles its own notifications; true stops it, with `result`.
    virtual bool OnNotifyReflect(NMHDR& hdr, LRESULT& result) { return false; }
    // A child's notification that the child's own object did not take.
    virtual bool OnNotify(NMHDR& hdr, LRESULT& result) { return false; }
    // Called after the window is gone; the object may delete itself here.
    virtual void PostNcDestroy() {}

    HWND m_hWnd = nullptr;

    // Links the object to its window; every window procedure of ours starts here.
    void Attach(HWND hWnd);
    // Offers a WM_NOTIFY to the sender's object, then to OnNotify; true when one took it.
    bool DispatchNotify(NMHDR& hdr, LRESULT& result);
    // Runs the object's procedure and unlinks it once the window is gone.
    static LRESULT Dispatch(CWnd* wnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK StaticWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CreateHookProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR refData);

    bool m_bSubclassed = false;
};
