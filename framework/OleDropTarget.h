// A window's OLE drop target that only reads what is dropped. Subclasses
// answer the drag events; the target turns the effect they propose into one
// the source allows, and never tells a source its data moved: a source that
// allows only moving is shown the move while dragging, so that it drops at
// all, but hears that nothing was taken.
#pragma once

#include "framework/OleDataObject.h"

#include <oleidl.h>

class COleDropTarget : public IDropTarget {
public:
    COleDropTarget() = default;
    virtual ~COleDropTarget();
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // Registers the target for `hWnd`; the window must call Revoke before it is gone.
    bool Register(HWND hWnd);
    void Revoke();

    // Overridables; positions are in screen coordinates.
    virtual DWORD OnDragEnter(COleDataObject* dataObject, DWORD keyState, POINT point) { return DROPEFFECT_NONE; }
    virtual DWORD OnDragOver(COleDataObject* dataObject, DWORD keyState, POINT point) { return DROPEFFECT_NONE; }
    virtual DWORD OnDragScroll(DWORD keyState, POINT point) { return DROPEFFECT_NONE; }
    virtual void OnDragLeave() {}
    // `effect` is what the source hears when it returns true: never a move.
    virtual bool OnDrop(COleDataObject* dataObject, DWORD effect, POINT point) { return false; }

    // The effect shown while dragging for a proposed one: copy when the
    // source allows it, else link, else move, else none.
    static DWORD FilterEffect(DWORD proposed, DWORD allowed);
    // The effect a drop shown as `shown` reports to its source.
    static DWORD ReportedEffect(DWORD shown) { return shown == DROPEFFECT_MOVE ? DROPEFFECT_NONE : shown; }
    // During OnDrop: every effect the source allows.
    DWORD OfferedEffects() const { return m_dwOfferedEffects; }

    // IUnknown: the object lives as a member of its window, not by its count.
    IFACEMETHODIMP QueryInterface(REFIID iid, void** out) override;
    IFACEMETHODIMP_(ULONG) AddRef() override { return ++m_cRef; }
    IFACEMETHODIMP_(ULONG) Release() override { return --m_cRef; }

    // IDropTarget
    IFACEMETHODIMP DragEnter(IDataObject* dataObject, DWORD keyState, POINTL point, DWORD* effect) override;
    IFACEMETHODIMP DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    IFACEMETHODIMP DragLeave() override;
    IFACEMETHODIMP Drop(IDataObject* dataObject, DWORD keyState, POINTL point, DWORD* effect) override;

private:
    DWORD ProposeOver(DWORD keyState, POINT point);

    HWND m_hWnd = nullptr;
    ULONG m_cRef = 0;
    COleDataObject m_dataObject;  // the object being dragged, between enter and leave or drop
    DWORD m_dwOfferedEffects = DROPEFFECT_NONE;
};
