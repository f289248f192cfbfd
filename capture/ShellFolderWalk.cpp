// A shell folder and everything below it: stream items copied, sub-folders walked.
#include "capture/CBDataCreateContext.h"
#include "capture/ItemIdList.h"
#include "capture/NodeTypeNames.h"
#include "capture/ShellItemWalk.h"
#include "capture/TwoPassWalk.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"

namespace {

constexpr SHCONTF kEveryItem = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN |
                               SHCONTF_INCLUDESUPERHIDDEN;

// The items in the order the folder delivers them; null when it cannot be
// enumerated.
std::unique_ptr<CCBDataArray> ListShellFolder(CCBDataCreateContext& context, IShellFolder* folder)
{
    CComPtr<IEnumIDList> items;
    const HRESULT hr = folder->EnumObjects(nullptr, kEveryItem, &items);
    if (FAILED(hr))
        return nullptr;
    auto level = std::make_unique<CCBDataArray>();
    // S_FALSE says there are no items, and need not set the enumerator.
    if (hr != S_OK || !items)
        return level;
    for (;;) {
        ITEMIDLIST* next = nullptr;
        const HRESULT fetch = items->Next(1, &next, nullptr);
        const CItemIdList item(next);
        if (fetch != S_OK || !item || !AddShellItem(context, *level, folder, item.get(), {L"", false}))
            break;
    }
    return level;
}

}

std::unique_ptr<CCBData> CCBDataCreateContext::CaptureShellFolder(IShellFolder* folder)
{
    auto node = walk::MakeContainer(kTypeShellFolder);
    if (!folder) {
        node->AddErrorLine(LoadResString(IDS_NO_DATA_ISHELLFOLDER_NULL));
        return node;
    }
    node->m_pChildren = ListShellFolder(*this, folder);
    ExpandShellItems(*this, *node);
    return node;
}
