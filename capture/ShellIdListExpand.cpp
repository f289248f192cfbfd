// The items of a shell item list ("Shell IDList Array"), read from the bytes
// of its node and taken through the shell.
#include "capture/CBDataCreateContext.h"
#include "capture/ItemIdList.h"
#include "portable/ShellIdListLayout.h"
#include "capture/ShellItemName.h"
#include "capture/ShellItemWalk.h"
#include "capture/TwoPassWalk.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"

#include <shlobj.h>

namespace {

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
    const std::wstring noName = LoadResString(IDS_NAME_UNAVAILABLE);
    const ShellItemRules rules{noName.c_str(), context.ItemsAsStorage()};
    for (const auto& span : items) {
        if (span) {
            const CItemIdList item = CopyList(bytes, *span);
            if (!AddShellItem(context, level, folder, item.get(), rules))
                return;
            continue;
        }
        if (!walk::ShowEntry(context, noName))
            return;
        auto node = CCBDataCreateContext::CreateErrorData(LoadResString(IDS_ID_LIST_BROKEN));
        node->m_strName = noName;
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
        AddErrorLine(LoadResString(IDS_ID_LIST_ARRAY_BROKEN));
        return;
    }
    if (layout->items.empty())
        return;
    if (!layout->parent) {
        AddErrorLine(LoadResString(IDS_PARENT_ID_LIST_BROKEN));
        return;
    }
    CComPtr<IShellFolder> desktop;
    if (FAILED(::SHGetDesktopFolder(&desktop)) || !desktop)
        return;
    const CItemIdList parent = CopyList(bytes, *layout->parent);
    m_arrInfo.push_back(FormatResString(IDS_PARENT_FOLDER_ROW, ParentLabel(desktop, parent.get()).c_str()));
    const CComPtr<IShellFolder> folder = BindParent(std::move(desktop), parent.get());
    if (!folder)
        return;
    m_pChildren = std::make_unique<CCBDataArray>();
    ListItems(context, *m_pChildren, folder, bytes, layout->items);
    ExpandShellItems(context, *this);
}
