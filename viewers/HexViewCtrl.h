// A self-drawn, read-only hex dump of up to 2^64-1 bytes, treated as text:
// caret, stream selection, keyboard and mouse like a read-only editor, copy
// and export of the selection, finding bytes or text. It never holds the data:
// its owner's read function supplies the bytes of each line drawn and of
// each copy, export or search.
#pragma once

#include "framework/Handles.h"
#include "framework/Menu.h"
#include "framework/Wnd.h"
#include "portable/HexLayout.h"
#include "viewers/HexFindRequest.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Fills `buffer` with up to `count` bytes from `offset` and returns how many
// it delivered from the buffer's start; fewer when the data cannot be read.
using HexViewReadProc = uint32_t (*)(uint64_t offset, uint32_t count, void* buffer, void* context, int64_t param);

class CHexViewCtrl : public CWnd {
public:
    CHexViewCtrl();

    // Operations
    bool Create(HWND parent);
    void SetBytesPerLine(int n);
    void SetDataSource(HexViewReadProc read, void* context, int64_t param, uint64_t size);
    HexByteRange GetSelectedByteRange() const;
    // Selects the bytes' hex digits and scrolls the caret, at their end, into view.
    void SelectBytes(HexByteRange range);
    bool IsCommandEnabled(UINT command) const;
    bool PreTranslateMessage(MSG& msg) override;

    // Attributes, as the dump shows them
    CHexLayout Layout() const { return {m_nDataSize, m_nBytesPerLine}; }
    HexPos GetCaret() const { return {m_nCaretLine, m_nCaretCol}; }
    HexPos GetSelStart() const { return {m_nSelStartLine, m_nSelStartCol}; }
    HexPos GetSelEnd() const { return {m_nSelEndLine, m_nSelEndCol}; }
    int64_t GetTopLine() const { return m_nTopLine; }
    int GetLeftCol() const { return m_nLeftCol; }
    int GetPageLines() const { return m_nPageLines; }
    int GetBytesPerLine() const { return m_nBytesPerLine; }
    POINT CellOrigin(HexPos pos) const;

protected:
    // Overridables: where an export goes (empty: cancelled) and how the context menu shows.
    virtual std::wstring ChooseExportPath();
    virtual void TrackContextMenu(const CPopupMenu& menu, POINT point);
    // The find box, starting from `last`; false when cancelled.
    virtual bool AskFind(CHexFindRequest& request, std::vector<BytePattern>& patterns);
    virtual void ShowNotFound();

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(CREATESTRUCTW& cs) override;
    void OnSize(UINT type, int cx, int cy) override;
    bool OnCmdMsg(UINT nID) override;

private:
    // Drawing and layout (HexViewCtrl.cpp)
    void RecalcLayout();
    // The dump's font and the metrics taken from it, at `dpi`.
    void SetFontForDpi(UINT dpi);
    // Moved to a monitor of another scale (per-monitor awareness only).
    void OnDpiChanged();
    void ReadColors();
    void OnPaint();
    void DrawLine(HDC dc, int64_t line, int y, const RECT& clip);
    // The line's text with whatever its bytes could be read; false when some could not.
    bool FormatLine(int64_t line, std::wstring& text);
    void SetVertPos();
    void SetHorzPos();

    // Caret and scrolling (HexViewCaret.cpp)
    void UpdateCaret();
    void MoveCaret(int64_t line, int col, bool extend);
    void EnsureCaretVisible();
    void ScrollToLine(int64_t top, bool updateBar);
    void ScrollToColumn(int left, bool updateBar);
    void OnVScroll(int code);
    void OnHScroll(int code);
    void OnMouseWheel(int delta);
    void OnFocus(bool gained);

    // Input (HexViewInput.cpp)
    HexPos PointToPos(POINT pt, bool nearestBoundary) const;
    void OnLButtonDown(POINT pt, bool shift);
    void DragTo(POINT pt);
    void EndDrag();
    void OnLButtonDblClk(POINT pt);
    void OnKeyDown(UINT key);
    void MoveAndShow(int64_t line, int col, bool extend);
    void WordLeft(bool extend);
    void WordRight(bool extend);
    void PageUp(bool extend);
    void PageDown(bool extend);
    void OnContextMenu(POINT pt);

    // Commands (HexViewCommands.cpp)
    void Copy();
    CGlobalHandle MakeByteBlock(bool& failed, bool& shortRead);
    CGlobalHandle MakeTextBlock(bool& shortRead);
    void Export();
    void SelectAll();
    // Reads up to `count` bytes; how many came.
    uint32_t Read(uint64_t offset, uint32_t count, void* buffer) const;

    // Finding (HexViewFind.cpp)
    void OpenFind();
    // From the selection's start, or the caret when nothing is selected.
    void FindAgain(bool forward);

    HexViewReadProc m_pfnRead = nullptr;
    void* m_pReadContext = nullptr;
    int64_t m_lReadParam = 0;
    uint64_t m_nDataSize = 0;
    int m_nBytesPerLine = 16;
    std::unique_ptr<uint8_t[]> m_pLineBuf;
    CFontHandle m_font;
    int m_cxChar = 8;
    int m_cyChar = 16;
    int m_cyLine = 16;
    int m_cxMargin = 4;
    int m_cyMargin = 2;
    int m_cxCaret = 1;
    COLORREF m_crBack = 0;
    COLORREF m_crText = 0;
    COLORREF m_crTextBack = 0;
    COLORREF m_crSelText = 0;
    COLORREF m_crSelBack = 0;
    int64_t m_nLines = 0;
    int64_t m_nTopLine = 0;
    int m_nPageLines = 0;
    int64_t m_nMaxTopLine = 0;
    int64_t m_nScrollScale = 1;
    int m_nLineChars = 0;
    int m_nPageCols = 0;
    int m_nMaxLeftCol = 0;
    int m_nLeftCol = 0;
    int64_t m_nCaretLine = 0;
    int m_nCaretCol = 0;
    int64_t m_nAnchorLine = 0;
    int m_nAnchorCol = 0;
    int64_t m_nSelStartLine = 0;
    int m_nSelStartCol = 0;
    int64_t m_nSelEndLine = 0;
    int m_nSelEndCol = 0;
    bool m_bDragging = false;
    POINT m_ptLastMouse{};
    bool m_bFocus = false;
    bool m_bCaretShown = false;
    std::wstring m_strLine;     // reused for each line drawn
    std::vector<int> m_advance;  // m_cxChar for every character of the widest line
    CHexFindRequest m_findRequest;            // the find box's last contents
    std::vector<BytePattern> m_findPatterns;  // what F3 looks for; empty before the first find
};
