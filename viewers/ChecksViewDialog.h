// The checks page: what the checks found in the shown node, or, for the
// root, in the whole snapshot with the node of each finding. A finding with
// an offset opens its bytes on the HEX page when double-clicked; Ctrl+C
// copies the selected rows as text.
#pragma once

#include "capture/NodeChecks.h"
#include "framework/Handles.h"
#include "framework/ListCtrl.h"
#include "res/resource.h"
#include "viewers/PlexaPropertyPage.h"

#include <functional>
#include <vector>

class CChecksViewDialog : public CPlexaPropertyPage {
public:
    // The findings of `node`, or with a null node those of every node of `snapshot`.
    CChecksViewDialog(CCBData* node, const CCBDataArray& snapshot);

    // Whether the page has anything to list for `node` (null: the snapshot).
    static bool HasFindings(const CCBData* node, const CCBDataArray& snapshot);

    // Asked to show `length` bytes at `offset` of `node` on its HEX page.
    using ShowBytesHandler = std::function<void(const CCBData& node, uint64_t offset, uint64_t length)>;
    void SetShowBytesHandler(ShowBytesHandler handler) { m_showBytes = std::move(handler); }

    // The selected rows, a line each with the columns separated by tabs.
    std::wstring SelectedRowsText() const;
    void CopySelection() const;
    // Shows the bytes of row `row`'s finding, when it has an offset.
    void OpenRow(int row) const;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    void OnSize(UINT type, int cx, int cy) override;
    bool OnNotify(NMHDR& hdr, LRESULT& result) override;
    bool OnCmdMsg(UINT nID) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    CListCtrl m_list;

private:
    // The severities' icons at the page's DPI, as the list shows them.
    void MakeSeverityImages();
    void FillRows();

    std::vector<NodeFinding> m_findings;  // a row each, in this order
    bool m_bWholeSnapshot;
    CImageListHandle m_images;
    ShowBytesHandler m_showBytes;
};
