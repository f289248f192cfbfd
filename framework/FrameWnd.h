// Top-level frame: menu, accelerators, caption "title - application", the
// layout of its top bar and client, the active view, the focus handed on to
// it, the route of commands and of menu item state (active view, its page,
// its document, the frame, the application), the messages Windows sends only
// to top-level windows passed on to every child, and the application's end
// when the log-on ends.
#pragma once

#include "framework/Handles.h"
#include "framework/Wnd.h"

#include <array>

class CDocument;
class CView;

class CFrameWnd : public CWnd {
public:
    // Creates the frame with menu, accelerators and icon of resource `resourceId`;
    // `doc` is handed to OnCreateClient for the views it makes.
    bool LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW, CDocument* doc = nullptr);
    // Sets the caption to title + " - " + application name.
    void SetTitle(const std::wstring& title);

    // The view that commands reach first; it follows the focus.
    CView* GetActiveView() const { return m_pActiveView; }
    void SetActiveView(CView* view) { m_pActiveView = view; }
    // Tells the document's views the frame is complete and focuses the first
    // one when no view is active yet.
    void InitialUpdateFrame(CDocument* doc);
    // Puts the top bar (AFX_IDW_TOOLBAR) at the top and the client
    // (AFX_IDW_PANE_FIRST) in the rest.
    void RecalcLayout();

    bool PreTranslateMessage(MSG& msg) override;

protected:
    // Lets a subclass adjust the class and styles before the window exists.
    virtual bool PreCreateWindow(CREATESTRUCTW& cs);
    // Creates the client window (a view or a splitter) during WM_CREATE;
    // false fails the creation.
    virtual bool OnCreateClient(CREATESTRUCTW& cs, CDocument* doc) { return true; }
    // The frame's own commands: exit and moving between panes.
    bool OnCmdMsg(UINT nID) override;

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(CREATESTRUCTW& cs) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;
    void PostNcDestroy() override;

    UINT m_nIDResource = 0;
    HACCEL m_hAccelTable = nullptr;  // resource-owned, never destroyed

private:
    // Where the keys go when the frame gets the focus: the window that had it
    // when the frame was last deactivated, else the active view.
    HWND GetFocusTarget() const;
    // The route's links in order; the active view asks its page and document
    // itself, and may be null.
    std::array<CCmdTarget*, 3> GetRoute();
    // Each command item of a menu about to open gets its state from the route.
    void OnInitMenuPopup(HMENU menu);

    CView* m_pActiveView = nullptr;
    HWND m_hWndLastFocus = nullptr;  // a descendant focused at the last deactivation
    CDocument* m_pCreateDocument = nullptr;  // only while LoadFrame runs
};
