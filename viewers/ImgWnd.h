// The picture window of the image page: one picture at natural size on a
// light background, moved by the scroll bars, the wheel, the keys and by
// dragging. It borrows the picture; the page owns it.
#pragma once

#include "framework/Wnd.h"

namespace Gdiplus {
class Brush;
class Graphics;
class Image;
}

class CImgWnd : public CWnd {
public:
    // The background behind and around the picture, opaque ARGB.
    static constexpr unsigned kBackground = 0xFFEEF2FA;

    // A child with both scroll bars, control id 100, placed by the caller.
    bool Create(HWND parent);
    // Shows `image` (null for none) from the top-left corner.
    void SetImage(Gdiplus::Image* image);
    // Scroll ranges from the client and picture sizes.
    void RecalcLayout();
    // Moves to the offsets, kept within 0 … the maxima, and repaints what is uncovered.
    void ScrollTo(int x, int y, bool updateHorz = true, bool updateVert = true);

    Gdiplus::Image* m_pImage = nullptr;
    int m_cxMargin = 0, m_cyMargin = 0;
    int m_xScroll = 0, m_yScroll = 0;
    int m_cxImage = 0, m_cyImage = 0;
    int m_xMaxScroll = 0, m_yMaxScroll = 0;
    int m_cxScrollLine = 0, m_cyScrollLine = 0;
    int m_cxClient = 0, m_cyClient = 0;
    UINT m_nDpi = 96;  // what the margins, steps and wheel are scaled for
    BOOL m_bDragging = FALSE;
    POINT m_ptDragStart{};
    int m_xDragStart = 0, m_yDragStart = 0;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(CREATESTRUCTW& cs) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    // Margins and scroll steps, given at 96 DPI, for the window's DPI.
    void SetMetricsForDpi(UINT dpi);
    void OnPaint();
    void DrawPicture(Gdiplus::Graphics& canvas, const RECT& clip, const Gdiplus::Brush& background) const;
    void OnScroll(int bar, UINT code);
    void OnKeyDown(UINT key);
    void OnMouse(UINT msg, POINT pt);
};
