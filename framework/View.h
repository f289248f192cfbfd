// View: a child window that shows a document, takes the document's updates
// and passes the commands it does not handle on to its active page, when it
// hosts pages, then to the document.
#pragma once

#include "framework/Wnd.h"

class CDocument;
class CFrameWnd;

class CView : public CWnd {
public:
    ~CView() override;

    // Creates the window as a child of `parent`, attached to `doc`.
    bool Create(HWND parent, UINT id, CDocument* doc, const RECT& rect, DWORD style = WS_CHILD | WS_VISIBLE);

    CDocument* GetDocument() const { return m_pDocument; }
    // The nearest frame above the view; null when there is none.
    CFrameWnd* GetParentFrame() const;

    // Overridables
    // Once, when the frame is complete; the default is an update with no hint.
    virtual void OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }
    // The document changed; the default repaints.
    virtual void OnUpdate(CView* sender, LPARAM hint, void* hintObject);
    // The view's own commands first, then its active page's, then its document's.
    bool OnCmdMsg(UINT nID) override;
    // Menu item state, along the same way.
    bool OnUpdateCmdUI(CCmdUI& cmdUI) override;

protected:
    // The page in front, for a view that hosts pages; null for the rest.
    virtual CCmdTarget* GetActivePage() const { return nullptr; }
    // Lets a subclass choose the window class and styles.
    virtual bool PreCreateWindow(CREATESTRUCTW& cs) { return true; }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
};
