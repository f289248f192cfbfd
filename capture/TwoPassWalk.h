// The two passes that every walk over a container makes. The first lists one
// level: leaves are captured at once, sub-containers become placeholders. The
// second opens the placeholders in order, depth first, while the run is
// neither aborted nor over its byte budget; the others keep a stop line.
#pragma once

#include "capture/CBDataCreateContext.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"

#include <memory>
#include <string>
#include <utility>

namespace walk {

// Nesting beyond this is a loop (a link to an ancestor folder, a storage
// that contains itself) rather than data, and would exhaust the stack.
inline constexpr int kMaxDepth = 128;

// A container node, before anything is listed in it.
inline std::unique_ptr<CCBData> MakeContainer(const wchar_t* type)
{
    auto node = std::make_unique<CCBData>();
    node->m_strType = type;
    node->m_nIcon = kIconFolder;
    return node;
}

// A sub-container that the second pass of its level opens.
inline std::unique_ptr<CCBData> MakePlaceholder(const wchar_t* type)
{
    auto node = MakeContainer(type);
    node->m_bPending = 1;
    return node;
}

// Shows the entry about to be taken; false when the run is to stop, which
// ends the first pass of the level.
inline bool ShowEntry(CCBDataCreateContext& context, const std::wstring& name)
{
    context.ShowItem(name);
    return !context.ShouldStop();
}

// Appends a listed entry and counts its bytes against the budget.
inline void AddEntry(CCBDataCreateContext& context, CCBDataArray& level, std::unique_ptr<CCBData> node)
{
    context.m_nTotal += node->m_nSize;
    level.push_back(std::move(node));
}

// Second pass over `container`'s children. `expand(placeholder)` returns the
// node that replaces it; that node takes the placeholder's names, and the
// placeholder, with whatever reference it held, is deleted.
template <class Expand>
void ExpandPlaceholders(CCBDataCreateContext& context, CCBData& container, Expand&& expand)
{
    if (!container.m_pChildren)
        return;
    for (std::unique_ptr<CCBData>& slot : *container.m_pChildren) {
        if (!slot->m_bPending)
            continue;
        context.ShowItem(slot->m_strName);
        const bool tooDeep = context.m_nDepth >= kMaxDepth;
        if (context.ShouldStop() || context.IsOverBudget() || tooDeep) {
            slot->m_pPendingFolder.Reset();
            slot->m_pPendingStorage.Reset();
            slot->AddErrorLine(tooDeep && !context.IsOverBudget() ? LoadResString(IDS_STOPPED_TOO_DEEP)
                                                                  : context.GetStopMessage());
            continue;
        }
        ++context.m_nDepth;
        std::unique_ptr<CCBData> expanded = expand(*slot);
        --context.m_nDepth;
        expanded->m_strName = slot->m_strName;
        expanded->m_strDisplayName = slot->m_strDisplayName;
        slot = std::move(expanded);
    }
}

}
