#include "tests/viewers/HexViewFixture.h"

namespace {

// The colour the screen shows inside the character cell at `pos`.
COLORREF CellColour(HWND view, POINT cell)
{
    ::UpdateWindow(view);
    const CClientDC dc(view);
    return ::GetPixel(dc, cell.x + 2, cell.y + 2);
}

}

TEST_F(HexViewTest, DraggingBelowTheWindowExtendsAndKeepsScrollingOnTheTimer)
{
    Show(1600);
    RECT client{};
    ::GetClientRect(m_view, &client);
    ::SendMessageW(m_view, WM_LBUTTONDOWN, MK_LBUTTON, PointOf({1, 9}));
    ::SendMessageW(m_view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, client.bottom + 40));
    const int64_t top = m_view.GetTopLine();
    EXPECT_GT(top, 0);
    EXPECT_EQ(m_view.GetSelStart(), (HexPos{1, 9}));
    ::SendMessageW(m_view, WM_TIMER, 100, 0);
    ::SendMessageW(m_view, WM_TIMER, 100, 0);
    EXPECT_GT(m_view.GetTopLine(), top) << "each tick moves on while the pointer stays outside";
    EXPECT_EQ(m_view.GetCaret().line, m_view.GetTopLine() + m_view.GetPageLines() - 1);
    ::SendMessageW(m_view, WM_LBUTTONUP, 0, MAKELPARAM(60, client.bottom + 40));
    EXPECT_EQ(::GetCapture(), nullptr);
    const int64_t after = m_view.GetTopLine();
    ::SendMessageW(m_view, WM_TIMER, 100, 0);
    EXPECT_EQ(m_view.GetTopLine(), after) << "the drag is over";
}

TEST_F(HexViewTest, TheSelectionIsHighlightedOnlyWhileTheDumpHasTheFocus)
{
    Show(64);
    Key('A', kCtrl);
    const POINT cell = m_view.CellOrigin({1, 8});  // the blank after byte 0: background only
    EXPECT_EQ(CellColour(m_view, cell), ::GetSysColor(COLOR_HIGHLIGHT));
    ::SetFocus(m_host);
    EXPECT_EQ(CellColour(m_view, cell), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(m_view.GetSelEnd(), (HexPos{4, 0})) << "the selection itself stays";
}
