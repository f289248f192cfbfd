#include "capture/CopyingDialog.h"

#include "res/resource.h"

CCopyingDialog::CCopyingDialog() : CDialogEx(IDD_COPYING)
{
}

void CCopyingDialog::ShowItem(const std::wstring& text)
{
    if (m_edit.GetSafeHwnd())
        m_edit.SetWindowText(text);
    else
        m_strText = text;
}

void CCopyingDialog::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_COPYING_ITEM, m_edit);
    DDX_Control(dx, IDC_COPYING_STATE, m_static);
}

BOOL CCopyingDialog::OnInitDialog()
{
    const BOOL result = CDialogEx::OnInitDialog();
    m_edit.SetWindowText(m_strText);
    return result;
}

void CCopyingDialog::OnCancel()
{
    if (m_bAbort)
        return;
    m_bAbort = 1;
    m_static.SetWindowText(L"中止しています...");
}
