#include "capture/ShellItemWalk.h"

#include "capture/NodeTypeNames.h"
#include "capture/ShellItemName.h"
#include "capture/TwoPassWalk.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"

namespace {

template <class I>
CComPtr<I> BindToObject(IShellFolder* folder, PCUIDLIST_RELATIVE item)
{
    CComPtr<I> bound;
    if (FAILED(folder->BindToObject(item, nullptr, __uuidof(I), reinterpret_cast<void**>(&bound))))
        bound.Reset();
    return bound;
}

CComPtr<IStorage> BindToStorage(IShellFolder* folder, PCUIDLIST_RELATIVE item)
{
    CComPtr<IStorage> bound;
    if (FAILED(folder->BindToStorage(item, nullptr, __uuidof(IStorage), reinterpret_cast<void**>(&bound))))
        bound.Reset();
    return bound;
}

std::unique_ptr<CCBData> CaptureShellItem(CCBDataCreateContext& context, IShellFolder* folder,
                                          PCUIDLIST_RELATIVE item, bool preferStorage)
{
    if (preferStorage) {
        if (CComPtr<IStorage> storage = BindToStorage(folder, item)) {
            auto node = walk::MakePlaceholder(kTypeStorage);
            node->m_pPendingStorage = std::move(storage);
            return node;
        }
    }
    if (CComPtr<IShellFolder> subFolder = BindToObject<IShellFolder>(folder, item)) {
        auto node = walk::MakePlaceholder(kTypeShellFolder);
        node->m_pPendingFolder = std::move(subFolder);
        return node;
    }
    if (CComPtr<IStream> stream = BindToObject<IStream>(folder, item))
        return context.CaptureStream(stream);
    auto node = std::make_unique<CCBData>();
    node->m_strType = LoadResString(IDS_TYPE_UNKNOWN);
    node->m_nIcon = kIconUnknown;
    return node;
}

}

bool AddShellItem(CCBDataCreateContext& context, CCBDataArray& level, IShellFolder* folder,
                  PCUIDLIST_RELATIVE item, const ShellItemRules& rules)
{
    const std::wstring parsingName =
        GetItemName(folder, item, SHGDN_INFOLDER | SHGDN_FORPARSING).value_or(rules.missingParsingName);
    const std::wstring displayName = GetItemName(folder, item, SHGDN_NORMAL).value_or(L"");
    if (!walk::ShowEntry(context, parsingName))
        return false;
    auto node = CaptureShellItem(context, folder, item, rules.preferStorage);
    node->m_strName = parsingName;
    node->m_strDisplayName = displayName;
    walk::AddEntry(context, level, std::move(node));
    return true;
}

void ExpandShellItems(CCBDataCreateContext& context, CCBData& container)
{
    walk::ExpandPlaceholders(context, container, [&](const CCBData& placeholder) {
        return placeholder.m_pPendingStorage ? context.CaptureStorage(placeholder.m_pPendingStorage)
                                             : context.CaptureShellFolder(placeholder.m_pPendingFolder);
    });
}
