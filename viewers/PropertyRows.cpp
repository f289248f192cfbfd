#include "viewers/PropertyRows.h"

#include "capture/FormatNames.h"
#include "capture/ReplayLog.h"
#include "framework/Format.h"
#include "viewers/HtmlFormatRows.h"
#include "viewers/PrivacyFormatRows.h"

COLDATA SplitRow(const std::wstring& row)
{
    const size_t tab = row.find(L'\t');
    if (tab == std::wstring::npos)
        return {row, {}};
    return {row.substr(0, tab), row.substr(tab + 1)};
}

void GetNodeRows(const CCBData& node, CStringArray& rows)
{
    rows.clear();
    const FORMATETC& fmt = node.m_fmt;
    if (fmt.cfFormat != 0)
        rows.push_back(L"フォーマット\t" + GetFormatName(fmt.cfFormat) + L" (" + std::to_wstring(fmt.cfFormat) + L")");
    if (fmt.lindex >= 0)
        rows.push_back(L"Index\t" + std::to_wstring(fmt.lindex));
    if (!node.m_strTempFile.empty())
        rows.push_back(L"サイズ\t" + std::to_wstring(node.m_nSize));
    if (const std::wstring aspect = GetAspectNames(fmt.dwAspect); !aspect.empty())
        rows.push_back(L"Aspect\t" + aspect);
    const std::wstring requested = GetTymedNames(fmt.tymed);
    if (!requested.empty())
        rows.push_back(L"Tymed\t" + requested);
    if (const std::wstring actual = GetTymedNames(node.m_tymedActual); !actual.empty() && actual != requested)
        rows.push_back(L"本当のTymed\t" + actual);
    if (!node.m_strType.empty())
        rows.push_back(L"タイプ\t" + node.m_strType);
    if (!node.m_strName.empty())
        rows.push_back(L"名前\t" + node.m_strName);
    if (!node.m_strDisplayName.empty())
        rows.push_back(L"表示名\t" + node.m_strDisplayName);
    rows.insert(rows.end(), node.m_arrInfo.begin(), node.m_arrInfo.end());
    AddHtmlFormatRows(node, rows);
    AddPrivacyFormatRows(node, rows);
}

void GetFormatListRows(const CStringArray& names, CStringArray& rows)
{
    rows.clear();
    for (size_t i = 0; i < names.size(); ++i)
        rows.push_back((i == 0 ? L"フォーマット\t" : L"\t") + names[i]);
}

void GetClipboardOwnerRows(const CClipboardOwner& owner, CStringArray& rows)
{
    rows.clear();
    if (!owner.hWnd) {
        rows.push_back(L"所有ウィンドウ\tなし（所有者のないクリップボード）");
        return;
    }
    // Window handles carry 32 significant bits, in every process.
    const auto handle = static_cast<unsigned>(reinterpret_cast<UINT_PTR>(owner.hWnd));
    rows.push_back(FormatString(L"所有ウィンドウ\t0x%08X", handle));
    rows.push_back(L"ウィンドウクラス\t" + owner.className);
    rows.push_back(L"ウィンドウ名\t" + owner.caption);
    if (owner.processId)
        rows.push_back(L"プロセスID\t" + std::to_wstring(owner.processId));
    if (!owner.imagePath.empty())
        rows.push_back(L"実行ファイル\t" + owner.imagePath);
    else
        rows.push_back(ErrorRow(FormatString(L"プロセスを調べられません（エラー %lu）。", owner.imageError)));
}

namespace {

const wchar_t* AsyncTransferText(AsyncTransfer transfer)
{
    switch (transfer) {
    case AsyncTransfer::NotOffered:
        return L"なし（ソースが対応していません）";
    case AsyncTransfer::Off:
        return L"不使用（ソースの非同期モードがオフです）";
    case AsyncTransfer::StartFailed:
        return L"不使用（StartOperation が失敗したため、ドロップ中に取得しました）";
    case AsyncTransfer::Used:
        return L"使用";
    }
    return L"";
}

}  // namespace

void GetSnapshotRows(const CSnapshotInfo& info, CStringArray& rows)
{
    rows.clear();
    if (info.owner)
        GetClipboardOwnerRows(*info.owner, rows);
    if (info.sequenceNumber)
        rows.push_back(L"シーケンス番号\t" + std::to_wstring(*info.sequenceNumber));
    if (info.dropEffects)
        rows.push_back(L"ソースのドロップ効果\t" + DropEffectNames(*info.dropEffects));
    if (info.asyncTransfer)
        rows.push_back(std::wstring(L"非同期転送\t") + AsyncTransferText(*info.asyncTransfer));
    if (!info.taken.empty())
        rows.push_back(L"取得開始\t" + info.taken);
    if (!info.finished.empty())
        rows.push_back(L"取得終了\t" + info.finished);
    if (info.takenDespitePrivacyRequest)
        rows.push_back(L"監視からの除外\tソースは取得しないよう求めていましたが、確認のうえ取得しました");
    CStringArray formats;
    GetFormatListRows(info.formatNames, formats);
    rows.insert(rows.end(), formats.begin(), formats.end());
}
