// How one offered format, or one item of it, answers GetData: by delivering
// a medium, or by refusing as a test wants.
#pragma once

#include "support/TestMedium.h"

#include <objidl.h>

#include <optional>

class CTestAnswer {
public:
    // Delivers on every request.
    CTestAnswer(CTestMedium medium);
    // Never delivers.
    static CTestAnswer Fail(HRESULT hr);
    // Refuses the first request with `hr`, delivers from the second on.
    static CTestAnswer RefuseFirst(CTestMedium medium, HRESULT hr = DV_E_FORMATETC);
    // Refuses with `hr` unless the request asks for every medium type (tymed 127).
    static CTestAnswer RefuseUnlessEveryTymed(CTestMedium medium, HRESULT hr = DV_E_TYMED);

    // One GetData; `out` is empty unless it succeeds.
    HRESULT Answer(const FORMATETC& request, STGMEDIUM& out);

private:
    enum class Refusal { None, Always, FirstRequest, UnlessEveryTymed };
    CTestAnswer(std::optional<CTestMedium> medium, Refusal refusal, HRESULT hr);

    std::optional<CTestMedium> m_medium;
    Refusal m_refusal;
    HRESULT m_refusalResult;
    int m_requests = 0;
};
