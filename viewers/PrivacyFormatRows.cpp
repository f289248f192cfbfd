#include "viewers/PrivacyFormatRows.h"

#include "capture/ClipboardPrivacy.h"
#include "framework/Format.h"
#include "portable/ByteReaderLayout.h"

namespace {

bool IsFormat(const CCBData& node, const wchar_t* name)
{
    return node.m_fmt.cfFormat == ::RegisterClipboardFormatW(name);
}

// The DWORD's meaning: `no` for 0, `yes` for 1.
std::wstring DwordMeaning(const CCBData& node, const wchar_t* no, const wchar_t* yes)
{
    const std::vector<BYTE> head = node.LoadHead(4);
    const std::optional<uint32_t> value = ReadU32(ByteSpan(head.data(), head.size()), 0);
    if (!value)
        return L"DWORD がありません（4 バイト未満）";
    if (*value > 1)
        return FormatString(L"%lu（0 でも 1 でもない値）", static_cast<unsigned long>(*value));
    return FormatString(L"%lu: %s", static_cast<unsigned long>(*value), *value ? yes : no);
}

}

void AddPrivacyFormatRows(const CCBData& node, CStringArray& rows)
{
    if (IsFormat(node, kExcludeFromMonitorsFormat))
        rows.push_back(L"意味\tクリップボード監視と履歴に取得しないよう求めています");
    else if (IsFormat(node, kClipboardHistoryFormat))
        rows.push_back(L"意味\t" + DwordMeaning(node, L"クリップボード履歴に残さないよう求めています",
                                                L"クリップボード履歴に残してかまいません"));
    else if (IsFormat(node, kCloudClipboardFormat))
        rows.push_back(L"意味\t" + DwordMeaning(node, L"クラウドクリップボードに送らないよう求めています",
                                                L"クラウドクリップボードに送ってかまいません"));
}
