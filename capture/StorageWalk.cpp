// A storage and everything below it: streams copied, sub-storages walked.
#include "capture/CBDataCreateContext.h"
#include "capture/NodeTypeNames.h"
#include "capture/TwoPassWalk.h"
#include "framework/CoTaskMem.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"

namespace {

// Elements of a storage cannot be opened with mode 0: the platform wants
// read access spelled out and exclusive sharing for anything below the root.
constexpr DWORD kElementAccess = STGM_READ | STGM_SHARE_EXCLUSIVE;

std::unique_ptr<CCBData> ErrorNode(UINT message, const wchar_t* type, int icon)
{
    auto node = CCBDataCreateContext::CreateErrorData(LoadResString(message));
    node->m_strType = type;
    node->m_nIcon = icon;
    return node;
}

std::unique_ptr<CCBData> CaptureElementStream(CCBDataCreateContext& context, IStorage* storage, const wchar_t* name)
{
    CComPtr<IStream> stream;
    if (FAILED(storage->OpenStream(name, nullptr, kElementAccess, 0, &stream)))
        return ErrorNode(IDS_NO_DATA, L"IStream", kIconData);
    return context.CaptureStream(stream);
}

std::unique_ptr<CCBData> CaptureElement(CCBDataCreateContext& context, IStorage* storage, const STATSTG& element,
                                        const wchar_t* name)
{
    switch (element.type) {
    case STGTY_STORAGE:
        return walk::MakePlaceholder(kTypeStorage);
    case STGTY_STREAM:
        return CaptureElementStream(context, storage, name);
    case STGTY_LOCKBYTES:
        return ErrorNode(IDS_UNSUPPORTED_TYPE, L"STGTY_LOCKBYTES", kIconUnknown);
    case STGTY_PROPERTY:
        return ErrorNode(IDS_UNSUPPORTED_TYPE, L"STGTY_PROPERTY", kIconUnknown);
    default:
        return ErrorNode(IDS_UNKNOWN_TYPE, L"", kIconUnknown);
    }
}

// The elements in the order the storage delivers them; null when it cannot
// be enumerated.
std::unique_ptr<CCBDataArray> ListStorage(CCBDataCreateContext& context, IStorage* storage)
{
    CComPtr<IEnumSTATSTG> elements;
    if (FAILED(storage->EnumElements(0, nullptr, 0, &elements)) || !elements)
        return nullptr;
    auto level = std::make_unique<CCBDataArray>();
    for (;;) {
        STATSTG element{};
        const HRESULT fetch = elements->Next(1, &element, nullptr);
        const CCoTaskMemPtr<wchar_t> ownedName(element.pwcsName);
        if (fetch != S_OK)
            break;
        const std::wstring name = ownedName ? ownedName.get() : L"";
        if (!walk::ShowEntry(context, name))
            break;
        auto node = CaptureElement(context, storage, element, name.c_str());
        node->m_strName = name;
        walk::AddEntry(context, *level, std::move(node));
    }
    return level;
}

}

std::unique_ptr<CCBData> CCBDataCreateContext::CaptureStorage(IStorage* storage)
{
    auto node = walk::MakeContainer(kTypeStorage);
    if (!storage) {
        node->AddErrorLine(LoadResString(IDS_NO_DATA_ISTORAGE_NULL));
        return node;
    }
    node->m_pChildren = ListStorage(*this, storage);
    walk::ExpandPlaceholders(*this, *node, [&](const CCBData& placeholder) {
        CComPtr<IStorage> child;
        if (FAILED(storage->OpenStorage(placeholder.m_strName.c_str(), nullptr, kElementAccess, nullptr, 0, &child)))
            return ErrorNode(IDS_NO_DATA, kTypeStorage, kIconFolder);
        return CaptureStorage(child);
    });
    return node;
}
