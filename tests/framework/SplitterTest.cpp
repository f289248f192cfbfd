#include "FrameworkFixture.h"

#include "framework/WindowRect.h"
#include "res/resource.h"

TEST_F(FrameworkTest, TheSplitterIsTheFrameClientBelowTheToolbar)
{
    RECT client;
    ::GetClientRect(m_frame, &client);
    const RECT bar = GetChildRect(m_frame.m_wndToolBar);
    const RECT splitter = GetChildRect(m_frame.m_wndSplitter);
    EXPECT_EQ(bar.top, 0);
    EXPECT_EQ(bar.right - bar.left, client.right);
    EXPECT_GE(bar.bottom - bar.top, 47);
    EXPECT_EQ(splitter.top, bar.bottom);
    EXPECT_EQ(splitter.bottom, client.bottom);
    EXPECT_EQ(splitter.right - splitter.left, client.right);
    EXPECT_EQ(::GetDlgCtrlID(m_frame.m_wndSplitter), static_cast<int>(AFX_IDW_PANE_FIRST));
}

TEST_F(FrameworkTest, PanesHaveTheirIdsAndTheInitialWidth)
{
    EXPECT_EQ(::GetDlgCtrlID(Tree()), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(::GetDlgCtrlID(Right()), static_cast<int>(AFX_IDW_PANE_FIRST + 1));
    int current = 0;
    int min = 0;
    m_frame.m_wndSplitter.GetColumnInfo(0, current, min);
    EXPECT_EQ(current, 150);
    const RECT tree = GetChildRect(Tree());
    const RECT right = GetChildRect(Right());
    EXPECT_EQ(tree.left, 0);
    EXPECT_EQ(tree.right, 150);
    EXPECT_EQ(right.left, 150 + CSplitterWnd::kBarWidth);
}

TEST_F(FrameworkTest, DraggingTheBarChangesTheLeftColumn)
{
    const HWND splitter = m_frame.m_wndSplitter;
    ::SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(152, 40));
    EXPECT_EQ(::GetCapture(), splitter);
    ::SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 40));
    ::SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(252, 40));
    ::SendMessageW(splitter, WM_LBUTTONUP, 0, MAKELPARAM(252, 40));
    EXPECT_EQ(::GetCapture(), nullptr);

    int current = 0;
    int min = 0;
    m_frame.m_wndSplitter.GetColumnInfo(0, current, min);
    EXPECT_EQ(current, 250);
    EXPECT_EQ(GetChildRect(Tree()).right, 250);
    EXPECT_EQ(GetChildRect(Right()).left, 250 + CSplitterWnd::kBarWidth);

    // Moving without the button pressed no longer drags.
    ::SendMessageW(splitter, WM_MOUSEMOVE, 0, MAKELPARAM(100, 40));
    m_frame.m_wndSplitter.GetColumnInfo(0, current, min);
    EXPECT_EQ(current, 250);
}

TEST_F(FrameworkTest, ResizingTheFrameLaysOutThePanes)
{
    ::SetWindowPos(m_frame, nullptr, 0, 0, 1000, 700, SWP_NOZORDER | SWP_NOMOVE);
    RECT client;
    ::GetClientRect(m_frame.m_wndSplitter, &client);
    RECT frameClient;
    ::GetClientRect(m_frame, &frameClient);
    EXPECT_EQ(client.right, frameClient.right);
    const RECT right = GetChildRect(Right());
    EXPECT_EQ(right.right, client.right);
    EXPECT_EQ(right.bottom, client.bottom);
    EXPECT_EQ(GetChildRect(Tree()).right, 150);
    int current = 0;
    int min = 0;
    m_frame.m_wndSplitter.GetColumnInfo(1, current, min);
    EXPECT_EQ(current, client.right - 150 - CSplitterWnd::kBarWidth);
}

TEST_F(FrameworkTest, NextAndPreviousPaneMoveTheFocus)
{
    ::SetFocus(Tree());
    Command(ID_NEXT_PANE);
    EXPECT_EQ(::GetFocus(), Right().GetSafeHwnd());
    EXPECT_EQ(m_frame.GetActiveView(), &Right());
    Command(ID_NEXT_PANE);
    EXPECT_EQ(::GetFocus(), Tree().GetSafeHwnd());
    Command(ID_PREV_PANE);
    EXPECT_EQ(::GetFocus(), Right().GetSafeHwnd());
    EXPECT_EQ(m_frame.GetActiveView(), &Right());
}

TEST_F(FrameworkTest, F6IsTheNextPaneAccelerator)
{
    ::SetFocus(Tree());
    MSG msg{Tree(), WM_KEYDOWN, VK_F6, 0};
    EXPECT_TRUE(m_frame.PreTranslateMessage(msg));
    EXPECT_EQ(::GetFocus(), Right().GetSafeHwnd());
}
