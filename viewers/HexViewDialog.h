// The HEX page: the node's bytes as a hex dump of 16, 32 or 64 bytes a line,
// read from the node's temporary file as the dump draws, copies or exports.
#pragma once

#include "framework/Controls.h"
#include "framework/Handles.h"
#include "res/resource.h"
#include "viewers/HexViewCtrl.h"
#include "viewers/NoSelEdit.h"
#include "viewers/PlexaPropertyPage.h"

class CHexViewDialog : public CPlexaPropertyPage {
public:
    explicit CHexViewDialog(CCBData* node) : CPlexaPropertyPage(IDD_HEX_VIEW, node) {}

    void SaveAsDefaultViewTab() override { StoreDefaultViewTab(kTabHex); }
    // Selects `length` bytes at `offset` (those that exist) and gives the dump the focus.
    void ShowBytes(uint64_t offset, uint64_t length);

    // Reads from the open temporary file of the page in `context`; nothing when it is not open.
    static uint32_t ReadFromFile(uint64_t offset, uint32_t count, void* buffer, void* context, int64_t param);

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    void OnSize(UINT type, int cx, int cy) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

    // Destroyed in the reverse order: placeholder, combo box, file, font, dump.
    CHexViewCtrl m_hexView;
    CFontHandle m_font;
    CFileHandle m_file;
    CComboBox m_comboWidth;
    CNoSelEdit m_editFrame;

private:
    void OnWidthChange();
};
