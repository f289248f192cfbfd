// Static splitter of one row and two columns: each pane holds a view it
// owns, and the bar between them is dragged to change the left width.
#pragma once

#include "framework/FrameworkIds.h"
#include "framework/View.h"

#include <array>
#include <memory>

class CSplitterWnd : public CWnd {
public:
    ~CSplitterWnd() override;

    // Creates the splitter as `parent`'s client with ID `id`; only one row
    // and one or two columns are supported.
    bool CreateStatic(HWND parent, int rows, int cols, DWORD style = WS_CHILD | WS_VISIBLE,
                      UINT id = AFX_IDW_PANE_FIRST);
    // Creates `view` in pane (row, col) with pane ID AFX_IDW_PANE_FIRST + col;
    // `size.cx` becomes the column's width. The splitter owns the view.
    bool CreateView(int row, int col, std::unique_ptr<CView> view, SIZE size, CDocument* doc);

    CView* GetPane(int row, int col) const;
    // The column's width as laid out, and the narrowest it may be dragged to.
    void GetColumnInfo(int col, int& current, int& min) const;
    void RecalcLayout();
    // Moves the focus to the next (or previous) pane, wrapping around.
    void ActivateNext(bool previous);
    // Keeps the bar and the columns the same size to the eye at `dpi`.
    void SetDpi(UINT dpi);

    // The bar's width, and the narrowest a column may be dragged to, at 96 DPI.
    static constexpr int kBarWidth = 6;
    static constexpr int kMinColumnWidth = 10;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    struct Column {
        int ideal = 0;
        int min = kMinColumnWidth;
        int current = 0;
        std::unique_ptr<CView> view;
    };
    std::array<Column, 2> m_columns;
    int m_nCols = 0;
    UINT m_nDpi = 96;
    int m_nBarWidth = kBarWidth;  // at m_nDpi
    int m_nDragOffset = -1;  // pointer position inside the bar while it is dragged
};
