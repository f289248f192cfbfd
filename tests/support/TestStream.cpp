#include "support/TestStream.h"

#include "framework/ComPtr.h"
#include "support/TestComObject.h"

#include <new>

namespace {

// Everything but the faults goes to a platform stream over global memory.
class CTestStream final : public CTestComObject<IStream, ISequentialStream> {
public:
    CTestStream(CComPtr<IStream> inner, const CStreamFaults& faults)
        : m_inner(std::move(inner)), m_faults(faults) {}

    IFACEMETHODIMP Read(void* pv, ULONG cb, ULONG* pcbRead) override
    {
        if (m_faults.readDelayMs)
            ::Sleep(m_faults.readDelayMs);
        if (!m_faults.failReadAt)
            return m_inner->Read(pv, cb, pcbRead);
        ULARGE_INTEGER pos{};
        HRESULT hr = m_inner->Seek({}, STREAM_SEEK_CUR, &pos);
        if (FAILED(hr))
            return hr;
        const ULONGLONG faultAt = *m_faults.failReadAt;
        if (pos.QuadPart + cb <= faultAt)
            return m_inner->Read(pv, cb, pcbRead);

        const ULONG allowed = pos.QuadPart < faultAt ? static_cast<ULONG>(faultAt - pos.QuadPart) : 0;
        ULONG read = 0;
        hr = m_inner->Read(pv, allowed, &read);
        if (pcbRead)
            *pcbRead = read;
        // Data that ends before the fault position reads normally.
        if (FAILED(hr) || read < allowed)
            return hr;
        return m_faults.readError;
    }
    IFACEMETHODIMP Write(const void* pv, ULONG cb, ULONG* pcbWritten) override
    {
        return m_inner->Write(pv, cb, pcbWritten);
    }
    IFACEMETHODIMP Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPos) override
    {
        return m_inner->Seek(move, origin, newPos);
    }
    IFACEMETHODIMP SetSize(ULARGE_INTEGER size) override { return m_inner->SetSize(size); }
    IFACEMETHODIMP CopyTo(IStream* target, ULARGE_INTEGER cb, ULARGE_INTEGER* read,
                          ULARGE_INTEGER* written) override
    {
        // The platform's copy would read past the fault.
        if (m_faults.failReadAt)
            return m_faults.readError;
        return m_inner->CopyTo(target, cb, read, written);
    }
    IFACEMETHODIMP Commit(DWORD flags) override { return m_inner->Commit(flags); }
    IFACEMETHODIMP Revert() override { return m_inner->Revert(); }
    IFACEMETHODIMP LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD type) override
    {
        return m_inner->LockRegion(offset, cb, type);
    }
    IFACEMETHODIMP UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD type) override
    {
        return m_inner->UnlockRegion(offset, cb, type);
    }
    IFACEMETHODIMP Stat(STATSTG* stat, DWORD flags) override
    {
        const HRESULT hr = m_inner->Stat(stat, flags);
        if (SUCCEEDED(hr) && m_faults.statSize)
            stat->cbSize.QuadPart = *m_faults.statSize;
        return hr;
    }
    IFACEMETHODIMP Clone(IStream** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        CComPtr<IStream> inner;
        const HRESULT hr = m_inner->Clone(&inner);
        if (FAILED(hr))
            return hr;
        *out = new (std::nothrow) CTestStream(std::move(inner), m_faults);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

private:
    CComPtr<IStream> m_inner;
    CStreamFaults m_faults;
};

}

HRESULT CreateTestStream(const CBytes& bytes, const CStreamFaults& faults, IStream** out)
{
    *out = nullptr;
    CComPtr<IStream> inner;
    HRESULT hr = ::CreateStreamOnHGlobal(nullptr, TRUE, &inner);
    if (SUCCEEDED(hr) && !bytes.empty())
        hr = inner->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
    if (SUCCEEDED(hr))
        hr = inner->Seek({}, STREAM_SEEK_SET, nullptr);
    if (FAILED(hr))
        return hr;
    *out = new (std::nothrow) CTestStream(std::move(inner), faults);
    return *out ? S_OK : E_OUTOFMEMORY;
}
