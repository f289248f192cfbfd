// Top-level frame: menu, accelerators, caption "title - application", the
// layout of its top bar and client, the active view, and the route of
// commands: active view, its document, the frame, the application.
#pragma once

#include "framework/Handles.h"
#include "framework/Wnd.h"

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

    int OnCreate(CREATESTRUCTW& cs) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;
    void PostNcDestroy() override;

    UINT m_nIDResource = 0;
    HACCEL m_hAccelTable = nullptr;  // resource-owned, never destroyed

private:
    CView* m_pActiveView = nullptr;
    CDocument* m_pCreateDocument = nullptr;  // only while LoadFrame runs
};
