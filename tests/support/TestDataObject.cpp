#include "support/TestDataObject.h"

#include "support/TestFormatEnum.h"

#include <new>

CComPtr<CTestDataObject> CTestDataObject::Create()
{
    return CComPtr<CTestDataObject>::Adopt(new (std::nothrow) CTestDataObject);
}

CTestOffer& CTestDataObject::Offer(CTestFormat format)
{
    return m_offers.emplace_back(format);
}

CTestOffer& CTestDataObject::Offer(CTestFormat format, CTestAnswer answer)
{
    return Offer(format).At(format.lindex, std::move(answer));
}

HRESULT CTestDataObject::FindAnswer(const FORMATETC& request, CTestAnswer*& answer)
{
    answer = nullptr;
    HRESULT result = DV_E_FORMATETC;
    for (CTestOffer& offer : m_offers) {
        const CTestFormat& format = offer.Format();
        if (format.cf != request.cfFormat || format.aspect != request.dwAspect)
            continue;
        CTestAnswer* found = offer.Find(request.lindex);
        if (!found)
            continue;
        if (format.tymed & request.tymed) {
            answer = found;
            return S_OK;
        }
        result = DV_E_TYMED;
    }
    return result;
}

IFACEMETHODIMP CTestDataObject::GetData(FORMATETC* request, STGMEDIUM* medium)
{
    if (!request || !medium)
        return E_INVALIDARG;
    *medium = {};
    try {
        m_requests.push_back(CTestFormat::From(*request));
        CTestAnswer* answer = nullptr;
        const HRESULT hr = FindAnswer(*request, answer);
        return answer ? answer->Answer(*request, *medium) : hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

IFACEMETHODIMP CTestDataObject::GetDataHere(FORMATETC*, STGMEDIUM*)
{
    return E_NOTIMPL;
}

IFACEMETHODIMP CTestDataObject::QueryGetData(FORMATETC* request)
{
    if (!request)
        return E_INVALIDARG;
    CTestAnswer* answer = nullptr;
    return FindAnswer(*request, answer);
}

IFACEMETHODIMP CTestDataObject::GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out)
{
    if (!in || !out)
        return E_INVALIDARG;
    // No rendering here depends on a device.
    *out = *in;
    out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

IFACEMETHODIMP CTestDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL)
{
    return E_NOTIMPL;
}

IFACEMETHODIMP CTestDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (direction != DATADIR_GET)
        return E_NOTIMPL;
    try {
        std::vector<FORMATETC> formats;
        for (const CTestOffer& offer : m_offers)
            formats.push_back(offer.Format().ToFormatEtc());
        return CreateTestFormatEnum(std::move(formats), out);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

IFACEMETHODIMP CTestDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return E_NOTIMPL;
}

IFACEMETHODIMP CTestDataObject::DUnadvise(DWORD)
{
    return E_NOTIMPL;
}

IFACEMETHODIMP CTestDataObject::EnumDAdvise(IEnumSTATDATA**)
{
    return E_NOTIMPL;
}
