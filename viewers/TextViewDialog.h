// The text page of a node that has bytes: the bytes decoded with a code page
// from the list (chosen by the node's format, its byte-order mark or the
// detection), and a report line on the terminating NUL and the line breaks.
// An "HTML Format" node can show the fragment its header marks instead.
#pragma once

#include "framework/Controls.h"
#include "framework/Handles.h"
#include "portable/CodePageList.h"
#include "res/resource.h"
#include "viewers/NoSelEdit.h"
#include "viewers/PlexaPropertyPage.h"
#include "viewers/TextDecoder.h"

#include <optional>
#include <utility>

class CTextViewDialog : public CPlexaPropertyPage {
public:
    explicit CTextViewDialog(CCBData* node) : CPlexaPropertyPage(IDD_TEXT_VIEW, node) {}

    void SaveAsDefaultViewTab() override { StoreDefaultViewTab(kTabText); }

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Rebuilds the list and the combo, keeping the code page in effect selected.
    void FillCodePageCombo();
    // The built-in and stored entries, then the node's and `keep`'s code pages when missing.
    void LoadCodePages(int keep);
    // Decodes with the selected entry and shows the text and the report line;
    // loads the node's bytes when none are given.
    void ShowText(std::unique_ptr<BYTE[]> bytes = nullptr);
    // The node's bytes; null with the reason in `failure` when they cannot be had.
    std::unique_ptr<BYTE[]> LoadText(std::wstring& failure) const;
    void OnAddCodePage();
    // Shows the fragment check box for an "HTML Format" node, usable when its header marks one.
    void SetUpFragmentCheck(const std::unique_ptr<BYTE[]>& bytes);

    CComboBox m_comboCodePage;
    CNoSelEdit m_editText;
    CStatic m_staticInfo;
    CButton m_checkFragment;
    std::optional<std::pair<uint64_t, uint64_t>> m_fragment;  // byte range of the HTML fragment
    // Where the check box and the report line were laid out; a narrower page cuts them at its edge.
    RECT m_rcFragmentCheck{};
    RECT m_rcInfo{};
    CCodePageArray m_arrCodePages;  // entry i is combo item i
    CBrushHandle m_editBrush;       // the window colour, for the read-only edit
    int m_nCurrentCodePage = kCodePageAnsi;
    CTextDecoder m_decoder;
};
