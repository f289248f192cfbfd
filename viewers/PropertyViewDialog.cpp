#include "viewers/PropertyViewDialog.h"

#include "common/SettingsNames.h"
#include "framework/Dpi.h"
#include "framework/Handles.h"
#include "framework/PointFont.h"
#include "framework/Resource.h"
#include "res/strings/viewers.h"
#include "viewers/CopyRows.h"
#include "viewers/FrameLengths.h"
#include "viewers/PropertyRows.h"

#include <uxtheme.h>

#include <cstring>

namespace {

// Default column widths, in average characters of the page's font.
constexpr int kNameChars = 20;
constexpr int kValueChars = 80;

}

void CPropertyViewDialog::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_PROPERTY_LIST, m_list);
}

BOOL CPropertyViewDialog::OnInitDialog()
{
    CPlexaPropertyPage::OnInitDialog();
    ::EnableThemeDialogTexture(m_hWnd, ETDT_ENABLETAB);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_nCharWidth = AverageCharWidth(m_hWnd);
    m_nDpi = GetWindowDpi(m_hWnd);
    m_list.InsertColumn(0, LoadResString(IDS_PROPERTY_COLUMN_NAME), LVCFMT_LEFT,
                        ReadFrameLength(settings::kPropCol0, kNameChars * m_nCharWidth, m_nDpi));
    m_list.InsertColumn(1, LoadResString(IDS_PROPERTY_COLUMN_VALUE), LVCFMT_LEFT,
                        ReadFrameLength(settings::kPropCol1, kValueChars * m_nCharWidth, m_nDpi));
    return TRUE;
}

void CPropertyViewDialog::ShowNode(CCBData* node)
{
    m_pData = node;
    CStringArray rows;
    if (node)
        GetNodeRows(*node, rows);
    SetStringArray(rows);
}

void CPropertyViewDialog::ShowSnapshot(const CSnapshotInfo& info, const CCBDataArray* nodes)
{
    // The rows belong to the whole capture, not to the node shown before.
    m_pData = nullptr;
    CStringArray rows;
    GetSnapshotRows(info, rows, nodes);
    SetStringArray(rows);
}

void CPropertyViewDialog::SetStringArray(const CStringArray& rows)
{
    if (!m_list.GetSafeHwnd())
        return;
    m_list.DeleteAllItems();
    for (size_t i = 0; i < rows.size(); ++i) {
        const COLDATA row = SplitRow(rows[i]);
        const int item = m_list.InsertItem(static_cast<int>(i), row.strName);
        m_list.SetItemText(item, 1, row.strValue);
    }
}

void CPropertyViewDialog::SaveColumnWidths()
{
    // Without a window the widths would read as 0 and hide both columns next time.
    if (!m_list.GetSafeHwnd())
        return;
    WriteFrameLength(settings::kPropCol0, m_list.GetColumnWidth(0));
    WriteFrameLength(settings::kPropCol1, m_list.GetColumnWidth(1));
}

void CPropertyViewDialog::SetDpi(UINT dpi)
{
    if (m_list.GetSafeHwnd() && dpi != m_nDpi) {
        for (int column : {0, 1})
            ListView_SetColumnWidth(m_list, column, RescaleLength(m_list.GetColumnWidth(column), m_nDpi, dpi));
    }
    m_nDpi = dpi;
}

void CPropertyViewDialog::CopySelection(bool names, bool values)
{
    if (!m_list.GetSafeHwnd())
        return;
    std::wstring text;
    for (int item = m_list.GetNextItem(-1, LVNI_SELECTED); item >= 0;
         item = m_list.GetNextItem(item, LVNI_SELECTED)) {
        if (!text.empty())
            text += L"\r\n";
        if (names) {
            text += m_list.GetItemText(item, 0);
            if (values)
                text += L'\t';
        }
        if (values)
            text += m_list.GetItemText(item, 1);
    }
    CopyRowsToClipboard(m_hWnd, text);
}

void CPropertyViewDialog::SelectAll()
{
    m_list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
}

void CPropertyViewDialog::OnSize(UINT type, int cx, int cy)
{
    if (m_list.GetSafeHwnd())
        ::MoveWindow(m_list, 0, 0, cx, cy, TRUE);
}

bool CPropertyViewDialog::OnNotify(NMHDR& hdr, LRESULT& result)
{
    if (hdr.idFrom != IDC_PROPERTY_LIST || hdr.code != NM_RCLICK)
        return false;
    OnListRightClick();
    result = 0;
    return true;
}

void CPropertyViewDialog::OnListRightClick()
{
    CPopupMenu menu(IDR_PROPERTY_CONTEXT);
    const bool selected = m_list.GetSelectedCount() > 0;
    for (UINT command : {ID_EDIT_COPY, ID_COPY_NAMES, ID_COPY_VALUES})
        menu.EnableItem(command, selected);
    menu.EnableItem(ID_EDIT_SELECT_ALL, m_list.GetItemCount() > 0);
    POINT point{};
    ::GetCursorPos(&point);
    TrackContextMenu(menu, point);
}

void CPropertyViewDialog::TrackContextMenu(const CPopupMenu& menu, POINT point)
{
    menu.Track(m_hWnd, point, TPM_RIGHTBUTTON);
}

bool CPropertyViewDialog::OnCmdMsg(UINT nID)
{
    switch (nID) {
    case ID_EDIT_COPY:
        CopySelection(true, true);
        return true;
    case ID_COPY_NAMES:
        CopySelection(true, false);
        return true;
    case ID_COPY_VALUES:
        CopySelection(false, true);
        return true;
    case ID_EDIT_SELECT_ALL:
        SelectAll();
        return true;
    }
    return CPlexaPropertyPage::OnCmdMsg(nID);
}

LRESULT CPropertyViewDialog::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // The list's right click has shown the menu already.
    if (msg == WM_CONTEXTMENU)
        return TRUE;
    if (msg == WM_DPICHANGED_AFTERPARENT)
        SetDpi(GetWindowDpi(m_hWnd));
    return CPlexaPropertyPage::WndProc(msg, wParam, lParam);
}
