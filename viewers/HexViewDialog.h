// The HEX page of a node that has bytes.
#pragma once

#include "res/resource.h"
#include "viewers/PlexaPropertyPage.h"

class CHexViewDialog : public CPlexaPropertyPage {
public:
    explicit CHexViewDialog(CCBData* node) : CPlexaPropertyPage(IDD_HEX_VIEW, node) {}

    void SaveAsDefaultViewTab() override { StoreDefaultViewTab(kTabHex); }
};
