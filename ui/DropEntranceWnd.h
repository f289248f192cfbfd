// One of the two coloured drop windows in the toolbar: a drop captures every
// format, or first asks for one format by menu. A source that offers
// asynchronous transfer gets its drop call back at once; the capture follows.
#pragma once

#include "framework/AsyncDropOperation.h"
#include "framework/Handles.h"
#include "framework/Wnd.h"
#include "ui/DropTarget.h"
#include "ui/PlexaDoc.h"

#include <deque>
#include <memory>

class CDropEntranceWnd : public CWnd, public CDropTargetWnd {
public:
    bool Create(HWND parent, UINT id, COLORREF background, const std::wstring& text, bool bChooseFormat);
    // Makes the caption's font (8 points) for `dpi` and repaints.
    void SetDpi(UINT dpi);

    // Copy, unless a new snapshot cannot start now (Plexa's own drag among
    // the reasons): then nothing.
    DWORD OnDragEnter(COleDataObject* dataObject, DWORD keyState, POINT point) override { return Answer(); }
    DWORD OnDragOver(COleDataObject* dataObject, DWORD keyState, POINT point) override { return Answer(); }
    DWORD OnDragScroll(DWORD keyState, POINT point) override { return DROPEFFECT_NONE; }
    bool OnDrop(COleDataObject* dataObject, DWORD effect, POINT point) override;

    // The OLE drop target registered for the window.
    COleDropTarget& DropTarget() { return m_dropTarget; }
    const std::wstring& Caption() const { return m_strText; }
    HFONT CaptionFont() const { return m_font; }

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(CREATESTRUCTW& cs) override;
    void OnDestroy() override;

private:
    // A drop whose source waits for the outcome of an asynchronous transfer.
    struct CPendingDrop {
        CPlexaDoc::CAcceptedDrop drop;
        DWORD effect;
        std::unique_ptr<CAsyncDropOperation> operation;
    };
    static constexpr UINT_PTR kTakeDropsTimer = 1;

    DWORD Answer() const;
    // Takes the pending drops once a new snapshot can start.
    void TakePendingDrops();
    void OnPaint();
    // The document of the frame's active view, when it is Plexa's.
    CPlexaDoc* FindDocument() const;

    COLORREF m_crBack = 0;
    std::wstring m_strText;
    bool m_bChooseFormat = false;
    CFontHandle m_font;
    CODT m_dropTarget;
    std::deque<CPendingDrop> m_pendingDrops;
};
