// Plexa's top-level window: menu, a toolbar holding the two drop windows,
// and a splitter with the capture tree on the left and the content on the
// right. It remembers its placement and the tree's width between runs.
#pragma once

#include "framework/FrameWnd.h"
#include "framework/SplitterWnd.h"
#include "framework/ToolBar.h"
#include "ui/DropEntranceWnd.h"

class CPlexaView;

class CMainFrame : public CFrameWnd {
public:
    // Applies the saved placement the first time, then shows the window.
    void RestoreWindowPlacement();
    // Stores the placement and the pane widths; nothing while hidden.
    void SaveWindowPlacement();

    CToolBar m_wndToolBar;
    CDropEntranceWnd m_wndDropAll;
    CDropEntranceWnd m_wndDropChoose;
    CSplitterWnd m_wndSplitter;
    std::wstring m_strClassName;
    BOOL m_bFirstShow = TRUE;
    UINT m_nDpi = 96;  // the frame's, which every size in it follows

protected:
    bool PreCreateWindow(CREATESTRUCTW& cs) override;
    bool OnCreateClient(CREATESTRUCTW& cs, CDocument* doc) override;
    int OnCreate(CREATESTRUCTW& cs) override;
    bool OnClose() override;
    bool OnCmdMsg(UINT nID) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void PlaceDropWindows();
    // Moved to a monitor of another scale: images, fonts and layout made
    // again for `dpi`, and the frame put where Windows suggests.
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    // The right pane, when it is the content view.
    CPlexaView* GetContentView() const;
    void OnSetDefaultViewTab();

    bool m_bApplyingPlacement = false;  // while the saved placement is set
};
