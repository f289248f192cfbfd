#include "viewers/ImgWnd.h"

#include "framework/Dpi.h"
#include "framework/GdiPlus.h"
#include "framework/Handles.h"
#include "framework/ScrollRequest.h"
#include "res/resource.h"

#include <climits>
#include <windowsx.h>

namespace {

// The largest offset that still fills the client: 0 when everything fits.
int MaxScroll(int image, int margin, int client)
{
    return std::max(image + 2 * margin - client, 0);
}

// A picture side as an int that leaves room for both margins.
int PictureSide(UINT side)
{
    return static_cast<int>(std::min<UINT>(side, INT_MAX / 2));
}

}

bool CImgWnd::Create(HWND parent)
{
    const std::wstring className = RegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    return CreateEx(0, className, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_GROUP | WS_TABSTOP,
                    RECT{}, parent, IDC_IMAGE_WINDOW);
}

void CImgWnd::SetImage(Gdiplus::Image* image)
{
    m_pImage = image;
    m_xScroll = m_yScroll = 0;
    if (!m_hWnd)
        return;
    RecalcLayout();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CImgWnd::RecalcLayout()
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    m_cxClient = client.right;
    m_cyClient = client.bottom;
    // A picture GDI+ could not decode reports 0 × 0 and is not drawn.
    m_cxImage = m_pImage ? PictureSide(m_pImage->GetWidth()) : 0;
    m_cyImage = m_pImage ? PictureSide(m_pImage->GetHeight()) : 0;
    m_xMaxScroll = MaxScroll(m_cxImage, m_cxMargin, m_cxClient);
    m_yMaxScroll = MaxScroll(m_cyImage, m_cyMargin, m_cyClient);
    m_xScroll = std::min(m_xScroll, m_xMaxScroll);
    m_yScroll = std::min(m_yScroll, m_yMaxScroll);
    SCROLLINFO horz{sizeof(horz), SIF_RANGE | SIF_PAGE | SIF_POS, 0, m_cxImage + 2 * m_cxMargin - 1,
                    static_cast<UINT>(m_cxClient), m_xScroll};
    ::SetScrollInfo(m_hWnd, SB_HORZ, &horz, TRUE);
    SCROLLINFO vert{sizeof(vert), SIF_RANGE | SIF_PAGE | SIF_POS, 0, m_cyImage + 2 * m_cyMargin - 1,
                    static_cast<UINT>(m_cyClient), m_yScroll};
    ::SetScrollInfo(m_hWnd, SB_VERT, &vert, TRUE);
}

