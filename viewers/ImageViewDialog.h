// The image page, which every node gets.
#pragma once

#include "res/resource.h"
#include "viewers/PlexaPropertyPage.h"

class CImageViewDialog : public CPlexaPropertyPage {
public:
    explicit CImageViewDialog(CCBData* node) : CPlexaPropertyPage(IDD_IMAGE_VIEW, node) {}

    void SaveAsDefaultViewTab() override { StoreDefaultViewTab(kTabImage); }
};
