#include "viewers/PrivacyFormatRows.h"

#include "capture/ClipboardPrivacy.h"
#include "framework/Format.h"
#include "framework/Resource.h"
#include "portable/ByteReaderLayout.h"
#include "res/strings/viewers.h"
#include "viewers/PropertyRows.h"

namespace {

bool IsFormat(const CCBData& node, const wchar_t* name)
{
    return node.m_fmt.cfFormat == ::RegisterClipboardFormatW(name);
}

// The DWORD's meaning: `no` for 0, `yes` for 1.
std::wstring DwordMeaning(const CCBData& node, UINT no, UINT yes)
{
    const std::vector<BYTE> head = node.LoadHead(4);
    const std::optional<uint32_t> value = ReadU32(ByteSpan(head.data(), head.size()), 0);
    if (!value)
        return LoadResString(IDS_PRIVACY_NO_DWORD);
    if (*value > 1)
        return FormatResString(IDS_PRIVACY_OTHER_VALUE, static_cast<unsigned long>(*value));
    return FormatString(L"%lu: %s", static_cast<unsigned long>(*value), LoadResString(*value ? yes : no).c_str());
}

}

void AddPrivacyFormatRows(const CCBData& node, CStringArray& rows)
{
    if (IsFormat(node, kExcludeFromMonitorsFormat))
        rows.push_back(MakeRow(IDS_ROW_MEANING, LoadResString(IDS_PRIVACY_EXCLUDE_MONITORS)));
    else if (IsFormat(node, kClipboardHistoryFormat))
        rows.push_back(MakeRow(IDS_ROW_MEANING, DwordMeaning(node, IDS_PRIVACY_HISTORY_NO, IDS_PRIVACY_HISTORY_YES)));
    else if (IsFormat(node, kCloudClipboardFormat))
        rows.push_back(MakeRow(IDS_ROW_MEANING, DwordMeaning(node, IDS_PRIVACY_CLOUD_NO, IDS_PRIVACY_CLOUD_YES)));
}
