#include "viewers/AddCodePageDialog.h"

#include "framework/WinApp.h"
#include "portable/CodePageList.h"
#include "res/strings/viewers.h"
#include "viewers/CodePageSetting.h"

void CAddCodePageDialog::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_CODE_PAGE_LIST, m_edit);
}

BOOL CAddCodePageDialog::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_edit.SetWindowText(CodePagesToEditorText(ReadCodePagesSetting()));
    return TRUE;
}

void CAddCodePageDialog::OnOK()
{
    const std::wstring text = m_edit.GetWindowText();
    if (text.find(L';') != std::wstring::npos) {
        AfxMessageBox(IDS_CODE_PAGE_NO_SEMICOLON, MB_OK);
        return;
    }
    WriteCodePagesSetting(EditorTextToCodePages(text));
    CDialogEx::OnOK();
}
