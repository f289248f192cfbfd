#include "support/AsyncDataObject.h"

std::vector<std::string> CAsyncDataObject::CallNames() const
{
    std::vector<std::string> names;
    for (const Call& call : m_calls)
        names.push_back(call.name == "GetData" ? call.name + " " + std::to_string(call.cf) : call.name);
    return names;
}

IFACEMETHODIMP CAsyncDataObject::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv && IsEqualIID(riid, IID_IDataObjectAsyncCapability)) {
        *ppv = static_cast<IDataObjectAsyncCapability*>(this);
        AddRef();
        return S_OK;
    }
    return CWrappedDataObject::QueryInterface(riid, ppv);
}

IFACEMETHODIMP CAsyncDataObject::GetData(FORMATETC* request, STGMEDIUM* medium)
{
    Record({"GetData", request ? request->cfFormat : CLIPFORMAT{}});
    return CWrappedDataObject::GetData(request, medium);
}

IFACEMETHODIMP CAsyncDataObject::SetAsyncMode(BOOL async)
{
    Record({"SetAsyncMode"});
    m_bAsyncMode = async;
    return S_OK;
}

IFACEMETHODIMP CAsyncDataObject::GetAsyncMode(BOOL* async)
{
    if (!async)
        return E_INVALIDARG;
    Record({"GetAsyncMode"});
    // What sources built on the old IAsyncOperation answer for true.
    *async = m_bAsyncMode ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

IFACEMETHODIMP CAsyncDataObject::StartOperation(IBindCtx*)
{
    Record({"StartOperation"});
    m_bInOperation = SUCCEEDED(m_hrStart);
    return m_hrStart;
}

IFACEMETHODIMP CAsyncDataObject::InOperation(BOOL* inOperation)
{
    if (!inOperation)
        return E_INVALIDARG;
    *inOperation = m_bInOperation;
    return S_OK;
}

IFACEMETHODIMP CAsyncDataObject::EndOperation(HRESULT hr, IBindCtx*, DWORD effect)
{
    Record({"EndOperation", 0, hr, effect});
    m_bInOperation = false;
    m_bEnded = true;
    return S_OK;
}

void CAsyncDataObject::Record(Call call)
{
    m_calls.push_back(call);
    if (m_onCall)
        m_onCall(call);
}
