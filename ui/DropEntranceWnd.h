// One of the two coloured drop windows in the toolbar: a drop captures every
// format, or first asks for one format by menu.
#pragma once

#include "framework/Handles.h"
#include "framework/Wnd.h"
#include "ui/DropTarget.h"

class CPlexaDoc;

class CDropEntranceWnd : public CWnd, public CDropTargetWnd {
public:
    bool Create(HWND parent, UINT id, COLORREF background, const std::wstring& text, bool bChooseFormat);
    // Makes the caption's font (8 points) for `dpi` and repaints.
    void SetDpi(UINT dpi);

    DWORD OnDragEnter(COleDataObject* dataObject, DWORD keyState, POINT point) override { return DROPEFFECT_COPY; }
    DWORD OnDragOver(COleDataObject* dataObject, DWORD keyState, POINT point) override { return DROPEFFECT_COPY; }
    DWORD OnDragScroll(DWORD keyState, POINT point) override { return DROPEFFECT_NONE; }
    bool OnDrop(COleDataObject* dataObject, DWORD effect, POINT point) override;

    COLORREF m_crBack = 0;
    std::wstring m_strText;
    bool m_bChooseFormat = false;
    CFontHandle m_font;
    CODT m_dropTarget;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(CREATESTRUCTW& cs) override;
    void OnDestroy() override;

private:
    void OnPaint();
    // The document of the frame's active view, when it is Plexa's.
    CPlexaDoc* FindDocument() const;
};
