// Toolbar over the common toolbar control, filled from a toolbar resource
// and its bitmap; its buttons send WM_COMMAND to the parent frame.
#pragma once

#include "framework/FrameworkIds.h"
#include "framework/Handles.h"
#include "framework/Wnd.h"

#include <commctrl.h>

// Window-style bit that places a bar at the frame's top; the frame does that
// by the bar's ID, so the bit is not passed to the control.
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr UINT TBBS_SEPARATOR = BTNS_SEP;

class CToolBar : public CWnd {
public:
    ~CToolBar() override;

    // Only the high word of `style` (window styles) reaches the control;
    // its own styles come from `ctrlStyle`.
    bool CreateEx(HWND parent, DWORD ctrlStyle = TBSTYLE_FLAT,
                  DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, UINT id = AFX_IDW_TOOLBAR);
    // Reads the buttons from resource `id` of type RT_TOOLBAR and the
    // images from bitmap `id`, magenta being transparent.
    bool LoadToolBar(UINT id);

    // A separator's width is `width` pixels; a button's is left as it is.
    bool SetButtonInfo(int index, UINT id, UINT style, int width);
    bool GetItemRect(int index, RECT& rect) const;
    UINT GetItemID(int index) const;
    int GetCount() const;

private:
    CImageListHandle m_hImageList;  // the control does not destroy it
};
