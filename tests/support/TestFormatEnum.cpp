#include "support/TestFormatEnum.h"

#include "support/TestComObject.h"

#include <new>

namespace {

class CTestFormatEnum final : public CTestComObject<IEnumFORMATETC> {
public:
    CTestFormatEnum(std::vector<FORMATETC> formats, size_t next)
        : m_formats(std::move(formats)), m_next(next) {}

    IFACEMETHODIMP Next(ULONG celt, FORMATETC* rgelt, ULONG* fetched) override
    {
        if (!rgelt)
            return E_POINTER;
        // Only a request for one element may leave out the count.
        if (celt != 1 && !fetched)
            return E_INVALIDARG;
        ULONG count = 0;
        for (; count < celt && m_next < m_formats.size(); ++count)
            rgelt[count] = m_formats[m_next++];
        if (fetched)
            *fetched = count;
        return count == celt ? S_OK : S_FALSE;
    }
    IFACEMETHODIMP Skip(ULONG celt) override
    {
        if (celt > m_formats.size() - m_next) {
            m_next = m_formats.size();
            return S_FALSE;
        }
        m_next += celt;
        return S_OK;
    }
    IFACEMETHODIMP Reset() override
    {
        m_next = 0;
        return S_OK;
    }
    IFACEMETHODIMP Clone(IEnumFORMATETC** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        try {
            return CreateEnum(m_formats, m_next, out);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }

    static HRESULT CreateEnum(std::vector<FORMATETC> formats, size_t next, IEnumFORMATETC** out)
    {
        *out = new (std::nothrow) CTestFormatEnum(std::move(formats), next);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

private:
    const std::vector<FORMATETC> m_formats;
    size_t m_next;
};

}

HRESULT CreateTestFormatEnum(std::vector<FORMATETC> formats, IEnumFORMATETC** out)
{
    return CTestFormatEnum::CreateEnum(std::move(formats), 0, out);
}
