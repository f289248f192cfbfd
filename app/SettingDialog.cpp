#include "app/SettingDialog.h"

#include "res/resource.h"

CSettingDialog::CSettingDialog() : CDialogEx(IDD_SETTINGS) {}

void CSettingDialog::DoDataExchange(CDataExchange& dx)
{
    // Any int is taken, zero and negative too: the capture decides what it means.
    DDX_Text(dx, IDC_SIZE_LIMIT, m_nSizeLimit);
    DDX_Radio(dx, IDC_SHELLIDLIST_AS_FOLDER, m_nShellIDListMode);
}
