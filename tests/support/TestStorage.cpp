#include "support/TestStorage.h"

#include "framework/ComPtr.h"

namespace {
// Elements below the root must be opened exclusively.
constexpr DWORD kCreateElement = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE;
}

CTestStorage& CTestStorage::AddStream(std::wstring name, CBytes bytes)
{
    m_streams.push_back({std::move(name), std::move(bytes)});
    return *this;
}

CTestStorage& CTestStorage::AddStorage(std::wstring name, CTestStorage storage)
{
    m_storages.push_back({std::move(name), std::move(storage)});
    return *this;
}

HRESULT CTestStorage::Build(IStorage** out) const
{
    *out = nullptr;
    CComPtr<IStorage> root;
    HRESULT hr = ::StgCreateDocfile(nullptr, kCreateElement | STGM_DELETEONRELEASE, 0, &root);
    if (SUCCEEDED(hr))
        hr = WriteInto(root);
    if (SUCCEEDED(hr))
        hr = root->Commit(STGC_DEFAULT);
    if (SUCCEEDED(hr))
        *out = root.Detach();
    return hr;
}

HRESULT CTestStorage::WriteInto(IStorage* storage) const
{
    for (const Stream& element : m_streams) {
        CComPtr<IStream> stream;
        HRESULT hr = storage->CreateStream(element.name.c_str(), kCreateElement, 0, 0, &stream);
        if (SUCCEEDED(hr) && !element.bytes.empty())
            hr = stream->Write(element.bytes.data(), static_cast<ULONG>(element.bytes.size()), nullptr);
        if (FAILED(hr))
            return hr;
    }
    for (const Substorage& element : m_storages) {
        CComPtr<IStorage> child;
        HRESULT hr = storage->CreateStorage(element.name.c_str(), kCreateElement, 0, 0, &child);
        if (SUCCEEDED(hr))
            hr = element.storage.WriteInto(child);
        if (SUCCEEDED(hr))
            hr = child->Commit(STGC_DEFAULT);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}
