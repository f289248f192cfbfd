#include "viewers/ChecksViewDialog.h"

#include "capture/FindingText.h"
#include "framework/Dpi.h"
#include "framework/PointFont.h"
#include "framework/Resource.h"
#include "framework/Utf8.h"
#include "res/strings/viewers.h"
#include "viewers/CopyRows.h"

#include <uxtheme.h>

#include <array>

namespace {

// Default column widths, in average characters of the page's font.
// The message before the place, as error lists put the description first.
constexpr std::array<int, 4> kColumnChars{10, 28, 90, 18};
constexpr std::array<UINT, 4> kColumnNames{IDS_CHECKS_COLUMN_SEVERITY, IDS_CHECKS_COLUMN_ID,
                                           IDS_CHECKS_COLUMN_MESSAGE, IDS_CHECKS_COLUMN_WHERE};

std::wstring WhereText(const NodeFinding& row, bool withNode)
{
    std::wstring where;
    if (row.finding->offset)
        where = row.finding->length > 1
                    ? FormatResString(IDS_CHECKS_AT_LENGTH, *row.finding->offset, row.finding->length)
                    : FormatResString(IDS_CHECKS_AT, *row.finding->offset);
    if (!withNode)
        return where;
    return where.empty() ? row.node->GetLabel() : row.node->GetLabel() + L"  " + where;
}

void CollectOf(const CCBData* node, const CCBDataArray& snapshot, std::vector<NodeFinding>& out)
{
    if (!node) {
        CollectFindings(snapshot, out);
        return;
    }
    for (const Finding& finding : node->m_findings)
        out.push_back({node, &finding});
}

}  // namespace

CChecksViewDialog::CChecksViewDialog(CCBData* node, const CCBDataArray& snapshot)
    : CPlexaPropertyPage(IDD_CHECKS_VIEW, node), m_bWholeSnapshot(node == nullptr)
{
    CollectOf(node, snapshot, m_findings);
}

bool CChecksViewDialog::HasFindings(const CCBData* node, const CCBDataArray& snapshot)
{
    std::vector<NodeFinding> findings;
    CollectOf(node, snapshot, findings);
    return !findings.empty();
}

void CChecksViewDialog::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_CHECKS_LIST, m_list);
}

BOOL CChecksViewDialog::OnInitDialog()
{
    CPlexaPropertyPage::OnInitDialog();
    ::EnableThemeDialogTexture(m_hWnd, ETDT_ENABLETAB);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    MakeSeverityImages();
    const int charWidth = AverageCharWidth(m_hWnd);
    for (size_t i = 0; i < kColumnNames.size(); ++i)
        m_list.InsertColumn(static_cast<int>(i), LoadResString(kColumnNames[i]), LVCFMT_LEFT,
                            kColumnChars[i] * charWidth);
    FillRows();
    return TRUE;
}

void CChecksViewDialog::MakeSeverityImages()
{
    const int side = ScaleForDpi(16, GetWindowDpi(m_hWnd));
    CImageListHandle images(::ImageList_Create(side, side, ILC_COLOR32, 3, 0));
    // In FindingSeverity's order.
    for (const wchar_t* icon : {IDI_ERROR, IDI_WARNING, IDI_INFORMATION}) {
        // The system's own icons, shared: not ours to destroy.
        const auto shared = static_cast<HICON>(::LoadImageW(nullptr, icon, IMAGE_ICON, side, side, LR_SHARED));
        ::ImageList_AddIcon(images, shared);
    }
    ListView_SetImageList(m_list, images, LVSIL_SMALL);
    m_images = std::move(images);
}

void CChecksViewDialog::FillRows()
{
    m_list.DeleteAllItems();
    for (size_t i = 0; i < m_findings.size(); ++i) {
        const Finding& finding = *m_findings[i].finding;
        const std::wstring severity = SeverityName(finding.severity);
        LVITEMW item{LVIF_TEXT | LVIF_IMAGE, static_cast<int>(i)};
        item.pszText = const_cast<wchar_t*>(severity.c_str());
        item.iImage = static_cast<int>(finding.severity);
        const int row = ListView_InsertItem(m_list, &item);
        m_list.SetItemText(row, 1, FromUtf8(finding.id));
        m_list.SetItemText(row, 2, FindingMessage(finding));
        m_list.SetItemText(row, 3, WhereText(m_findings[i], m_bWholeSnapshot));
    }
}

std::wstring CChecksViewDialog::SelectedRowsText() const
{
    std::wstring text;
    for (int row = m_list.GetNextItem(-1, LVNI_SELECTED); row >= 0; row = m_list.GetNextItem(row, LVNI_SELECTED)) {
        for (int column = 0; column < static_cast<int>(kColumnNames.size()); ++column) {
            text += m_list.GetItemText(row, column);
            text += column + 1 < static_cast<int>(kColumnNames.size()) ? L"\t" : L"\r\n";
        }
    }
    return text;
}

void CChecksViewDialog::CopySelection() const
{
    CopyRowsToClipboard(m_hWnd, SelectedRowsText());
}

void CChecksViewDialog::OpenRow(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_findings.size()) || !m_showBytes)
        return;
    const NodeFinding& found = m_findings[static_cast<size_t>(row)];
    if (found.finding->offset)
        m_showBytes(*found.node, *found.finding->offset, std::max<uint64_t>(found.finding->length, 1));
}

void CChecksViewDialog::OnSize(UINT type, int cx, int cy)
{
    if (m_list.GetSafeHwnd())
        ::MoveWindow(m_list, 0, 0, cx, cy, TRUE);
}

bool CChecksViewDialog::OnNotify(NMHDR& hdr, LRESULT& result)
{
    if (hdr.idFrom != IDC_CHECKS_LIST)
        return false;
    if (hdr.code == NM_DBLCLK) {
        OpenRow(reinterpret_cast<NMITEMACTIVATE&>(hdr).iItem);
        return true;
    }
    if (hdr.code == LVN_KEYDOWN && ::GetKeyState(VK_CONTROL) < 0) {
        const WORD key = reinterpret_cast<NMLVKEYDOWN&>(hdr).wVKey;
        if (key == 'C')
            CopySelection();
        else if (key == 'A')
            m_list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
        return key == 'C' || key == 'A';
    }
    return false;
}

bool CChecksViewDialog::OnCmdMsg(UINT nID)
{
    if (nID == ID_EDIT_COPY) {
        CopySelection();
        return true;
    }
    return CPlexaPropertyPage::OnCmdMsg(nID);
}

LRESULT CChecksViewDialog::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DPICHANGED_AFTERPARENT && m_list.GetSafeHwnd())
        MakeSeverityImages();
    return CPlexaPropertyPage::WndProc(msg, wParam, lParam);
}
