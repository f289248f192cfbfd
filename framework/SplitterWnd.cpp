#include "framework/SplitterWnd.h"

#include "framework/Dpi.h"

#include <windowsx.h>

#include <algorithm>

CSplitterWnd::~CSplitterWnd()
{
    // The panes' windows go first, while the splitter still exists as their parent.
    for (Column& column : m_columns)
        column.view.reset();
    DestroyWindow();
}

bool CSplitterWnd::CreateStatic(HWND parent, int rows, int cols, DWORD style, UINT id)
{
    if (rows != 1 || cols < 1 || cols > static_cast<int>(m_columns.size()))
        return false;
    m_nCols = cols;
    // The splitter's own area is only the bar, so its cursor is the resize cursor.
    const std::wstring className =
        RegisterWndClass(0, ::LoadCursorW(nullptr, IDC_SIZEWE), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
    RECT rect{};
    if (parent)
        ::GetClientRect(parent, &rect);
    if (!CreateEx(0, className, L"", style | WS_CLIPCHILDREN, rect, parent, id))
        return false;
    m_nDpi = GetWindowDpi(m_hWnd);
    m_nBarWidth = ScaleForDpi(kBarWidth, m_nDpi);
    for (Column& column : m_columns)
        column.min = ScaleForDpi(kMinColumnWidth, m_nDpi);
    return true;
}

bool CSplitterWnd::CreateView(int row, int col, std::unique_ptr<CView> view, SIZE size, CDocument* doc)
{
    if (row != 0 || col < 0 || col >= m_nCols || m_columns[col].view || !view)
        return false;
    if (!view->Create(m_hWnd, AFX_IDW_PANE_FIRST + col, doc, RECT{0, 0, size.cx, size.cy}))
        return false;
    m_columns[col].ideal = size.cx;
    m_columns[col].view = std::move(view);
    RecalcLayout();
    return true;
}

CView* CSplitterWnd::GetPane(int row, int col) const
{
    return row == 0 && col >= 0 && col < m_nCols ? m_columns[col].view.get() : nullptr;
}

void CSplitterWnd::GetColumnInfo(int col, int& current, int& min) const
{
    current = m_columns[col].current;
    min = m_columns[col].min;
}

void CSplitterWnd::RecalcLayout()
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int width = client.right;
    const int height = client.bottom;
    // The last column takes what the ones before it leave.
    int x = 0;
    for (int col = 0; col < m_nCols; ++col) {
        Column& column = m_columns[col];
        const bool last = col == m_nCols - 1;
        column.current = last ? std::max(0, width - x) : std::clamp(column.ideal, 0, std::max(0, width - x));
        if (column.view)
            ::MoveWindow(*column.view, x, 0, column.current, height, TRUE);
        x += column.current + m_nBarWidth;
    }
}

void CSplitterWnd::ActivateNext(bool previous)
{
    const HWND focus = ::GetFocus();
    int current = -1;
    for (int col = 0; col < m_nCols; ++col) {
        const HWND pane = m_columns[col].view ? m_columns[col].view->GetSafeHwnd() : nullptr;
        if (pane && (pane == focus || ::IsChild(pane, focus)))
            current = col;
    }
    const int step = previous ? m_nCols - 1 : 1;
    const int next = current < 0 ? 0 : (current + step) % m_nCols;
    if (m_columns[next].view)
        ::SetFocus(*m_columns[next].view);
}

void CSplitterWnd::SetDpi(UINT dpi)
{
    for (Column& column : m_columns) {
        column.ideal = RescaleLength(column.ideal, m_nDpi, dpi);
        column.min = RescaleLength(column.min, m_nDpi, dpi);
    }
    m_nDpi = dpi;
    m_nBarWidth = ScaleForDpi(kBarWidth, dpi);
    RecalcLayout();
}

void CSplitterWnd::OnSize(UINT type, int cx, int cy)
{
    RecalcLayout();
}

LRESULT CSplitterWnd::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Only the bar between the panes shows the splitter, so every press here grabs it.
    switch (msg) {
    case WM_LBUTTONDOWN:
        if (m_nCols > 1) {
            m_nDragOffset = GET_X_LPARAM(lParam) - m_columns[0].current;
            ::SetCapture(m_hWnd);
        }
        return 0;
    case WM_MOUSEMOVE:
        if (m_nDragOffset >= 0 && ::GetCapture() == m_hWnd) {
            m_columns[0].ideal = std::max(m_columns[0].min, GET_X_LPARAM(lParam) - m_nDragOffset);
            RecalcLayout();
        }
        return 0;
    case WM_LBUTTONUP:
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        m_nDragOffset = -1;
        return 0;
    }
    return WndProcDefault(msg, wParam, lParam);
}
