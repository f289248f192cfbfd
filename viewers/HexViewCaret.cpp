// The caret, the selection it extends, and scrolling of the hex dump.
#include "viewers/HexViewCtrl.h"

#include "framework/ScrollRequest.h"

#include <algorithm>
#include <cstdlib>

void CHexViewCtrl::OnFocus(bool gained)
{
    m_bFocus = gained;
    // The selection is highlighted only while the dump has the focus.
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    if (gained) {
        ::CreateCaret(m_hWnd, nullptr, m_cxCaret, m_cyChar);
        m_bCaretShown = false;
        UpdateCaret();
        return;
    }
    if (m_bCaretShown)
        ::HideCaret(m_hWnd);
    m_bCaretShown = false;
    ::DestroyCaret();
}

void CHexViewCtrl::UpdateCaret()
{
    if (!m_bFocus)
        return;
    const int64_t d = m_nCaretLine - m_nTopLine;
    if (d >= -1 && d <= m_nPageLines + 1) {
        // One pixel left of the character cell, so it stands between two characters.
        const POINT origin = CellOrigin(GetCaret());
        ::SetCaretPos(origin.x - 1, origin.y);
        if (!m_bCaretShown)
            m_bCaretShown = ::ShowCaret(m_hWnd) != FALSE;
    } else if (m_bCaretShown) {
        ::HideCaret(m_hWnd);
        m_bCaretShown = false;
    }
}

void CHexViewCtrl::MoveCaret(int64_t line, int col, bool extend)
{
    const bool hadSelection = GetSelStart() != GetSelEnd();
    const int64_t oldStart = m_nSelStartLine;
    const int64_t oldEnd = m_nSelEndLine;
    m_nCaretLine = line;
    m_nCaretCol = col;
    if (!extend) {
        m_nAnchorLine = line;
        m_nAnchorCol = col;
    }
    const HexPos anchor{m_nAnchorLine, m_nAnchorCol};
    const HexPos start = std::min(anchor, GetCaret());
    const HexPos end = std::max(anchor, GetCaret());
    m_nSelStartLine = start.line;
    m_nSelStartCol = start.col;
    m_nSelEndLine = end.line;
    m_nSelEndCol = end.col;
    if (m_hWnd && (hadSelection || start != end)) {
        // Only the lines between the old and the new selection ends change.
        const int64_t a = std::max(std::min(oldStart, start.line), m_nTopLine - 1);
        const int64_t b = std::min(std::max(oldEnd, end.line), m_nTopLine + m_nPageLines + 1);
        if (b >= a) {
            RECT band{};
            ::GetClientRect(m_hWnd, &band);
            band.top = std::max<LONG>(band.top, m_cyMargin + static_cast<LONG>(a - m_nTopLine) * m_cyLine);
            band.bottom = std::min<LONG>(band.bottom, m_cyMargin + static_cast<LONG>(b - m_nTopLine + 1) * m_cyLine);
            if (band.bottom > band.top)
                ::InvalidateRect(m_hWnd, &band, TRUE);
        }
    }
    UpdateCaret();
}

void CHexViewCtrl::EnsureCaretVisible()
{
    // A window too small for one whole line or column still shows the caret's.
    const int pageLines = std::max(1, m_nPageLines);
    const int pageCols = std::max(1, m_nPageCols);
    int64_t top = m_nTopLine;
    if (m_nCaretLine < m_nTopLine)
        top = m_nCaretLine;
    else if (m_nCaretLine >= m_nTopLine + pageLines)
        top = std::max<int64_t>(0, m_nCaretLine - pageLines + 1);
    int left = m_nLeftCol;
    if (m_nCaretCol < m_nLeftCol)
        left = m_nCaretCol;
    else if (m_nCaretCol >= m_nLeftCol + pageCols)
        left = std::max(0, m_nCaretCol - pageCols + 1);
    const bool lineChanges = top != m_nTopLine;
    const bool colChanges = left != m_nLeftCol;
    if (lineChanges && colChanges) {
        m_nTopLine = top;
        m_nLeftCol = left;
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        SetVertPos();
        SetHorzPos();
        UpdateCaret();
    } else if (lineChanges) {
        ScrollToLine(top, true);
    } else if (colChanges) {
        ScrollToColumn(left, true);
    }
}

void CHexViewCtrl::ScrollToLine(int64_t top, bool updateBar)
{
    const int64_t delta = top - m_nTopLine;
    m_nTopLine = top;
    if (delta != 0 && std::llabs(delta) < m_nPageLines)
        ::ScrollWindow(m_hWnd, 0, static_cast<int>(-delta) * m_cyLine, nullptr, nullptr);
    else if (delta != 0)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    UpdateCaret();
    if (updateBar)
        SetVertPos();
}

void CHexViewCtrl::ScrollToColumn(int left, bool updateBar)
{
    const int delta = left - m_nLeftCol;
    m_nLeftCol = left;
    if (delta != 0 && std::abs(delta) < m_nPageCols)
        ::ScrollWindow(m_hWnd, -delta * m_cxChar, 0, nullptr, nullptr);
    else if (delta != 0)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    UpdateCaret();
    if (updateBar)
        SetHorzPos();
}

void CHexViewCtrl::OnVScroll(int code)
{
    int64_t top = m_nTopLine;
    switch (code) {
    case SB_LINEUP: top = std::max<int64_t>(0, top - 1); break;
    case SB_LINEDOWN: top = std::min(m_nMaxTopLine, top + 1); break;
    case SB_PAGEUP: top = std::max<int64_t>(0, top - m_nPageLines); break;
    case SB_PAGEDOWN: top = std::min(m_nMaxTopLine, top + m_nPageLines); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO info{sizeof(info), SIF_ALL};
        ::GetScrollInfo(m_hWnd, SB_VERT, &info);
        top = std::min(m_nMaxTopLine, info.nTrackPos * m_nScrollScale);
        break;
    }
    case SB_TOP: top = 0; break;
    case SB_BOTTOM: top = m_nMaxTopLine; break;
    }
    if (top != m_nTopLine || code == SB_THUMBPOSITION) {
        ScrollToLine(top, code != SB_THUMBTRACK);
        ::UpdateWindow(m_hWnd);
    }
}

void CHexViewCtrl::OnHScroll(int code)
{
    // A page of the horizontal bar is 8 columns, not the window's width.
    const int left = std::clamp(ScrollRequestTarget(m_hWnd, SB_HORZ, code, m_nLeftCol, 1, 8, m_nMaxLeftCol), 0,
                                m_nMaxLeftCol);
    if (left != m_nLeftCol || code == SB_THUMBPOSITION) {
        ScrollToColumn(left, code != SB_THUMBTRACK);
        ::UpdateWindow(m_hWnd);
    }
}

void CHexViewCtrl::OnMouseWheel(int delta)
{
    // A notch of 120 moves 3 lines; the wheel may scroll on until only the space after the data shows.
    const int64_t top = std::clamp<int64_t>(m_nTopLine + delta / -40, 0, m_nLines);
    if (top != m_nTopLine)
        ScrollToLine(top, true);
}
