// The capture tree: a root titled with the snapshot, one item per captured
// node in capture order, nested items for subtrees. Selecting an item shows
// its node in the content view. A subtree's items are made when it is first
// expanded, so that a snapshot of a hundred thousand files shows at once.
// The selected node's bytes can be saved to a file (context menu, Ctrl+S),
// and its format offered again, on the clipboard or dragged out.
#pragma once

#include "capture/CBData.h"
#include "framework/Handles.h"
#include "framework/Menu.h"
#include "framework/TreeView.h"

#include <commctrl.h>

#include <optional>
#include <vector>

class CLeftView : public CTreeView {
public:
    ~CLeftView() override;

    void OnUpdate(CView* sender, LPARAM hint, void* hintObject) override;
    // Makes the item images (16 pixels at 96 DPI) and the font for `dpi`.
    void SetDpi(UINT dpi);
    // ID_SAVE_NODE and ID_REPLAY_TO_CLIPBOARD, from the context menu or while
    // the tree is the active view.
    bool OnCmdMsg(UINT nID) override;
    // The node of the selected item; null for the root or when nothing is selected.
    CCBData* GetSelectedNode() const;
    // The selected node has captured bytes to save.
    bool CanSaveSelectedNode() const;
    // Asks where, then writes the selected node's bytes there; the user hears
    // when there are none or they cannot be written.
    void SaveSelectedNode();
    // The format of the top-level node the selection lies in; 0 for the
    // root or when nothing is selected.
    CLIPFORMAT GetSelectedFormat() const;
    // Offers the top-level node the selection lies in, or with the root or
    // nothing selected the whole snapshot, on the clipboard again.
    void ReplaySelectionToClipboard();
    // Selects the first top-level node of `format`, which the content view
    // then shows; false when the snapshot has none.
    bool SelectFormat(CLIPFORMAT format);
    // Selects the item of top-level node `node`; false when the snapshot has no such node.
    bool SelectTopLevelNode(const CCBData* node);

protected:
    // Overridables: where a node is saved (empty: cancelled) and how the context menu shows.
    virtual std::wstring ChooseSavePath(const std::wstring& proposedName);
    virtual void TrackContextMenu(const CPopupMenu& menu, POINT point);

    int OnCreate(CREATESTRUCTW& cs) override;
    bool OnNotifyReflect(NMHDR& hdr, LRESULT& result) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Rebuild();
    void SelectFirstNode();
    // One level: items with a subtree get a button and their children later.
    void AddNodes(HTREEITEM parent, const CCBDataArray& nodes);
    void AddChildrenOnce(HTREEITEM item);
    // The item shows `node` (null for the root) with the overlay of `worst`.
    HTREEITEM InsertItem(HTREEITEM parent, const std::wstring& text, int image, CCBData* node,
                         std::optional<FindingSeverity> worst);
    // The first top-level item whose node `matches` says yes to; null when none does.
    template <class Matches>
    HTREEITEM FindTopLevelItem(Matches matches) const;
    // The node an item shows; null for the root.
    CCBData* NodeOf(HTREEITEM item) const;
    // The top-level node `item` lies in; null for the root or no item.
    const CCBData* TopLevelNodeOf(HTREEITEM item) const;
    // The formats an item stands for when offered again: its top-level
    // node's, or for the root (or no item) every one.
    std::vector<const CCBData*> FormatsOf(HTREEITEM item) const;
    // The menu for `item` at `point` (screen coordinates).
    void ShowContextMenu(HTREEITEM item, POINT point);

    CImageListHandle m_imageList;  // the tree does not destroy it
    CFontHandle m_font;            // nor its font
};
