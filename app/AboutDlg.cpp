#include "app/AboutDlg.h"

#include "common/Version.h"
#include "framework/Resource.h"
#include "res/resource.h"
#include "res/strings/app.h"

CAboutDlg::CAboutDlg() : CDialogEx(IDD_ABOUTBOX) {}

std::wstring CAboutDlg::VersionLine()
{
    const unsigned pointerBits = sizeof(void*) * 8;
    return FormatResString(IDS_VERSION_LINE, kPlexaVersion, pointerBits);
}

void CAboutDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_VERSION, m_staticVersion);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_staticVersion.SetWindowText(VersionLine());
    return TRUE;
}
