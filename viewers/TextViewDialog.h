// The text page of a node that has bytes.
#pragma once

#include "res/resource.h"
#include "viewers/PlexaPropertyPage.h"

class CTextViewDialog : public CPlexaPropertyPage {
public:
    explicit CTextViewDialog(CCBData* node) : CPlexaPropertyPage(IDD_TEXT_VIEW, node) {}

    void SaveAsDefaultViewTab() override { StoreDefaultViewTab(kTabText); }
};