void CImgWnd::ScrollTo(int x, int y, bool updateHorz, bool updateVert)
{
    x = std::clamp(x, 0, m_xMaxScroll);
    y = std::clamp(y, 0, m_yMaxScroll);
    const int dx = m_xScroll - x;
    const int dy = m_yScroll - y;
    m_xScroll = x;
    m_yScroll = y;
    if (dx || dy)
        ::ScrollWindowEx(m_hWnd, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    if (updateHorz)
        ::SetScrollPos(m_hWnd, SB_HORZ, x, TRUE);
    if (updateVert)
        ::SetScrollPos(m_hWnd, SB_VERT, y, TRUE);
    ::UpdateWindow(m_hWnd);
}

int CImgWnd::OnCreate(CREATESTRUCTW&)
{
    SetMetricsForDpi(GetWindowDpi(m_hWnd));
    RecalcLayout();
    return 0;
}

void CImgWnd::SetMetricsForDpi(UINT dpi)
{
    m_nDpi = dpi;
    m_cxMargin = m_cyMargin = ScaleForDpi(5, dpi);
    m_cxScrollLine = m_cyScrollLine = ScaleForDpi(8, dpi);
}

void CImgWnd::OnSize(UINT, int, int)
{
    RecalcLayout();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

LRESULT CImgWnd::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;  // painting covers everything
    case WM_HSCROLL:
        OnScroll(SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        OnScroll(SB_VERT, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        // One notch of 120 moves 24 pixels at 96 DPI; away from the user moves up.
        ScrollTo(m_xScroll, m_yScroll + ScaleForDpi(GET_WHEEL_DELTA_WPARAM(wParam) / -5, m_nDpi), false, true);
        return 0;
    case WM_DPICHANGED_AFTERPARENT:
        SetMetricsForDpi(GetWindowDpi(m_hWnd));
        RecalcLayout();
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
        OnMouse(msg, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_CAPTURECHANGED:
        // A drag ends when something else takes the mouse, or it would go on without the button.
        m_bDragging = FALSE;
        return 0;
    }
    return WndProcDefault(msg, wParam, lParam);
}

void CImgWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    RECT clip{};
    if (::GetClipBox(dc, &clip) == NULLREGION || clip.right <= clip.left || clip.bottom <= clip.top)
        return;
    const int cx = clip.right - clip.left;
    const int cy = clip.bottom - clip.top;
    Gdiplus::Graphics screen(dc);
    const Gdiplus::SolidBrush background{Gdiplus::Color(kBackground)};
    // Drawn off screen first, only as large as the clip box, so nothing flickers.
    Gdiplus::Bitmap buffer(cx, cy, PixelFormat32bppRGB);
    Gdiplus::Graphics canvas(&buffer);
    if (buffer.GetLastStatus() != Gdiplus::Ok || canvas.GetLastStatus() != Gdiplus::Ok) {
        // Without a buffer the background still replaces whatever was there.
        screen.FillRectangle(&background, clip.left, clip.top, cx, cy);
        return;
    }
    canvas.TranslateTransform(static_cast<Gdiplus::REAL>(-clip.left), static_cast<Gdiplus::REAL>(-clip.top));
    canvas.FillRectangle(&background, clip.left, clip.top, cx, cy);
    DrawPicture(canvas, clip, background);
    screen.DrawImage(&buffer, clip.left, clip.top, cx, cy);
}

void CImgWnd::DrawPicture(Gdiplus::Graphics& canvas, const RECT& clip, const Gdiplus::Brush& background) const
{
    if (!m_pImage || m_cxImage == 0 || m_cyImage == 0)
        return;
    const Gdiplus::Rect picture(m_cxMargin - m_xScroll, m_cyMargin - m_yScroll, m_cxImage, m_cyImage);
    const Gdiplus::Rect clipRect(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
    Gdiplus::Rect visible;
    if (!Gdiplus::Rect::Intersect(visible, picture, clipRect))
        return;
    if (m_pImage->GetType() == Gdiplus::ImageTypeBitmap) {
        // Only the visible part: GDI+ converts every source pixel it is given.
        canvas.DrawImage(m_pImage, visible, visible.X - picture.X, visible.Y - picture.Y, visible.Width,
                         visible.Height, Gdiplus::UnitPixel);
    } else {
        canvas.DrawImage(m_pImage, picture);
        // A metafile may draw beyond its frame (a clip does not hold it back
        // everywhere); only the frame is the picture.
        Gdiplus::Region beyond(clipRect);
        beyond.Exclude(picture);
        canvas.FillRegion(&background, &beyond);
    }
}

void CImgWnd::OnScroll(int bar, UINT code)
{
    const bool horz = bar == SB_HORZ;
    const int next = horz ? ScrollRequestTarget(m_hWnd, bar, code, m_xScroll, m_cxScrollLine, m_cxClient, m_xMaxScroll)
                          : ScrollRequestTarget(m_hWnd, bar, code, m_yScroll, m_cyScrollLine, m_cyClient, m_yMaxScroll);
    // While the thumb is tracked the bar shows its own position.
    const bool updateBar = code != SB_THUMBTRACK;
    if (horz)
        ScrollTo(next, m_yScroll, updateBar, false);
    else
        ScrollTo(m_xScroll, next, false, updateBar);
}

void CImgWnd::OnKeyDown(UINT key)
{
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    int x = m_xScroll;
    int y = m_yScroll;
    switch (key) {
    case VK_PRIOR: y -= m_cyClient; break;
    case VK_NEXT: y += m_cyClient; break;
    case VK_HOME:
        x = 0;
        if (ctrl)
            y = 0;
        break;
    case VK_END:
        x = m_xMaxScroll;
        if (ctrl)
            y = m_yMaxScroll;
        break;
    case VK_LEFT: x -= m_cxScrollLine; break;
    case VK_RIGHT: x += m_cxScrollLine; break;
    case VK_UP: y -= m_cyScrollLine; break;
    case VK_DOWN: y += m_cyScrollLine; break;
    default: return;
    }
    ScrollTo(x, y);
}

void CImgWnd::OnMouse(UINT msg, POINT pt)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
        m_bDragging = TRUE;
        m_ptDragStart = pt;
        m_xDragStart = m_xScroll;
        m_yDragStart = m_yScroll;
        ::SetCapture(m_hWnd);
        break;
    case WM_MOUSEMOVE:
        // The picture follows the pointer.
        if (m_bDragging)
            ScrollTo(m_xDragStart - (pt.x - m_ptDragStart.x), m_yDragStart - (pt.y - m_ptDragStart.y));
        break;
    case WM_LBUTTONUP:
        m_bDragging = FALSE;
        ::ReleaseCapture();
        break;
    }
}
