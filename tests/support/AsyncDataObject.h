// A drag source's data object that offers asynchronous transfer
// (IDataObjectAsyncCapability), as browsers and mail programs do. It hands
// every request to another data object and records, in order, the calls a
// target makes of it.
#pragma once

#include "support/WrappedDataObject.h"

#include <shldisp.h>

#include <functional>
#include <string>
#include <vector>

class CAsyncDataObject final : public CWrappedDataObject, public IDataObjectAsyncCapability {
public:
    struct Call {
        std::string name;  // "GetData", "StartOperation", "EndOperation", ...
        CLIPFORMAT cf = 0;  // GetData's
        HRESULT hr = S_OK;  // EndOperation's
        DWORD effect = 0;  // EndOperation's
    };

    // `startResult` is what StartOperation answers.
    CAsyncDataObject(IDataObject* inner, bool asyncMode, HRESULT startResult = S_OK)
        : CWrappedDataObject(inner), m_bAsyncMode(asyncMode), m_hrStart(startResult) {}

    const std::vector<Call>& Calls() const { return m_calls; }
    // The calls' names, in order, GetData with its format number.
    std::vector<std::string> CallNames() const;
    bool HasEnded() const { return m_bEnded; }
    // Runs on the source's thread as each call arrives.
    std::function<void(const Call&)> m_onCall;

    IFACEMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    IFACEMETHODIMP_(ULONG) AddRef() override { return CWrappedDataObject::AddRef(); }
    IFACEMETHODIMP_(ULONG) Release() override { return CWrappedDataObject::Release(); }
    IFACEMETHODIMP GetData(FORMATETC* request, STGMEDIUM* medium) override;

    IFACEMETHODIMP SetAsyncMode(BOOL async) override;
    IFACEMETHODIMP GetAsyncMode(BOOL* async) override;
    IFACEMETHODIMP StartOperation(IBindCtx*) override;
    IFACEMETHODIMP InOperation(BOOL* inOperation) override;
    IFACEMETHODIMP EndOperation(HRESULT hr, IBindCtx*, DWORD effect) override;

private:
    void Record(Call call);

    std::vector<Call> m_calls;
    bool m_bAsyncMode;
    HRESULT m_hrStart;
    bool m_bInOperation = false;
    bool m_bEnded = false;
};
