#include "viewers/PropertyRows.h"

#include "capture/FormatNames.h"
#include "capture/NodeChecks.h"
#include "capture/ReplayLog.h"
#include "framework/Format.h"
#include "framework/OleDropTarget.h"
#include "framework/Resource.h"
#include "res/strings/viewers.h"
#include "viewers/HtmlFormatRows.h"
#include "viewers/PrivacyFormatRows.h"

#include <array>

COLDATA SplitRow(const std::wstring& row)
{
    const size_t tab = row.find(L'\t');
    if (tab == std::wstring::npos)
        return {row, {}};
    return {row.substr(0, tab), row.substr(tab + 1)};
}

std::wstring MakeRow(UINT name, std::wstring_view value)
{
    return LoadResString(name) + L'\t' + std::wstring(value);
}

void GetNodeRows(const CCBData& node, CStringArray& rows)
{
    rows.clear();
    const FORMATETC& fmt = node.m_fmt;
    if (fmt.cfFormat != 0)
        rows.push_back(
            MakeRow(IDS_ROW_FORMAT, GetFormatName(fmt.cfFormat) + L" (" + std::to_wstring(fmt.cfFormat) + L")"));
    if (fmt.lindex >= 0)
        rows.push_back(MakeRow(IDS_ROW_INDEX, std::to_wstring(fmt.lindex)));
    if (!node.m_strTempFile.empty())
        rows.push_back(MakeRow(IDS_ROW_SIZE, std::to_wstring(node.m_nSize)));
    if (const std::wstring aspect = GetAspectNames(fmt.dwAspect); !aspect.empty())
        rows.push_back(MakeRow(IDS_ROW_ASPECT, aspect));
    const std::wstring requested = GetTymedNames(fmt.tymed);
    if (!requested.empty())
        rows.push_back(MakeRow(IDS_ROW_TYMED, requested));
    if (const std::wstring actual = GetTymedNames(node.m_tymedActual); !actual.empty() && actual != requested)
        rows.push_back(MakeRow(IDS_ROW_ACTUAL_TYMED, actual));
    if (!node.m_strType.empty())
        rows.push_back(MakeRow(IDS_ROW_TYPE, node.m_strType));
    if (!node.m_strName.empty())
        rows.push_back(MakeRow(IDS_ROW_NAME, node.m_strName));
    if (!node.m_strDisplayName.empty())
        rows.push_back(MakeRow(IDS_ROW_DISPLAY_NAME, node.m_strDisplayName));
    rows.insert(rows.end(), node.m_arrInfo.begin(), node.m_arrInfo.end());
    AddHtmlFormatRows(node, rows);
    AddPrivacyFormatRows(node, rows);
}

void GetFormatListRows(const CStringArray& names, CStringArray& rows)
{
    rows.clear();
    for (size_t i = 0; i < names.size(); ++i)
        rows.push_back(i == 0 ? MakeRow(IDS_ROW_FORMAT, names[i]) : L'\t' + names[i]);
}

void GetClipboardOwnerRows(const CClipboardOwner& owner, CStringArray& rows)
{
    rows.clear();
    if (!owner.hWnd) {
        rows.push_back(MakeRow(IDS_ROW_OWNER_WINDOW, LoadResString(IDS_OWNER_NONE)));
        return;
    }
    // Window handles carry 32 significant bits, in every process.
    const auto handle = static_cast<unsigned>(reinterpret_cast<UINT_PTR>(owner.hWnd));
    rows.push_back(MakeRow(IDS_ROW_OWNER_WINDOW, FormatString(L"0x%08X", handle)));
    rows.push_back(MakeRow(IDS_ROW_WINDOW_CLASS, owner.className));
    rows.push_back(MakeRow(IDS_ROW_WINDOW_NAME, owner.caption));
    if (owner.processId)
        rows.push_back(MakeRow(IDS_ROW_PROCESS_ID, std::to_wstring(owner.processId)));
    if (!owner.imagePath.empty())
        rows.push_back(MakeRow(IDS_ROW_EXECUTABLE, owner.imagePath));
    else
        rows.push_back(ErrorRow(FormatResString(IDS_OWNER_PROCESS_UNREADABLE, owner.imageError)));
}

namespace {

UINT AsyncTransferText(AsyncTransfer transfer)
{
    switch (transfer) {
    case AsyncTransfer::NotOffered:
        return IDS_ASYNC_NOT_OFFERED;
    case AsyncTransfer::Off:
        return IDS_ASYNC_OFF;
    case AsyncTransfer::StartFailed:
        return IDS_ASYNC_START_FAILED;
    case AsyncTransfer::Used:
        break;
    }
    return IDS_ASYNC_USED;
}

}  // namespace

void GetSnapshotRows(const CSnapshotInfo& info, CStringArray& rows, const CCBDataArray* nodes)
{
    rows.clear();
    if (info.owner)
        GetClipboardOwnerRows(*info.owner, rows);
    if (info.sequenceNumber)
        rows.push_back(MakeRow(IDS_ROW_SEQUENCE_NUMBER, std::to_wstring(*info.sequenceNumber)));
    if (info.dropEffects) {
        rows.push_back(MakeRow(IDS_ROW_SOURCE_DROP_EFFECTS, DropEffectNames(*info.dropEffects)));
        if (COleDropTarget::FilterEffect(DROPEFFECT_COPY, *info.dropEffects) == DROPEFFECT_MOVE)
            rows.push_back(MakeRow(IDS_ROW_TOLD_SOURCE, LoadResString(IDS_MOVE_ONLY_TOLD_NONE)));
    }
    if (info.asyncTransfer)
        rows.push_back(MakeRow(IDS_ROW_ASYNC_TRANSFER, LoadResString(AsyncTransferText(*info.asyncTransfer))));
    if (!info.taken.empty())
        rows.push_back(MakeRow(IDS_ROW_TAKEN, info.taken));
    if (!info.finished.empty())
        rows.push_back(MakeRow(IDS_ROW_FINISHED, info.finished));
    if (info.takenDespitePrivacyRequest)
        rows.push_back(MakeRow(IDS_ROW_PRIVACY_REQUEST, LoadResString(IDS_PRIVACY_REQUEST_OVERRIDDEN)));
    if (nodes) {
        const std::array<unsigned, 3> counts = CountFindings(*nodes);
        rows.push_back(MakeRow(IDS_ROW_CHECKS, FormatResString(IDS_CHECKS_COUNTS, counts[0], counts[1], counts[2])));
    }
    CStringArray formats;
    GetFormatListRows(info.formatNames, formats);
    rows.insert(rows.end(), formats.begin(), formats.end());
}
