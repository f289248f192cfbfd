#include "framework/OleDropSource.h"

#include "framework/ComPtr.h"
#include "framework/WorkInProgress.h"

#include <shlobj.h>

namespace {

class CDropSource final : public IDropSource {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDropSource) {
            *object = static_cast<IDropSource*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the stack of the drag, which outlasts every reference.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keyState) override
    {
        if (escapePressed || (keyState & MK_RBUTTON))
            return DRAGDROP_S_CANCEL;
        return keyState & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
    }
    STDMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}

DWORD DragFrom(HWND window, POINT point, IDataObject* data, DWORD allowedEffects)
{
    // The image is a nicety: the drag goes on without one.
    CComPtr<IDragSourceHelper> helper;
    if (SUCCEEDED(::CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&helper))))
        helper->InitializeFromWindow(window, &point, data);
    CDropSource source;
    // The drag loop handles messages; its own drop windows must refuse it.
    const CWorkInProgress work;
    DWORD effect = DROPEFFECT_NONE;
    if (::DoDragDrop(data, &source, allowedEffects, &effect) != DRAGDROP_S_DROP)
        return DROPEFFECT_NONE;
    return effect;
}
