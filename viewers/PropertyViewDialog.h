// The property page: a two-column list of what the tree has selected (a
// node's members and information lines, or the formats the source offered),
// whose selected rows a context menu copies as text.
#pragma once

#include "capture/SnapshotFile.h"
#include "framework/ListCtrl.h"
#include "framework/Menu.h"
#include "res/resource.h"
#include "viewers/PlexaPropertyPage.h"

class CPropertyViewDialog : public CPlexaPropertyPage {
public:
    CPropertyViewDialog() : CPlexaPropertyPage(IDD_PROPERTY_VIEW, nullptr) {}

    // Lists the node's rows; null empties the list.
    void ShowNode(CCBData* node);
    // Lists the clipboard's owner, when the snapshot is a paste, then the
    // offered formats; the page then shows no node, so the make-default
    // command has nothing to store.
    // With `nodes`, the snapshot's counts of findings too.
    void ShowSnapshot(const CSnapshotInfo& info, const CCBDataArray* nodes = nullptr);
    // Replaces every row; each string is a name, a tab and a value.
    void SetStringArray(const CStringArray& rows);
    // Stores the column widths for the next run; nothing while the list has no window.
    void SaveColumnWidths();
    // The columns keep their size to the eye when the page moves to `dpi`.
    void SetDpi(UINT dpi);
    // Places the selected rows on the clipboard as text, a line each.
    void CopySelection(bool names, bool values);

    void SaveAsDefaultViewTab() override { StoreDefaultViewTab(kTabProperty); }

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    void OnSize(UINT type, int cx, int cy) override;
    bool OnNotify(NMHDR& hdr, LRESULT& result) override;
    bool OnCmdMsg(UINT nID) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Shows the prepared menu at `point`; the chosen command comes back to the page.
    virtual void TrackContextMenu(const CPopupMenu& menu, POINT point);

    CListCtrl m_list;
    int m_nCharWidth = 0;  // the page font's average, for the default column widths
    UINT m_nDpi = 96;      // the column widths'

private:
    void OnListRightClick();
    void SelectAll();
};
