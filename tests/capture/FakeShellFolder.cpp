#include "FakeShellFolder.h"

#include "support/TestComObject.h"
#include "support/TestStream.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr BYTE kMarker = 0xF7;
constexpr SHCONTF kEveryItem = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN |
                               SHCONTF_INCLUDESUPERHIDDEN;
// Where the ANSI parsing name starts in an item's list: after cb, marker and index.
constexpr UINT kNameOffset = 4;

std::string Ansi(const std::wstring& text)
{
    const int length = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi.data(), length, nullptr, nullptr);
    ansi.pop_back();
    return ansi;
}

// One SHITEMID: marker, index, then both names as ANSI text with their NULs,
// so that a name can be given as an offset into it.
CBytes ListOf(size_t index, const CFakeShellFolder::Item& item)
{
    std::string names = Ansi(item.parsingName);
    names.push_back('\0');
    names += Ansi(item.displayName);
    names.push_back('\0');
    const size_t cb = kNameOffset + names.size();
    CBytes bytes(cb + 2, 0);  // the last two stay 0: the terminator
    bytes[0] = static_cast<BYTE>(cb);
    bytes[1] = static_cast<BYTE>(cb >> 8);
    bytes[2] = kMarker;
    bytes[3] = static_cast<BYTE>(index);
    std::copy(names.begin(), names.end(), bytes.begin() + kNameOffset);
    return bytes;
}

ITEMIDLIST* TaskMemList(const CBytes& bytes)
{
    auto* list = static_cast<ITEMIDLIST*>(::CoTaskMemAlloc(bytes.size()));
    if (list)
        std::memcpy(list, bytes.data(), bytes.size());
    return list;
}

class CFakeItemEnum final : public CTestComObject<IEnumIDList> {
public:
    explicit CFakeItemEnum(std::vector<CBytes> lists) : m_lists(std::move(lists)) {}

    IFACEMETHODIMP Next(ULONG count, PITEMID_CHILD* out, ULONG* fetched) override
    {
        ULONG done = 0;
        for (; done < count && m_next < m_lists.size(); ++done)
            out[done] = TaskMemList(m_lists[m_next++]);
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
    IFACEMETHODIMP Clone(IEnumIDList**) override { return E_NOTIMPL; }

private:
    std::vector<CBytes> m_lists;
    size_t m_next = 0;
};

class CFakeShellFolderObject final : public CTestComObject<IShellFolder> {
public:
    CFakeShellFolderObject(std::vector<CFakeShellFolder::Item> items, std::vector<CBytes> lists, HRESULT enumeration)
        : m_items(std::move(items)), m_lists(std::move(lists)), m_enumeration(enumeration) {}

