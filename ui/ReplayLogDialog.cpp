#include "ui/ReplayLogDialog.h"

#include "framework/ClipboardText.h"
#include "framework/Format.h"
#include "framework/FrameworkIds.h"
#include "framework/Resource.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "res/strings/ui.h"

#include <iterator>

namespace {

struct CColumn {
    UINT heading;
    int width;  // dialog units
    int format;
};

constexpr CColumn kColumns[] = {
    {IDS_REPLAY_COLUMN_TIME, 56, LVCFMT_LEFT},   {IDS_REPLAY_COLUMN_METHOD, 60, LVCFMT_LEFT},
    {IDS_REPLAY_COLUMN_FORMAT, 142, LVCFMT_LEFT}, {IDS_REPLAY_COLUMN_RESULT, 64, LVCFMT_LEFT},
    {IDS_REPLAY_COLUMN_BYTES, 44, LVCFMT_RIGHT},  {IDS_REPLAY_COLUMN_VALUE, 44, LVCFMT_LEFT},
};

}

CReplayLogDialog::CReplayLogDialog() : CDialogEx(IDD_REPLAY_LOG) {}

void CReplayLogDialog::Start(HWND owner, const CStringArray& leftOut)
{
    if (!GetSafeHwnd() && !Create(owner))
        return;
    m_list.DeleteAllItems();
    // Said here rather than in a message box, which would end a drag.
    m_leftOut.clear();
    if (!leftOut.empty()) {
        std::wstring names = JoinStrings(leftOut, L", ");
        names.resize(names.size() - 2);
        m_leftOut = FormatResString(IDS_REPLAY_LEFT_OUT, names.c_str());
    }
    ::SetDlgItemTextW(m_hWnd, IDC_REPLAY_LOG_LEFT_OUT, m_leftOut.c_str());
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
}

void CReplayLogDialog::Add(const CReplayCall& call)
{
    if (!GetSafeHwnd())
        return;
    const SYSTEMTIME& t = call.time;
    const std::wstring cells[] = {
        FormatString(L"%02u:%02u:%02u.%03u", t.wHour, t.wMinute, t.wSecond, t.wMilliseconds),
        call.method,
        call.format,
        HResultName(call.result),
        std::to_wstring(call.bytes),
        call.value,
    };
    const int item = m_list.InsertItem(m_list.GetItemCount(), cells[0]);
    for (int column = 1; column < static_cast<int>(std::size(cells)); ++column)
        m_list.SetItemText(item, column, cells[column]);
    m_list.SendMessage(LVM_ENSUREVISIBLE, item, FALSE);
}

std::wstring CReplayLogDialog::Text() const
{
    constexpr int columns = static_cast<int>(std::size(kColumns));
    std::wstring text;
    for (int item = -1, count = m_list.GetItemCount(); item < count; ++item) {
        for (int column = 0; column < columns; ++column) {
            text += item < 0 ? LoadResString(kColumns[column].heading) : m_list.GetItemText(item, column);
            text += column + 1 < columns ? L"\t" : L"\r\n";
        }
    }
    if (!m_leftOut.empty())
        text += m_leftOut + L"\r\n";
    return text;
}

void CReplayLogDialog::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_REPLAY_LOG_LIST, m_list);
}

BOOL CReplayLogDialog::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    for (int column = 0; column < static_cast<int>(std::size(kColumns)); ++column) {
        RECT width{0, 0, kColumns[column].width, 0};
        ::MapDialogRect(m_hWnd, &width);
        m_list.InsertColumn(column, LoadResString(kColumns[column].heading), kColumns[column].format, width.right);
    }
    return TRUE;
}

void CReplayLogDialog::OnCancel()
{
    ::ShowWindow(m_hWnd, SW_HIDE);
}

bool CReplayLogDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) != IDC_REPLAY_LOG_COPY)
        return CDialogEx::OnCommand(wParam, lParam);
    // Copying replaces what the target was being offered: the log is read once it is done.
    switch (CopyTextToClipboard(m_hWnd, Text())) {
    case CopyTextResult::Copied:
        break;
    case CopyTextResult::NoMemory:
        AfxMessageBox(IDS_OUT_OF_MEMORY);
        break;
    case CopyTextResult::NoClipboard:
        AfxMessageBox(IDS_REPLAY_CANNOT_OPEN_CLIPBOARD);
        break;
    }
    return true;
}
