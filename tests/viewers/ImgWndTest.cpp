#include "framework/GdiPlus.h"
#include "framework/Handles.h"
#include "support/HostWindow.h"
#include "viewers/ImgWnd.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBackground = RGB(0xEE, 0xF2, 0xFA);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// Red, with the last column blue so that the right edge can be seen.
std::unique_ptr<Gdiplus::Bitmap> RedPicture(int cx, int cy)
{
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(cx, cy, PixelFormat32bppRGB);
    Gdiplus::Graphics graphics(bitmap.get());
    graphics.Clear(Gdiplus::Color(255, 255, 0, 0));
    const Gdiplus::SolidBrush blue(Gdiplus::Color(255, 0, 0, 255));
    graphics.FillRectangle(&blue, cx - 1, 0, 1, cy);
    return bitmap;
}

// The picture window over a host whose client area is `client` wide and high
// once both scroll bars are shown.
class ImgWndTest : public ::testing::Test {
protected:
    void Show(Gdiplus::Image* picture, SIZE client = {600, 400})
    {
        ASSERT_TRUE(CreateHostWindow(m_host, RECT{0, 0, 1000, 800}));
        ASSERT_TRUE(m_wnd.Create(m_host));
        ::MoveWindow(m_wnd, 0, 0, client.cx + ::GetSystemMetrics(SM_CXVSCROLL),
                     client.cy + ::GetSystemMetrics(SM_CYHSCROLL), TRUE);
        m_wnd.SetImage(picture);
        ::UpdateWindow(m_wnd);
    }

    COLORREF PixelAt(int x, int y)
    {
        ::UpdateWindow(m_wnd);
        const CClientDC dc(m_wnd);
        return ::GetPixel(dc, x, y);
    }

    void Key(UINT key, bool ctrl = false)
    {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        state[VK_CONTROL] = ctrl ? 0x80 : 0;
        ::SetKeyboardState(state);
        ::SendMessageW(m_wnd, WM_KEYDOWN, key, 0);
        state[VK_CONTROL] = 0;
        ::SetKeyboardState(state);
    }

    POINT Offset() const { return {m_wnd.m_xScroll, m_wnd.m_yScroll}; }

    CWnd m_host;
    CImgWnd m_wnd;
};

}

TEST_F(ImgWndTest, APictureWiderThanTheWindowScrollsToItsRightEdgeAndNoFurther)
{
    const auto picture = RedPicture(1000, 1000);
    Show(picture.get());
    EXPECT_EQ(m_wnd.m_cxClient, 600);
    EXPECT_EQ(m_wnd.m_xMaxScroll, 410);
    EXPECT_EQ(m_wnd.m_yMaxScroll, 610);
    SCROLLINFO info{sizeof(info), SIF_ALL};
    ::GetScrollInfo(m_wnd, SB_HORZ, &info);
    EXPECT_EQ(info.nMax, 1009);
    EXPECT_EQ(info.nPage, 600u);
    EXPECT_EQ(PixelAt(4, 100), kBackground);
    EXPECT_EQ(PixelAt(5, 100), kRed);

    Key(VK_END);
    EXPECT_EQ(Offset().x, 410);
    EXPECT_EQ(PixelAt(594, 100), kBlue) << "the last column, 5 pixels from the right";
    EXPECT_EQ(PixelAt(595, 100), kBackground);
    info.fMask = SIF_POS;
    ::GetScrollInfo(m_wnd, SB_HORZ, &info);
    EXPECT_EQ(info.nPos, 410);
}