    IFACEMETHODIMP EnumObjects(HWND window, SHCONTF flags, IEnumIDList** out) override
    {
        *out = nullptr;
        if (window || flags != kEveryItem)
            return E_INVALIDARG;
        if (m_enumeration != S_OK)
            return m_enumeration;
        *out = new (std::nothrow) CFakeItemEnum(m_lists);
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    IFACEMETHODIMP BindToObject(PCUIDLIST_RELATIVE list, IBindCtx*, REFIID riid, void** out) override
    {
        *out = nullptr;
        const auto* item = Find(list);
        if (item && item->bindsToItsFolder && IsEqualIID(riid, IID_IShellFolder)) {
            AddRef();
            *out = static_cast<IShellFolder*>(this);
            return S_OK;
        }
        if (item && item->folder && IsEqualIID(riid, IID_IShellFolder))
            return item->folder->Build(reinterpret_cast<IShellFolder**>(out));
        if (item && item->stream && IsEqualIID(riid, IID_IStream))
            return CreateTestStream(*item->stream, {}, reinterpret_cast<IStream**>(out));
        return E_NOINTERFACE;
    }
    IFACEMETHODIMP BindToStorage(PCUIDLIST_RELATIVE list, IBindCtx*, REFIID riid, void** out) override
    {
        *out = nullptr;
        const auto* item = Find(list);
        if (item && item->storage && IsEqualIID(riid, IID_IStorage))
            return item->storage->Build(reinterpret_cast<IStorage**>(out));
        return E_NOINTERFACE;
    }
    IFACEMETHODIMP GetDisplayNameOf(PCUITEMID_CHILD list, SHGDNF flags, STRRET* name) override
    {
        const auto* item = Find(list);
        const bool parsing = flags == (SHGDN_INFOLDER | SHGDN_FORPARSING);
        if (!item || item->form == CFakeShellFolder::NameForm::None || (!parsing && flags != SHGDN_NORMAL))
            return E_FAIL;
        const std::wstring& text = parsing ? item->parsingName : item->displayName;
        switch (item->form) {
        case CFakeShellFolder::NameForm::Wide: {
            name->uType = STRRET_WSTR;
            const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
            name->pOleStr = static_cast<wchar_t*>(::CoTaskMemAlloc(bytes));
            std::memcpy(name->pOleStr, text.c_str(), bytes);
            return S_OK;
        }
        case CFakeShellFolder::NameForm::Ansi:
            name->uType = STRRET_CSTR;
            std::strncpy(name->cStr, Ansi(text).c_str(), sizeof name->cStr);
            return S_OK;
        default:
            name->uType = STRRET_OFFSET;
            name->uOffset = kNameOffset + (parsing ? 0 : static_cast<UINT>(Ansi(item->parsingName).size() + 1));
            return S_OK;
        }
    }

    IFACEMETHODIMP ParseDisplayName(HWND, IBindCtx*, LPWSTR, ULONG*, PIDLIST_RELATIVE*, ULONG*) override
    {
        return E_NOTIMPL;
    }
    IFACEMETHODIMP CompareIDs(LPARAM, PCUIDLIST_RELATIVE, PCUIDLIST_RELATIVE) override { return E_NOTIMPL; }
    IFACEMETHODIMP CreateViewObject(HWND, REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOTIMPL;
    }
    IFACEMETHODIMP GetAttributesOf(UINT, PCUITEMID_CHILD_ARRAY, SFGAOF*) override { return E_NOTIMPL; }
    IFACEMETHODIMP GetUIObjectOf(HWND, UINT, PCUITEMID_CHILD_ARRAY, REFIID, UINT*, void** out) override
    {
        *out = nullptr;
        return E_NOTIMPL;
    }
    IFACEMETHODIMP SetNameOf(HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF, PITEMID_CHILD*) override { return E_NOTIMPL; }

private:
    const CFakeShellFolder::Item* Find(PCUIDLIST_RELATIVE list) const
    {
        const auto* bytes = reinterpret_cast<const BYTE*>(list);
        if (!list || list->mkid.cb < kNameOffset || bytes[2] != kMarker || bytes[3] >= m_items.size())
            return nullptr;
        return &m_items[bytes[3]];
    }

    std::vector<CFakeShellFolder::Item> m_items;
    std::vector<CBytes> m_lists;
    HRESULT m_enumeration;
};

}

CFakeShellFolder& CFakeShellFolder::Add(Item item)
{
    m_items.push_back(std::move(item));
    return *this;
}

CFakeShellFolder& CFakeShellFolder::AnswerEnumeration(HRESULT result)
{
    m_enumeration = result;
    return *this;
}

CBytes CFakeShellFolder::ItemIdList(size_t index) const
{
    return ListOf(index, m_items[index]);
}

HRESULT CFakeShellFolder::Build(IShellFolder** out) const
{
    std::vector<CBytes> lists;
    for (size_t i = 0; i < m_items.size(); ++i)
        lists.push_back(ItemIdList(i));
    *out = new (std::nothrow) CFakeShellFolderObject(m_items, std::move(lists), m_enumeration);
    return *out ? S_OK : E_OUTOFMEMORY;
}
