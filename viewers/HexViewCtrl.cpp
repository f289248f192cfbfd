#include "viewers/HexViewCtrl.h"

#include "framework/Dpi.h"
#include "viewers/DumpFont.h"

#include <algorithm>

namespace {

constexpr UINT kControlId = 100;
constexpr int64_t kMaxScrollPos = 0x7FFFFFFF;

void FillSolid(HDC dc, const RECT& rect, COLORREF color)
{
    ::SetBkColor(dc, color);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

}

CHexViewCtrl::CHexViewCtrl() : m_pLineBuf(std::make_unique<uint8_t[]>(m_nBytesPerLine)) {}

bool CHexViewCtrl::Create(HWND parent)
{
    const std::wstring cls = RegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_IBEAM), nullptr, nullptr);
    return CreateEx(0, cls, L"", WS_CHILD | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_GROUP | WS_TABSTOP,
                    RECT{}, parent, kControlId);
}

void CHexViewCtrl::SetBytesPerLine(int n)
{
    m_nBytesPerLine = n;
    m_pLineBuf = std::make_unique<uint8_t[]>(n);
    MoveCaret(0, 0, false);
    m_nTopLine = 0;
    m_nLeftCol = 0;
    if (m_hWnd) {
        RecalcLayout();
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        UpdateCaret();
    }
}

