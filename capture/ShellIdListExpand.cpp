// The items of a shell item list ("Shell IDList Array"), read from the bytes
// of its node and taken through the shell.
#include "capture/CBDataCreateContext.h"
#include "capture/ItemIdList.h"
#include "portable/ShellIdListLayout.h"
#include "capture/ShellItemName.h"
#include "capture/ShellItemWalk.h"
#include "capture/TwoPassWalk.h"

#include <shlobj.h>

namespace {

constexpr wchar_t kNoName[] = L"(取得できません)";

CItemIdList CopyList(ByteSpan bytes, const IdListSpan& span)
{
    return CopyItemIdList(bytes.subspan(static_cast<size_t>(span.offset), static_cast<size_t>(span.size)));
}

std::wstring ParentLabel(IShellFolder* desktop, PCIDLIST_ABSOLUTE parent)
{
    std::wstring label = GetItemName(desktop, parent, SHGDN_NORMAL).value_or(L"");
    if (const auto parsingName = GetItemName(desktop, parent, SHGDN_FORPARSING))
        label += L" (" + *parsingName + L")";
    return label;
}

// The folder the items are relative to; null when it cannot be bound.
CComPtr<IShellFolder> BindParent(CComPtr<IShellFolder> desktop, PCIDLIST_ABSOLUTE parent)
{
    if (ILIsEmpty(parent))
        return desktop;
    CComPtr<IShellFolder> folder;
    if (FAILED(desktop->BindToObject(parent, nullptr, __uuidof(IShellFolder), reinterpret_cast<void**>(&folder))))
        folder.Reset();
    return folder;
}

// First pass: one node per item, a broken list among them included.
void ListItems(CCBDataCreateContext& context, CCBDataArray& level, IShellFolder* folder, ByteSpan bytes,
               const std::vector<std::optional<IdListSpan>>& items)
{
    const ShellItemRules rules{kNoName, context.ItemsAsStorage()};
    for (const auto& span : items) {
        if (span) {
            const CItemIdList item = CopyList(bytes, *span);
            if (!AddShellItem(context, level, folder, item.get(), rules))
                return;
            continue;
        }
        if (!walk::ShowEntry(context, kNoName))
            return;
        auto node = CCBDataCreateContext::CreateErrorData(L"項目IDリストが壊れています。");
        node->m_strName = kNoName;
        walk::AddEntry(context, level, std::move(node));
    }
}

}

void CCBData::ExpandShellIDList(CCBDataCreateContext& context)
{
    const auto data = LoadData();
    if (!data)
        return;
    const ByteSpan bytes(data.get(), static_cast<size_t>(m_nSize));
    const auto layout = ReadShellIdListLayout(bytes);
    if (!layout) {
        AddErrorLine(L"項目IDリストの配列が壊れています。");
        return;
    }
    if (layout->items.empty())
        return;
    if (!layout->parent) {
        AddErrorLine(L"親フォルダの項目IDリストが壊れています。");
        return;
    }
    CComPtr<IShellFolder> desktop;
    if (FAILED(::SHGetDesktopFolder(&desktop)) || !desktop)
        return;
    const CItemIdList parent = CopyList(bytes, *layout->parent);
    m_arrInfo.push_back(L"親フォルダ\t" + ParentLabel(desktop, parent.get()));
    const CComPtr<IShellFolder> folder = BindParent(std::move(desktop), parent.get());
    if (!folder)
        return;
    m_pChildren = std::make_unique<CCBDataArray>();
    ListItems(context, *m_pChildren, folder, bytes, layout->items);
    ExpandShellItems(context, *this);
}
