#include "FakeStorage.h"

#include "framework/ComPtr.h"
#include "support/TestComObject.h"
#include "support/TestStream.h"

#include <cstring>
#include <new>

namespace {

using Elements = std::vector<CFakeStorage::Element>;

class CFakeElementEnum final : public CTestComObject<IEnumSTATSTG> {
public:
    explicit CFakeElementEnum(Elements elements) : m_elements(std::move(elements)) {}

    IFACEMETHODIMP Next(ULONG count, STATSTG* out, ULONG* fetched) override
    {
        ULONG done = 0;
        for (; done < count && m_next < m_elements.size(); ++done, ++m_next) {
            const auto& element = m_elements[m_next];
            STATSTG& stat = out[done];
            stat = STATSTG{};
            const size_t bytes = (element.name.size() + 1) * sizeof(wchar_t);
            stat.pwcsName = static_cast<wchar_t*>(::CoTaskMemAlloc(bytes));
            std::memcpy(stat.pwcsName, element.name.c_str(), bytes);
            stat.type = element.type;
            stat.cbSize.QuadPart = element.bytes.size();
        }
        if (fetched)
            *fetched = done;
        return done == count ? S_OK : S_FALSE;
    }
    IFACEMETHODIMP Skip(ULONG) override { return E_NOTIMPL; }
    IFACEMETHODIMP Reset() override
    {
        m_next = 0;
        return S_OK;
    }
    IFACEMETHODIMP Clone(IEnumSTATSTG**) override { return E_NOTIMPL; }

private:
    Elements m_elements;
    size_t m_next = 0;
};

class CFakeStorageObject final : public CTestComObject<IStorage> {
public:
    explicit CFakeStorageObject(Elements elements) : m_elements(std::move(elements)) {}

    IFACEMETHODIMP OpenStream(const OLECHAR* name, void*, DWORD mode, DWORD, IStream** out) override
    {
        *out = nullptr;
        const auto* element = Find(name, STGTY_STREAM, mode);
        if (!element)
            return STG_E_FILENOTFOUND;
        if (element->onOpen)
            element->onOpen();
        return CreateTestStream(element->bytes, {}, out);
    }
    IFACEMETHODIMP OpenStorage(const OLECHAR* name, IStorage*, DWORD mode, SNB, DWORD, IStorage** out) override
    {
        *out = nullptr;
        const auto* element = Find(name, STGTY_STORAGE, mode);
        if (element && element->isItself) {
            AddRef();
            *out = this;
            return S_OK;
        }
        return element ? element->storage->Build(out) : STG_E_FILENOTFOUND;
    }
    IFACEMETHODIMP EnumElements(DWORD, void*, DWORD, IEnumSTATSTG** out) override
    {
        *out = new (std::nothrow) CFakeElementEnum(m_elements);
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    IFACEMETHODIMP Stat(STATSTG* out, DWORD) override
    {
        *out = STATSTG{};
        out->type = STGTY_STORAGE;
        return S_OK;
    }

    IFACEMETHODIMP CreateStream(const OLECHAR*, DWORD, DWORD, DWORD, IStream**) override { return E_NOTIMPL; }
    IFACEMETHODIMP CreateStorage(const OLECHAR*, DWORD, DWORD, DWORD, IStorage**) override { return E_NOTIMPL; }
    IFACEMETHODIMP CopyTo(DWORD, const IID*, SNB, IStorage*) override { return E_NOTIMPL; }
    IFACEMETHODIMP MoveElementTo(const OLECHAR*, IStorage*, const OLECHAR*, DWORD) override { return E_NOTIMPL; }
    IFACEMETHODIMP Commit(DWORD) override { return S_OK; }
    IFACEMETHODIMP Revert() override { return S_OK; }
    IFACEMETHODIMP DestroyElement(const OLECHAR*) override { return E_NOTIMPL; }
    IFACEMETHODIMP RenameElement(const OLECHAR*, const OLECHAR*) override { return E_NOTIMPL; }
    IFACEMETHODIMP SetElementTimes(const OLECHAR*, const FILETIME*, const FILETIME*, const FILETIME*) override
    {
        return E_NOTIMPL;
    }
    IFACEMETHODIMP SetClass(REFCLSID) override { return E_NOTIMPL; }
    IFACEMETHODIMP SetStateBits(DWORD, DWORD) override { return E_NOTIMPL; }

private:
    // Null unless the element exists, opens with this type, and the mode is
    // what a compound file accepts for its elements.
    const CFakeStorage::Element* Find(const OLECHAR* name, DWORD type, DWORD mode) const
    {
        if ((mode & STGM_SHARE_EXCLUSIVE) == 0 || (mode & (STGM_WRITE | STGM_READWRITE)))
            return nullptr;
        for (const auto& element : m_elements)
            if (element.opens && element.type == type && element.name == name)
                return &element;
        return nullptr;
    }

    Elements m_elements;
};

}

CFakeStorage& CFakeStorage::AddStream(std::wstring name, CBytes bytes, std::function<void()> onOpen)
{
    m_elements.push_back({std::move(name), STGTY_STREAM, true, std::move(bytes), std::move(onOpen), nullptr});
    return *this;
}

CFakeStorage& CFakeStorage::AddStorage(std::wstring name, CFakeStorage storage)
{
    m_elements.push_back(
        {std::move(name), STGTY_STORAGE, true, {}, {}, std::make_shared<const CFakeStorage>(std::move(storage))});
    return *this;
}

CFakeStorage& CFakeStorage::AddItself(std::wstring name)
{
    m_elements.push_back({std::move(name), STGTY_STORAGE, true, {}, {}, nullptr, true});
    return *this;
}

CFakeStorage& CFakeStorage::AddUnopenable(std::wstring name, DWORD type)
{
    m_elements.push_back({std::move(name), type, false, {}, {}, nullptr});
    return *this;
}

HRESULT CFakeStorage::Build(IStorage** out) const
{
    *out = new (std::nothrow) CFakeStorageObject(m_elements);
    return *out ? S_OK : E_OUTOFMEMORY;
}
