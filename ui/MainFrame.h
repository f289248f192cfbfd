// Plexa's top-level window: menu, a toolbar holding the two drop windows,
// and a splitter with the capture tree on the left and the content on the
// right. It remembers its placement and the tree's width between runs, and,
// while the clipboard is watched, takes a snapshot of each change.
#pragma once

#include "framework/FrameWnd.h"
#include "framework/SplitterWnd.h"
#include "framework/ToolBar.h"
#include "ui/ClipboardWatch.h"
#include "ui/DropEntranceWnd.h"

class CLeftView;
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

protected:
    bool PreCreateWindow(CREATESTRUCTW& cs) override;
    bool OnCreateClient(CREATESTRUCTW& cs, CDocument* doc) override;
    int OnCreate(CREATESTRUCTW& cs) override;
    bool OnClose() override;
    // Saving the tree's selection and making the content's open page the
    // default, whichever pane has the focus; watching the clipboard.
    bool OnCmdMsg(UINT nID) override;
    bool OnUpdateCmdUI(CCmdUI& cmdUI) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void PlaceDropWindows();
    // Moved to a monitor of another scale: images, fonts and layout made
    // again for `dpi`, and the frame put where Windows suggests.
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    // The panes, when they are the tree and the content view.
    CLeftView* GetTreeView() const;
    CPlexaView* GetContentView() const;

    // Watching the clipboard (MainFrameWatch.cpp), as the settings last
    // had it; the listener follows `on`, and the menu's check mark the listener.
    void RestoreWatching();
    void SetWatching(bool on);
    void OnToggleWatching();
    // No capture, dialog, menu or mouse capture is running, so a watched
    // change can be taken without pulling nodes from under it.
    bool CanTakeWatchedChange() const;
    // Pastes the changed clipboard; the tree goes back to the format and the
    // content view to the page that were shown, where the snapshot has them.
    void TakeWatchedChange();
    // Says in the caption, beside the snapshot's `title`, that a change was
    // left alone at its source's request.
    void NoteChangeLeftAlone(const std::wstring& title);

    CClipboardWatch m_watch;

    std::wstring m_strClassName;
    BOOL m_bFirstShow = TRUE;
    UINT m_nDpi = 96;  // the frame's, which every size in it follows
    bool m_bApplyingPlacement = false;  // while the saved placement is set
};
