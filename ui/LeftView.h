// The capture tree: a root titled with the snapshot, one item per captured
// node in capture order, nested items for subtrees. Selecting an item shows
// its node in the content view. A subtree's items are made when it is first
// expanded, so that a snapshot of a hundred thousand files shows at once.
#pragma once

#include "capture/CBData.h"
#include "framework/Handles.h"
#include "framework/TreeView.h"

#include <commctrl.h>

class CLeftView : public CTreeView {
public:
    ~CLeftView() override;

    void OnUpdate(CView* sender, LPARAM hint, void* hintObject) override;
    // Makes the item images (16 pixels at 96 DPI) and the font for `dpi`.
    void SetDpi(UINT dpi);

protected:
    int OnCreate(CREATESTRUCTW& cs) override;
    bool OnNotifyReflect(NMHDR& hdr, LRESULT& result) override;

private:
    void Rebuild();
    void SelectFirstNode();
    // One level: items with a subtree get a button and their children later.
    void AddNodes(HTREEITEM parent, const CCBDataArray& nodes);
    void AddChildrenOnce(HTREEITEM item);
    HTREEITEM InsertItem(HTREEITEM parent, const std::wstring& text, int image, CCBData* node);

    CImageListHandle m_imageList;  // the tree does not destroy it
    CFontHandle m_font;            // nor its font
};
