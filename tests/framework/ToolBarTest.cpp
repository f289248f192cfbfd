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
