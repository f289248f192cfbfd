// The hex dump's messages: mouse, keyboard, scroll bars, focus and the
// context menu. Every move of the caret ends with the caret in view.
#include "viewers/HexViewCtrl.h"

#include "res/resource.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr UINT_PTR kDragTimer = 100;
constexpr UINT kDragPeriodMs = 100;

bool KeyHeld(int key)
{
    return ::GetKeyState(key) < 0;
}

POINT MessagePoint(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}

LRESULT CHexViewCtrl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_DPICHANGED_AFTERPARENT:
        OnDpiChanged();
        return 0;
    case WM_SYSCOLORCHANGE:
        ReadColors();
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        OnFocus(msg == WM_SETFOCUS);
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam));
        break;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam));
        break;
    case WM_MOUSEWHEEL:
        OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(MessagePoint(lParam), (wParam & MK_SHIFT) != 0);
        return 0;
    case WM_MOUSEMOVE:
        if (m_bDragging)
            DragTo(MessagePoint(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == kDragTimer && m_bDragging)
            DragTo(m_ptLastMouse);
        return 0;
    case WM_LBUTTONUP:
        EndDrag();
        return 0;
    case WM_CANCELMODE:
        EndDrag();
        break;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the drag is over.
        if (reinterpret_cast<HWND>(lParam) != m_hWnd)
            EndDrag();
        break;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(MessagePoint(lParam));
        return 0;
    case WM_RBUTTONDOWN:
        ::SetFocus(m_hWnd);
        break;
    case WM_CONTEXTMENU:
        OnContextMenu(MessagePoint(lParam));
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    }
    return WndProcDefault(msg, wParam, lParam);
}

bool CHexViewCtrl::PreTranslateMessage(MSG& msg)
{
    if (msg.message != WM_KEYDOWN)
        return false;
    if (msg.wParam == VK_F3) {
        OnCmdMsg(KeyHeld(VK_SHIFT) ? ID_HEX_FIND_PREVIOUS : ID_HEX_FIND_NEXT);
        return true;
    }
    if (!KeyHeld(VK_CONTROL))
        return false;
    switch (msg.wParam) {
    case 'F':
        OnCmdMsg(ID_HEX_FIND);
        return true;
    case 'C':
    case VK_INSERT:
        OnCmdMsg(ID_EDIT_COPY);
        return true;
    case 'A':
        OnCmdMsg(ID_EDIT_SELECT_ALL);
        return true;
    }
    return false;
}

HexPos CHexViewCtrl::PointToPos(POINT pt, bool nearestBoundary) const
{
    const int64_t line = std::clamp<int64_t>(m_nTopLine + (pt.y - m_cyMargin) / m_cyChar, 0, m_nLines);
    const int x = pt.x - m_cxMargin + (nearestBoundary ? m_cxChar / 2 : 0);
    // Truncation toward zero, as the column arithmetic has always been.
    const int col = std::clamp(m_nLeftCol + x / m_cxChar, 0, Layout().LineLength(line));
    return {line, col};
}

void CHexViewCtrl::MoveAndShow(int64_t line, int col, bool extend)
{
    MoveCaret(line, col, extend);
    EnsureCaretVisible();
    ::UpdateWindow(m_hWnd);
}

void CHexViewCtrl::OnLButtonDown(POINT pt, bool shift)
{
    ::SetFocus(m_hWnd);
    const HexPos pos = PointToPos(pt, true);
    MoveAndShow(pos.line, pos.col, shift);
    ::SetCapture(m_hWnd);
    ::SetTimer(m_hWnd, kDragTimer, kDragPeriodMs, nullptr);
    m_ptLastMouse = pt;
    m_bDragging = true;
}

void CHexViewCtrl::DragTo(POINT pt)
{
    // Outside the window the caret lies beyond the view, so each tick scrolls on.
    const HexPos pos = PointToPos(pt, true);
    MoveAndShow(pos.line, pos.col, true);
    m_ptLastMouse = pt;
}

void CHexViewCtrl::EndDrag()
{
    if (!m_bDragging)
        return;
    m_bDragging = false;
    ::KillTimer(m_hWnd, kDragTimer);
    ::ReleaseCapture();
}

void CHexViewCtrl::OnLButtonDblClk(POINT pt)
{
    const HexPos pos = PointToPos(pt, false);
    MoveAndShow(pos.line, pos.col, false);
    // The word under the pointer, also when the pointer is on its first character.
    FormatLine(pos.line, m_strLine);
    const int start = HexWordStart(m_strLine, pos.col);
    if (start != pos.col)
        MoveAndShow(pos.line, start, false);
    if (m_nCaretCol < Layout().LineLength(m_nCaretLine))
        WordRight(true);
}

