// The content view, right pane of the splitter: a property sheet filling the
// view with the viewer pages of what the tree has selected. The property
// page is always the first tab; each shown node gets fresh HEX, text and
// image pages, and the sheet opens the one its format names as the default.
#pragma once

#include "framework/PropertySheet.h"
#include "framework/View.h"
#include "viewers/PropertyViewDialog.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CPlexaView : public CView {
public:
    ~CPlexaView() override;

    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, LPARAM hint, void* hintObject) override;

    // The dialog template of the page in front; 0 before the sheet exists.
    UINT GetActivePageTemplate() const;
    // Brings the page made from `templateId` to the front, if the shown
    // node has one, and gives it the keyboard focus when `focus` is set.
    void ActivatePage(UINT templateId, bool focus);
    // The page in front becomes the one that opens first for the shown node's format.
    void SaveActivePageAsDefault();
    // Stores the property list's column widths for the next run.
    void SaveColumnWidths();
    // The property list's columns keep their size to the eye at `dpi`.
    void SetDpi(UINT dpi);
    // The pages as they stand, to look at.
    const CPropertySheet& GetSheet() const { return m_sheet; }

protected:
    CPropertyPage* GetActivePage() const override { return m_sheet.GetActivePage(); }
    bool PreCreateWindow(CREATESTRUCTW& cs) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    // The sheet over the whole view, its tab control inside the measured
    // margins, every page that has a window on the tab's display area.
    void Layout();
    // Moved to a monitor of another scale (per-monitor awareness only).
    void OnDpiChanged();
    // Adds a page made for the shown node; the view owns it while the sheet holds it.
    CPlexaPropertyPage* AddNodePage(std::unique_ptr<CPlexaPropertyPage> page);
    // Removes and deletes every page but the property page.
    void RemoveNodePages();
    // The checks page of `node` (null: the root), when it has findings.
    CPlexaPropertyPage* AddChecksPage(CCBData* node);
    // The HEX page of `node` with the bytes selected, once the page that
    // asked is no longer in the middle of a message: showing another node
    // replaces it.
    void ShowBytesLater(const CCBData& node, uint64_t offset, uint64_t length);
    void ShowPendingBytes();

    CPropertySheet m_sheet;
    CPropertyViewDialog m_propPage;  // page 0 of m_sheet for the view's whole life
    std::wstring m_strClassName;
    // Between the sheet's client rectangle and its tab control, as the sheet made them.
    int m_nMarginLeft = 0;
    int m_nMarginTop = 0;
    int m_nMarginRight = 0;
    int m_nMarginBottom = 0;
    UINT m_nMarginDpi = 96;  // the DPI the margins are for
    bool m_bLayoutReady = false;
    std::vector<std::unique_ptr<CPlexaPropertyPage>> m_nodePages;
    const CCBData* m_pShownNode = nullptr;  // null for the root or nothing
    struct CBytesRequest {
        const CCBData* node;
        uint64_t offset, length;
    };
    std::optional<CBytesRequest> m_pendingBytes;
};