void CHexViewCtrl::SetDataSource(HexViewReadProc read, void* context, int64_t param, uint64_t size)
{
    m_pfnRead = read;
    m_pReadContext = context;
    m_lReadParam = param;
    m_nDataSize = size;
    m_nTopLine = 0;
    m_nLeftCol = 0;
    if (m_hWnd) {
        RecalcLayout();
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
    MoveCaret(0, 0, false);
}

HexByteRange CHexViewCtrl::GetSelectedByteRange() const
{
    return Layout().SelectedBytes(GetSelStart(), GetSelEnd());
}

POINT CHexViewCtrl::CellOrigin(HexPos pos) const
{
    // Lines far outside the view stay far outside without overflowing.
    const int64_t rows = std::clamp<int64_t>(pos.line - m_nTopLine, -0x10000, 0x10000);
    return {m_cxMargin + (pos.col - m_nLeftCol) * m_cxChar, m_cyMargin + static_cast<int>(rows) * m_cyLine};
}

int CHexViewCtrl::OnCreate(CREATESTRUCTW& cs)
{
    SetFontForDpi(GetWindowDpi(m_hWnd));
    MoveCaret(0, 0, false);
    ReadColors();
    RecalcLayout();
    return 0;
}

void CHexViewCtrl::SetFontForDpi(UINT dpi)
{
    m_font = CreateDumpFont(dpi);
    TEXTMETRICW metrics{};
    {
        const CClientDC dc(m_hWnd);
        const CSelectObject select(dc, m_font);
        ::GetTextMetricsW(dc, &metrics);
    }
    m_cyChar = m_cyLine = std::max<int>(1, metrics.tmHeight);
    m_cxChar = std::max<int>(1, metrics.tmAveCharWidth);
    m_cxMargin = (m_cxChar + 1) / 2;
    m_cyMargin = ScaleForDpi(2, dpi);
    m_cxCaret = ScaleForDpi(1, dpi);
    m_advance.assign(CHexLayout(~0ull, 64).WidestLine(), m_cxChar);
}

void CHexViewCtrl::OnDpiChanged()
{
    SetFontForDpi(GetWindowDpi(m_hWnd));
    RecalcLayout();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    if (m_bFocus) {
        // A caret keeps the size it was made with.
        OnFocus(false);
        OnFocus(true);
    }
}

void CHexViewCtrl::ReadColors()
{
    m_crBack = ::GetSysColor(COLOR_WINDOW);
    m_crText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crTextBack = ::GetSysColor(COLOR_WINDOW);
    m_crSelText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_crSelBack = ::GetSysColor(COLOR_HIGHLIGHT);
}

void CHexViewCtrl::OnSize(UINT type, int cx, int cy)
{
    RecalcLayout();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CHexViewCtrl::RecalcLayout()
{
    if (!m_hWnd)
        return;
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const CHexLayout layout = Layout();
    m_nLines = layout.Lines();
    m_nPageLines = std::max(0, static_cast<int>(client.bottom - 2 * m_cyMargin) / m_cyChar);
    // The extra line lets the end position scroll into view.
    m_nMaxTopLine = std::max<int64_t>(0, m_nLines + 1 - m_nPageLines);
    m_nTopLine = std::min(m_nTopLine, m_nMaxTopLine);
    // More than 2^31 lines: each scroll-bar unit stands for several lines.
    m_nScrollScale = m_nMaxTopLine >= kMaxScrollPos ? m_nMaxTopLine / kMaxScrollPos + 1 : 1;
    SCROLLINFO vert{sizeof(vert), SIF_RANGE | SIF_PAGE | SIF_POS, 0, static_cast<int>(m_nLines / m_nScrollScale),
                    static_cast<UINT>(m_nPageLines / m_nScrollScale), static_cast<int>(m_nTopLine / m_nScrollScale)};
    ::SetScrollInfo(m_hWnd, SB_VERT, &vert, TRUE);

    m_nLineChars = layout.WidestLine();
    m_nPageCols = std::max(0, static_cast<int>(client.right - 2 * m_cxMargin) / m_cxChar);
    m_nMaxLeftCol = std::max(0, m_nLineChars - m_nPageCols);
    m_nLeftCol = std::min(m_nLeftCol, m_nMaxLeftCol);
    SCROLLINFO horz{sizeof(horz), SIF_RANGE | SIF_PAGE | SIF_POS, 0, m_nLineChars - 1,
                    static_cast<UINT>(m_nPageCols), m_nLeftCol};
    ::SetScrollInfo(m_hWnd, SB_HORZ, &horz, TRUE);
}

void CHexViewCtrl::SetVertPos()
{
    SCROLLINFO info{sizeof(info), SIF_POS};
    info.nPos = static_cast<int>(m_nTopLine / m_nScrollScale);
    ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
}

void CHexViewCtrl::SetHorzPos()
{
    SCROLLINFO info{sizeof(info), SIF_POS};
    info.nPos = m_nLeftCol;
    ::SetScrollInfo(m_hWnd, SB_HORZ, &info, TRUE);
}

uint32_t CHexViewCtrl::Read(uint64_t offset, uint32_t count, void* buffer) const
{
    return m_pfnRead ? std::min(count, m_pfnRead(offset, count, buffer, m_pReadContext, m_lReadParam)) : 0;
}

bool CHexViewCtrl::FormatLine(int64_t line, std::wstring& text)
{
    const CHexLayout layout = Layout();
    const int n = layout.BytesOnLine(line);
    const uint32_t got = Read(layout.LineOffset(line), n, m_pLineBuf.get());
    layout.FormatLine(line, {m_pLineBuf.get(), got}, text);
    return got == static_cast<uint32_t>(n);
}

void CHexViewCtrl::OnPaint()
{
    const CPaintDC dc(m_hWnd);
    const int saved = ::SaveDC(dc);
    RECT clip{};
    ::GetClipBox(dc, &clip);
    ::SelectObject(dc, m_font);
    // A clip box reaching into the top margin starts with the line above the top one.
    const int rel = clip.top - m_cyMargin;
    int64_t row = rel / m_cyLine - (rel < 0 ? 1 : 0);
    int y = m_cyMargin + static_cast<int>(row) * m_cyLine;
    for (; y <= clip.bottom && m_nTopLine + row < m_nLines; ++row, y += m_cyLine)
        DrawLine(dc, m_nTopLine + row, y, clip);
    if (y < clip.bottom)
        FillSolid(dc, {clip.left, y, clip.right, clip.bottom}, m_crBack);
    ::RestoreDC(dc, saved);
}

void CHexViewCtrl::DrawLine(HDC dc, int64_t line, int y, const RECT& clip)
{
    const int bottom = y + m_cyLine;
    if (line < 0 || line >= m_nLines) {
        FillSolid(dc, {clip.left, y, clip.right, bottom}, m_crBack);
        return;
    }
    FormatLine(line, m_strLine);
    const int length = static_cast<int>(m_strLine.size());
    // The selected columns [s, s + c) of this line.
    int s = 0;
    int c = 0;
    if (line >= m_nSelStartLine && line <= m_nSelEndLine) {
        s = line == m_nSelStartLine ? m_nSelStartCol : 0;
        c = (line == m_nSelEndLine ? m_nSelEndCol : length) - s;
    }
    const int x0 = -m_nLeftCol * m_cxChar;
    FillSolid(dc, {x0, y, x0 + m_cxMargin, bottom}, m_crBack);
    int x = x0 + m_cxMargin;
    ::SetBkMode(dc, OPAQUE);
    const auto run = [&](int from, int count, COLORREF text, COLORREF back) {
        const RECT cell{x, y, x + count * m_cxChar, bottom};
        ::SetTextColor(dc, text);
        ::SetBkColor(dc, back);
        ::ExtTextOutW(dc, x, y, ETO_OPAQUE, &cell, m_strLine.c_str() + from, count, m_advance.data());
        x = cell.right;
    };
    if (c > 0 && m_bFocus) {
        if (s > 0)
            run(0, s, m_crText, m_crTextBack);
        run(s, c, m_crSelText, m_crSelBack);
        if (s + c < length)
            run(s + c, length - s - c, m_crText, m_crTextBack);
    } else {
        run(0, length, m_crText, m_crTextBack);
    }
    if (x < clip.right)
        FillSolid(dc, {x, y, clip.right, bottom}, m_crBack);
}
