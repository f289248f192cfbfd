// A data object for tests: offers the formats it is given, in order and
// duplicates included, answers each request as the test arranged, and
// records every GetData request.
//
//   auto source = CTestDataObject::Create();
//   source->Offer({.cf = CF_UNICODETEXT}, CTestMedium::Global(BytesOf(L"text")));
//   source->Offer({.cf = cfContents, .tymed = TYMED_ISTREAM})
//       .At(0, CTestMedium::Stream(BytesOf("a")))
//       .At(1, CTestAnswer::Fail(E_FAIL));
#pragma once

#include "framework/ComPtr.h"
#include "support/TestComObject.h"
#include "support/TestOffer.h"

#include <objidl.h>

#include <deque>
#include <vector>

class CTestDataObject final : public CTestComObject<IDataObject> {
public:
    // Null only when memory runs out.
    static CComPtr<CTestDataObject> Create();

    // A request is answered by the first offer with its cf and aspect that
    // has an answer for its lindex and shares a tymed bit with it; failing
    // that, GetData and QueryGetData give DV_E_TYMED when only the tymed did
    // not match, else DV_E_FORMATETC.
    // The returned offer stays valid as long as the object.
    CTestOffer& Offer(CTestFormat format);
    // Answers requests for the offered lindex.
    CTestOffer& Offer(CTestFormat format, CTestAnswer answer);

    // Every GetData request, in order.
    const std::vector<CTestFormat>& Requests() const { return m_requests; }

    IFACEMETHODIMP GetData(FORMATETC* request, STGMEDIUM* medium) override;
    IFACEMETHODIMP GetDataHere(FORMATETC* request, STGMEDIUM* medium) override;
    IFACEMETHODIMP QueryGetData(FORMATETC* request) override;
    IFACEMETHODIMP GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    IFACEMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    IFACEMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
    IFACEMETHODIMP DAdvise(FORMATETC* format, DWORD advf, IAdviseSink* sink, DWORD* connection) override;
    IFACEMETHODIMP DUnadvise(DWORD connection) override;
    IFACEMETHODIMP EnumDAdvise(IEnumSTATDATA** out) override;

private:
    CTestDataObject() = default;

    HRESULT FindAnswer(const FORMATETC& request, CTestAnswer*& answer);

    // A deque keeps the offers handed out in place as more are added.
    std::deque<CTestOffer> m_offers;
    std::vector<CTestFormat> m_requests;
};