TEST_F(ImgWndTest, KeysScrollBarsAndTheWheelStayWithinTheLimits)
{
    const auto picture = RedPicture(1000, 1000);
    Show(picture.get());
    const struct {
        POINT from;
        UINT msg, code;  // WM_KEYDOWN with a key, a scroll message with its code, or the wheel's delta
        bool ctrl;
        POINT to;
    } cases[] = {
        {{0, 300}, WM_KEYDOWN, VK_PRIOR, false, {0, 0}},
        {{0, 500}, WM_KEYDOWN, VK_PRIOR, false, {0, 100}},
        {{0, 500}, WM_KEYDOWN, VK_NEXT, false, {0, 610}},
        {{200, 300}, WM_KEYDOWN, VK_HOME, false, {0, 300}},
        {{200, 300}, WM_KEYDOWN, VK_HOME, true, {0, 0}},
        {{200, 300}, WM_KEYDOWN, VK_END, true, {410, 610}},
        {{4, 3}, WM_KEYDOWN, VK_LEFT, false, {0, 3}},
        {{405, 3}, WM_KEYDOWN, VK_RIGHT, false, {410, 3}},
        {{4, 3}, WM_KEYDOWN, VK_UP, false, {4, 0}},
        {{4, 8}, WM_KEYDOWN, VK_DOWN, false, {4, 16}},
        {{4, 8}, WM_KEYDOWN, 'A', false, {4, 8}},
        {{0, 30}, WM_MOUSEWHEEL, WHEEL_DELTA, false, {0, 6}},
        {{0, 30}, WM_MOUSEWHEEL, static_cast<UINT>(-WHEEL_DELTA), false, {0, 54}},
        {{0, 600}, WM_MOUSEWHEEL, static_cast<UINT>(-WHEEL_DELTA), false, {0, 610}},
        {{0, 10}, WM_MOUSEWHEEL, 2 * WHEEL_DELTA, false, {0, 0}},
        {{0, 0}, WM_VSCROLL, SB_LINEDOWN, false, {0, 8}},
        {{0, 300}, WM_VSCROLL, SB_PAGEUP, false, {0, 0}},
        {{0, 300}, WM_VSCROLL, SB_PAGEDOWN, false, {0, 610}},
        {{0, 300}, WM_VSCROLL, SB_TOP, false, {0, 0}},
        {{100, 0}, WM_HSCROLL, SB_LINELEFT, false, {92, 0}},
        {{100, 0}, WM_HSCROLL, SB_PAGERIGHT, false, {410, 0}},
        {{100, 0}, WM_HSCROLL, SB_RIGHT, false, {410, 0}},
        {{100, 0}, WM_HSCROLL, SB_LEFT, false, {0, 0}},
    };
    for (const auto& c : cases) {
        m_wnd.ScrollTo(c.from.x, c.from.y);
        if (c.msg == WM_KEYDOWN)
            Key(c.code, c.ctrl);
        else if (c.msg == WM_MOUSEWHEEL)
            ::SendMessageW(m_wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, c.code), 0);
        else
            ::SendMessageW(m_wnd, c.msg, c.code, 0);
        EXPECT_EQ(Offset().x, c.to.x) << c.msg << " " << c.code << " from " << c.from.x << "," << c.from.y;
        EXPECT_EQ(Offset().y, c.to.y) << c.msg << " " << c.code << " from " << c.from.x << "," << c.from.y;
        EXPECT_EQ(::GetScrollPos(m_wnd, SB_VERT), c.to.y);
    }
}

TEST_F(ImgWndTest, DraggingMovesThePictureWithThePointerWithinTheLimits)
{
    const auto picture = RedPicture(1000, 1000);
    Show(picture.get());
    m_wnd.ScrollTo(100, 100);
    ::SendMessageW(m_wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
    EXPECT_EQ(::GetCapture(), m_wnd.GetSafeHwnd());
    const struct {
        int x, y;
        POINT offset;
    } moves[] = {{250, 180, {150, 120}}, {350, 200, {50, 100}}, {1000, 1000, {0, 0}}, {-2000, -2000, {410, 610}}};
    for (const auto& move : moves) {
        ::SendMessageW(m_wnd, WM_MOUSEMOVE, MK_LBUTTON,
                       MAKELPARAM(static_cast<WORD>(move.x), static_cast<WORD>(move.y)));
        EXPECT_EQ(Offset().x, move.offset.x) << move.x;
        EXPECT_EQ(Offset().y, move.offset.y) << move.y;
    }
    ::SendMessageW(m_wnd, WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
    EXPECT_EQ(::GetCapture(), nullptr);
    ::SendMessageW(m_wnd, WM_MOUSEMOVE, 0, MAKELPARAM(300, 200));
    EXPECT_EQ(Offset().x, 410) << "no drag without the button";
}

TEST_F(ImgWndTest, AHugePictureScrollsAndPaintsOnlyWhatIsVisible)
{
    // 30,000 × 30,000 pixels: 112 MB at one bit, far too much as one 32-bit buffer.
    Gdiplus::Bitmap picture(30000, 30000, PixelFormat1bppIndexed);
    ASSERT_EQ(picture.GetLastStatus(), Gdiplus::Ok);
    Show(&picture);
    EXPECT_EQ(m_wnd.m_xMaxScroll, 30010 - 600);
    Key(VK_END, true);
    EXPECT_EQ(Offset().y, 30010 - 400);
    EXPECT_EQ(PixelAt(594, 394), RGB(0, 0, 0)) << "the bottom-right pixel, drawn";
    EXPECT_EQ(PixelAt(596, 396), kBackground);
}

TEST_F(ImgWndTest, WithoutAPictureOnlyTheBackgroundIsLeft)
{
    const auto picture = RedPicture(100, 100);
    Show(picture.get());
    ASSERT_EQ(PixelAt(50, 50), kRed);
    Gdiplus::Image undecodable(L"Z:\\nonexistent\\picture.png");
    for (Gdiplus::Image* next : {&undecodable, static_cast<Gdiplus::Image*>(nullptr)}) {
        m_wnd.SetImage(next);
        EXPECT_EQ(m_wnd.m_xMaxScroll + m_wnd.m_yMaxScroll, 0);
        EXPECT_EQ(PixelAt(50, 50), kBackground);
        EXPECT_EQ(PixelAt(5, 5), kBackground);
    }
}
