// The drop target of a drop window: every drag event goes to the window
// through a small interface.
#pragma once

#include "framework/OleDropTarget.h"

// What a window that accepts drops answers.
class CDropTargetWnd {
public:
    virtual DWORD OnDragEnter(COleDataObject* dataObject, DWORD keyState, POINT point) = 0;
    virtual DWORD OnDragOver(COleDataObject* dataObject, DWORD keyState, POINT point) = 0;
    virtual DWORD OnDragScroll(DWORD keyState, POINT point) = 0;
    virtual bool OnDrop(COleDataObject* dataObject, DWORD effect, POINT point) = 0;

protected:
    ~CDropTargetWnd() = default;
};

// Forwards to m_pTargetWnd; without one, nothing is accepted.
class CODT : public COleDropTarget {
public:
    DWORD OnDragEnter(COleDataObject* dataObject, DWORD keyState, POINT point) override
    {
        return m_pTargetWnd ? m_pTargetWnd->OnDragEnter(dataObject, keyState, point) : DROPEFFECT_NONE;
    }
    DWORD OnDragOver(COleDataObject* dataObject, DWORD keyState, POINT point) override
    {
        return m_pTargetWnd ? m_pTargetWnd->OnDragOver(dataObject, keyState, point) : DROPEFFECT_NONE;
    }
    DWORD OnDragScroll(DWORD keyState, POINT point) override
    {
        return m_pTargetWnd ? m_pTargetWnd->OnDragScroll(keyState, point) : DROPEFFECT_NONE;
    }
    bool OnDrop(COleDataObject* dataObject, DWORD effect, POINT point) override
    {
        return m_pTargetWnd && m_pTargetWnd->OnDrop(dataObject, effect, point);
    }

    CDropTargetWnd* m_pTargetWnd = nullptr;  // not owned
};
