// Toolbar over the common toolbar control, filled from a toolbar resource
// and its bitmap; its buttons send WM_COMMAND to the parent frame.
#pragma once

#include "framework/FrameworkIds.h"
#include "framework/Handles.h"
#include "framework/Wnd.h"

#include <commctrl.h>

#include <vector>

// Window-style bit that places a bar at the frame's top; the frame does that
// by the bar's ID, so the bit is not passed to the control.
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr UINT TBBS_SEPARATOR = BTNS_SEP;

// A bitmap of the toolbar's images drawn for a scale other than 100 %.
struct CToolBarArt {
    UINT bitmapId;
    UINT dpi;
};

class CToolBar : public CWnd {
public:
    ~CToolBar() override;

    // Only the high word of `style` (window styles) reaches the control;
    // its own styles come from `ctrlStyle`.
    bool CreateEx(HWND parent, DWORD ctrlStyle = TBSTYLE_FLAT,
                  DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, UINT id = AFX_IDW_TOOLBAR);
    // Reads the buttons from resource `id` of type RT_TOOLBAR and the
    // images, at 96 DPI, from bitmap `id`, magenta being transparent;
    // `larger` names the same images drawn for higher DPIs. The images are
    // made for the window's DPI.
    bool LoadToolBar(UINT id, std::vector<CToolBarArt> larger = {});
    // Remakes the images for `dpi` from the artwork drawn for it, or from the
    // nearest larger one scaled down (the largest scaled up past them all).
    bool SetDpi(UINT dpi);

    // A separator's width is `width` pixels; a button's is left as it is.
    bool SetButtonInfo(int index, UINT id, UINT style, int width);
    bool GetItemRect(int index, RECT& rect) const;
    UINT GetItemID(int index) const;
    int GetCount() const;

private:
    CImageListHandle m_hImageList;  // the control does not destroy it
    std::vector<CToolBarArt> m_art;  // by rising DPI, the 96-DPI bitmap first
    SIZE m_imageSize{};              // at 96 DPI
    int m_nImages = 0;
};
