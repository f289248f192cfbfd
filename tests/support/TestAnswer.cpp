#include "support/TestAnswer.h"

#include "support/TestFormat.h"

CTestAnswer::CTestAnswer(CTestMedium medium) : CTestAnswer(std::move(medium), Refusal::None, S_OK) {}

CTestAnswer::CTestAnswer(std::optional<CTestMedium> medium, Refusal refusal, HRESULT hr)
    : m_medium(std::move(medium)), m_refusal(refusal), m_refusalResult(hr)
{
}

CTestAnswer CTestAnswer::Fail(HRESULT hr)
{
    return CTestAnswer(std::nullopt, Refusal::Always, hr);
}

CTestAnswer CTestAnswer::RefuseFirst(CTestMedium medium, HRESULT hr)
{
    return CTestAnswer(std::move(medium), Refusal::FirstRequest, hr);
}

CTestAnswer CTestAnswer::RefuseUnlessEveryTymed(CTestMedium medium, HRESULT hr)
{
    return CTestAnswer(std::move(medium), Refusal::UnlessEveryTymed, hr);
}

HRESULT CTestAnswer::Answer(const FORMATETC& request, STGMEDIUM& out)
{
    out = {};
    const bool first = m_requests++ == 0;
    switch (m_refusal) {
    case Refusal::None:
        break;
    case Refusal::Always:
        return m_refusalResult;
    case Refusal::FirstRequest:
        if (first)
            return m_refusalResult;
        break;
    case Refusal::UnlessEveryTymed:
        if ((request.tymed & kEveryTymed) != kEveryTymed)
            return m_refusalResult;
        break;
    }
    return m_medium->Make(out);
}