void CHexViewCtrl::WordLeft(bool extend)
{
    if (m_nCaretCol == 0) {
        if (m_nCaretLine > 0)
            MoveAndShow(m_nCaretLine - 1, Layout().LineLength(m_nCaretLine - 1), extend);
        return;
    }
    FormatLine(m_nCaretLine, m_strLine);
    MoveAndShow(m_nCaretLine, HexWordLeft(m_strLine, m_nCaretCol), extend);
}

void CHexViewCtrl::WordRight(bool extend)
{
    if (m_nCaretCol >= Layout().LineLength(m_nCaretLine)) {
        if (m_nCaretLine < m_nLines)
            MoveAndShow(m_nCaretLine + 1, 0, extend);
        return;
    }
    FormatLine(m_nCaretLine, m_strLine);
    MoveAndShow(m_nCaretLine, HexWordRight(m_strLine, m_nCaretCol), extend);
}

void CHexViewCtrl::OnKeyDown(UINT key)
{
    const bool extend = KeyHeld(VK_SHIFT);
    const bool ctrl = KeyHeld(VK_CONTROL);
    const CHexLayout layout = Layout();
    const int64_t line = m_nCaretLine;
    const int col = m_nCaretCol;
    const int length = layout.LineLength(line);
    switch (key) {
    case VK_LEFT:
        if (ctrl)
            WordLeft(extend);
        else if (col > 0)
            MoveAndShow(line, col - 1, extend);
        else if (line > 0)
            MoveAndShow(line - 1, layout.LineLength(line - 1), extend);
        break;
    case VK_RIGHT:
        if (ctrl)
            WordRight(extend);
        else if (col < length)
            MoveAndShow(line, col + 1, extend);
        else if (line < m_nLines)
            MoveAndShow(line + 1, 0, extend);
        break;
    case VK_UP:
        if (!ctrl && line > 0)
            MoveAndShow(line - 1, std::min(col, layout.LineLength(line - 1)), extend);
        break;
    case VK_DOWN:
        if (!ctrl && line < m_nLines)
            MoveAndShow(line + 1, std::min(col, layout.LineLength(line + 1)), extend);
        break;
    case VK_HOME: {
        const HexPos target = ctrl ? HexPos{0, 0} : HexPos{line, 0};
        if (target != GetCaret())
            MoveAndShow(target.line, target.col, extend);
        break;
    }
    case VK_END: {
        const HexPos target = ctrl ? HexPos{m_nLines, 0} : HexPos{line, length};
        if (target != GetCaret())
            MoveAndShow(target.line, target.col, extend);
        break;
    }
    case VK_PRIOR:
        PageUp(extend);
        break;
    case VK_NEXT:
        PageDown(extend);
        break;
    }
}

void CHexViewCtrl::PageUp(bool extend)
{
    if (m_nTopLine == 0)
        return;
    const int64_t step = std::max<int64_t>(1, std::min<int64_t>(m_nTopLine, m_nPageLines));
    const int64_t top = m_nTopLine - step;
    const int64_t line = std::clamp(std::max<int64_t>(0, m_nCaretLine - step), top,
                                    std::max(top, top + m_nPageLines - 1));
    ScrollToLine(top, true);
    MoveAndShow(line, std::min(m_nCaretCol, Layout().LineLength(line)), extend);
}

void CHexViewCtrl::PageDown(bool extend)
{
    if (m_nTopLine >= m_nMaxTopLine)
        return;
    const int64_t step = std::max<int64_t>(1, std::min<int64_t>(m_nMaxTopLine - m_nTopLine, m_nPageLines));
    const int64_t top = m_nTopLine + step;
    const int64_t line = std::clamp(std::min(m_nLines, m_nCaretLine + step), top,
                                    std::max(top, top + m_nPageLines - 1));
    ScrollToLine(top, true);
    MoveAndShow(line, std::min(m_nCaretCol, Layout().LineLength(line)), extend);
}

void CHexViewCtrl::OnContextMenu(POINT pt)
{
    if (pt.x == -1 && pt.y == -1) {
        // From the keyboard: below the caret's cell, kept inside the window.
        RECT client{};
        ::GetClientRect(m_hWnd, &client);
        const POINT cell = CellOrigin(GetCaret());
        pt = {std::clamp<LONG>(cell.x, 0, client.right), std::clamp<LONG>(cell.y + m_cyLine, 0, client.bottom)};
        ::ClientToScreen(m_hWnd, &pt);
    }
    CPopupMenu menu(IDR_HEX_CONTEXT);
    for (UINT command :
         {ID_EDIT_COPY, ID_EXPORT_SELECTION, ID_EDIT_SELECT_ALL, ID_HEX_FIND, ID_HEX_FIND_NEXT, ID_HEX_FIND_PREVIOUS})
        menu.EnableItem(command, IsCommandEnabled(command));
    TrackContextMenu(menu, pt);
}

void CHexViewCtrl::TrackContextMenu(const CPopupMenu& menu, POINT point)
{
    menu.Track(m_hWnd, point, TPM_RIGHTBUTTON);
}
