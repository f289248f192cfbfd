// A data object that hands every request to another one, for sources that
// add one behaviour to a test data object in their GetData.
#pragma once

#include "framework/ComPtr.h"
#include "support/TestComObject.h"

#include <objidl.h>

class CWrappedDataObject : public CTestComObject<IDataObject> {
public:
    explicit CWrappedDataObject(IDataObject* inner) : m_inner(inner) {}

    IFACEMETHODIMP GetData(FORMATETC* request, STGMEDIUM* medium) override { return m_inner->GetData(request, medium); }
    IFACEMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    IFACEMETHODIMP QueryGetData(FORMATETC* request) override { return m_inner->QueryGetData(request); }
    IFACEMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    IFACEMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    IFACEMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override
    {
        return m_inner->EnumFormatEtc(direction, out);
    }
    IFACEMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    IFACEMETHODIMP DUnadvise(DWORD) override { return E_NOTIMPL; }
    IFACEMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    CComPtr<IDataObject> m_inner;
};
