#include "framework/OleDropTarget.h"

#include <ole2.h>

COleDropTarget::~COleDropTarget()
{
    Revoke();
}

bool COleDropTarget::Register(HWND hWnd)
{
    Revoke();
    if (FAILED(::RegisterDragDrop(hWnd, this)))
        return false;
    m_hWnd = hWnd;
    return true;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd)
        ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
}

DWORD COleDropTarget::FilterEffect(DWORD proposed, DWORD allowed)
{
    if (proposed == DROPEFFECT_NONE)
        return DROPEFFECT_NONE;
    for (DWORD effect : {DROPEFFECT_COPY, DROPEFFECT_LINK, DROPEFFECT_MOVE})
        if (allowed & effect)
            return effect;
    return DROPEFFECT_NONE;
}

IFACEMETHODIMP COleDropTarget::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDropTarget) {
        *out = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

DWORD COleDropTarget::ProposeOver(DWORD keyState, POINT point)
{
    const DWORD scroll = OnDragScroll(keyState, point);
    return scroll != DROPEFFECT_NONE ? scroll : OnDragOver(&m_dataObject, keyState, point);
}

IFACEMETHODIMP COleDropTarget::DragEnter(IDataObject* dataObject, DWORD keyState, POINTL point, DWORD* effect)
{
    if (!effect)
        return E_INVALIDARG;
    m_dataObject.Attach(dataObject);
    *effect = FilterEffect(OnDragEnter(&m_dataObject, keyState, {point.x, point.y}), *effect);
    return S_OK;
}

IFACEMETHODIMP COleDropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect)
{
    if (!effect)
        return E_INVALIDARG;
    *effect = FilterEffect(ProposeOver(keyState, {point.x, point.y}), *effect);
    return S_OK;
}

IFACEMETHODIMP COleDropTarget::DragLeave()
{
    OnDragLeave();
    m_dataObject.Attach(nullptr);
    return S_OK;
}

IFACEMETHODIMP COleDropTarget::Drop(IDataObject* dataObject, DWORD keyState, POINTL point, DWORD* effect)
{
    if (!effect)
        return E_INVALIDARG;
    m_dataObject.Attach(dataObject);
    m_dwOfferedEffects = *effect;
    const POINT where{point.x, point.y};
    const DWORD shown = FilterEffect(ProposeOver(keyState, where), *effect);
    const DWORD reported = ReportedEffect(shown);
    // Exceptions must not reach the drag source: a failed drop reports no effect.
    bool dropped = false;
    try {
        dropped = shown != DROPEFFECT_NONE && OnDrop(&m_dataObject, reported, where);
    } catch (...) {
        dropped = false;
    }
    *effect = dropped ? reported : DROPEFFECT_NONE;
    m_dataObject.Attach(nullptr);
    return S_OK;
}
