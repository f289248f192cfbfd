#include "FrameworkFixture.h"

#include "res/resource.h"

TEST_F(FrameworkTest, TheToolbarHoldsTheItemsOfItsResource)
{
    CToolBar& bar = m_frame.m_wndToolBar;
    EXPECT_EQ(::GetDlgCtrlID(bar), static_cast<int>(AFX_IDW_TOOLBAR));
    wchar_t className[64] = {};
    ::GetClassNameW(bar, className, 64);
    EXPECT_STREQ(className, L"ToolbarWindow32");
    ASSERT_EQ(bar.GetCount(), 4);
    EXPECT_EQ(bar.GetItemID(0), static_cast<UINT>(ID_EDIT_PASTE));
    EXPECT_EQ(bar.GetItemID(1), static_cast<UINT>(ID_EDIT_PASTE_WITH_FORMAT));
    EXPECT_EQ(bar.GetItemID(2), 0u);
    EXPECT_EQ(bar.GetItemID(3), static_cast<UINT>(ID_SET_DEFAULT_VIEW_TAB));
    RECT button{};
    ASSERT_TRUE(bar.GetItemRect(0, button));
    EXPECT_GE(button.right - button.left, 48);
    EXPECT_GE(button.bottom - button.top, 47);
    EXPECT_NE(::SendMessageW(bar, TB_GETIMAGELIST, 0, 0), 0);
}

TEST_F(FrameworkTest, ASeparatorIsWidenedToTheGivenWidth)
{
    CToolBar& bar = m_frame.m_wndToolBar;
    ASSERT_TRUE(bar.SetButtonInfo(2, 0, TBBS_SEPARATOR, 200));
    RECT separator{};
    ASSERT_TRUE(bar.GetItemRect(2, separator));
    EXPECT_EQ(separator.right - separator.left, 200);
    RECT last{};
    ASSERT_TRUE(bar.GetItemRect(3, last));
    EXPECT_EQ(last.left, separator.right);
}

TEST_F(FrameworkTest, ClickingAButtonSendsItsCommandToTheFrame)
{
    CToolBar& bar = m_frame.m_wndToolBar;
    RECT button{};
    ASSERT_TRUE(bar.GetItemRect(0, button));
    const LPARAM centre = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    m_frame.SetActiveView(nullptr);
    ::SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    ::SendMessageW(bar, WM_LBUTTONUP, 0, centre);
    PumpWaitingMessages();
    EXPECT_EQ(m_log, CLog({Describe(L"frame", ID_EDIT_PASTE)}));
    EXPECT_EQ(m_app.m_log, CLog({Describe(L"app", ID_EDIT_PASTE)}));
}

TEST_F(FrameworkTest, ImagesForAScaleWithoutArtworkAreScaledFromTheNextLarger)
{
    CToolBar bar;
    ASSERT_TRUE(bar.CreateEx(m_frame));
    ASSERT_TRUE(bar.LoadToolBar(IDR_MAINFRAME, {{IDB_TOOLBAR_150, 144}, {IDB_TOOLBAR_200, 192}}));
    // 125 %: from the 150 % artwork; 250 %: past every artwork, from the largest.
    for (const auto& [dpi, cx, cy] : {std::tuple{120u, 60, 59}, std::tuple{240u, 120, 118}}) {
        SCOPED_TRACE(dpi);
        ASSERT_TRUE(bar.SetDpi(dpi));
        const auto images = reinterpret_cast<HIMAGELIST>(bar.SendMessage(TB_GETIMAGELIST));
        int width = 0;
        int height = 0;
        ASSERT_TRUE(::ImageList_GetIconSize(images, &width, &height));
        EXPECT_EQ(width, cx);
        EXPECT_EQ(height, cy);
        ASSERT_EQ(::ImageList_GetImageCount(images), 3);

        // Drawn on white: the key colour is gone, the corners show the
        // background, and the picture is there.
        const CClientDC screen(nullptr);
        const CMemoryDC dc(::CreateCompatibleDC(screen));
        const CBitmapHandle canvas(::CreateCompatibleBitmap(screen, cx, cy));
        const CSelectObject select(dc, canvas);
        const RECT all{0, 0, cx, cy};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ASSERT_TRUE(::ImageList_Draw(images, 0, dc, 0, 0, ILD_NORMAL));
        int magenta = 0;
        int painted = 0;
        for (int y = 0; y < cy; ++y) {
            for (int x = 0; x < cx; ++x) {
                const COLORREF pixel = ::GetPixel(dc, x, y);
                magenta += GetRValue(pixel) > 200 && GetGValue(pixel) < 120 && GetBValue(pixel) > 200;
                painted += pixel != RGB(255, 255, 255);
            }
        }
        EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(255, 255, 255));
        EXPECT_EQ(::GetPixel(dc, cx - 1, cy - 1), RGB(255, 255, 255));
        EXPECT_EQ(magenta, 0);
        EXPECT_GT(painted, cx * cy / 20);
    }
}
