// The image page, which every node gets: the picture's size and depth on a
// label, and the picture itself in a scrolling window reaching the page's edges.
#pragma once

#include "framework/Controls.h"
#include "viewers/ImgWnd.h"
#include "viewers/PlexaPropertyPage.h"

class CImageViewDialog : public CPlexaPropertyPage {
public:
    // Both out of line, where the picture's type is complete.
    explicit CImageViewDialog(CCBData* node);
    ~CImageViewDialog() override;

    void SaveAsDefaultViewTab() override { StoreDefaultViewTab(kTabImage); }

    // Declared first so that it outlives the window that borrows it.
    CImagePtr m_pImage;
    CStatic m_frame;
    CImgWnd m_imgWnd;
    CStatic m_label;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    void OnSize(UINT type, int cx, int cy) override;
};
