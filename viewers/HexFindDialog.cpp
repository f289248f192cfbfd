#include "viewers/HexFindDialog.h"

#include "framework/WinApp.h"
#include "res/resource.h"
#include "res/strings/viewers.h"

CHexFindDialog::CHexFindDialog(CHexFindRequest request) : CDialogEx(IDD_HEX_FIND), m_request(std::move(request))
{
}

void CHexFindDialog::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_FIND_WHAT, m_editWhat);
}

BOOL CHexFindDialog::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_editWhat.SetWindowText(m_request.text);
    ::CheckRadioButton(m_hWnd, IDC_FIND_AS_HEX, IDC_FIND_AS_TEXT, m_request.asHex ? IDC_FIND_AS_HEX : IDC_FIND_AS_TEXT);
    // The last text selected, ready to be typed over.
    ::SetFocus(m_editWhat);
    m_editWhat.SendMessage(EM_SETSEL, 0, -1);
    return FALSE;
}

void CHexFindDialog::OnOK()
{
    Accept(true);
}

bool CHexFindDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_FIND_PREVIOUS && HIWORD(wParam) == BN_CLICKED) {
        Accept(false);
        return true;
    }
    return CDialogEx::OnCommand(wParam, lParam);
}

void CHexFindDialog::Accept(bool forward)
{
    m_request.text = m_editWhat.GetWindowText();
    m_request.asHex = ::IsDlgButtonChecked(m_hWnd, IDC_FIND_AS_HEX) == BST_CHECKED;
    m_request.forward = forward;
    m_patterns = FindPatterns(m_request);
    if (m_patterns.empty()) {
        AfxMessageBox(m_request.asHex ? IDS_HEX_FIND_HEX_DIGITS : IDS_HEX_FIND_EMPTY);
        ::SetFocus(m_editWhat);
        return;
    }
    EndDialog(IDOK);
}
