#include "framework/Dialog.h"

#include "common/IntegerText.h"
#include "framework/Format.h"
#include "framework/FrameworkIds.h"
#include "framework/WinApp.h"

void DDX_Control(CDataExchange& dx, UINT id, CWnd& control)
{
    if (!control.GetSafeHwnd())
        control.SubclassDlgItem(id, dx.m_hDlg);
}

void DDX_Text(CDataExchange& dx, UINT id, int& value)
{
    if (dx.m_bFailed)
        return;
    const HWND control = ::GetDlgItem(dx.m_hDlg, id);
    if (!dx.m_bSaveAndValidate) {
        ::SetWindowTextW(control, FormatString(L"%d", value).c_str());
        return;
    }
    std::wstring text(::GetWindowTextLengthW(control) + 1, L'\0');
    text.resize(::GetWindowTextW(control, text.data(), static_cast<int>(text.size())));
    if (const std::optional<int> parsed = ParseDecimalInt(text)) {
        value = *parsed;
        return;
    }
    dx.m_bFailed = true;
    AfxMessageBox(IDS_INTEGER_REQUIRED);
    // The user corrects the text where it is, all of it selected.
    ::SetFocus(control);
    ::SendMessageW(control, EM_SETSEL, 0, -1);
}

void DDX_Radio(CDataExchange& dx, UINT firstId, int& value)
{
    if (dx.m_bFailed)
        return;
    const HWND first = ::GetDlgItem(dx.m_hDlg, firstId);
    if (dx.m_bSaveAndValidate)
        value = -1;
    int index = 0;
    // The group runs from the first button up to the next control that starts a group.
    for (HWND button = first; button; button = ::GetWindow(button, GW_HWNDNEXT), ++index) {
        if (button != first && (::GetWindowLongPtrW(button, GWL_STYLE) & WS_GROUP))
            break;
        if (!dx.m_bSaveAndValidate)
            ::SendMessageW(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        else if (::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED)
            value = index;
    }
}

INT_PTR CDialogEx::DoModal(HWND parent)
{
    m_bModal = true;
    return ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), Template(), parent, StaticDialogProc,
                                     reinterpret_cast<LPARAM>(this));
}

bool CDialogEx::Create(HWND parent)
{
    m_bModal = false;
    return CreateIndirect(Template(), parent);
}

const DLGTEMPLATE* CDialogEx::Template() const
{
    return reinterpret_cast<const DLGTEMPLATE*>(FindResourceBytes(m_nIDTemplate, RT_DIALOG).data());
}

bool CDialogEx::CreateIndirect(const DLGTEMPLATE* dialogTemplate, HWND parent)
{
    m_bModal = false;
    return ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), dialogTemplate, parent, StaticDialogProc,
                                        reinterpret_cast<LPARAM>(this)) != nullptr;
}

bool CDialogEx::PreTranslateMessage(MSG& msg)
{
    return !m_bModal && ::IsDialogMessageW(m_hWnd, &msg);
}

BOOL CDialogEx::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

void CDialogEx::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialogEx::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CDialogEx::UpdateData(bool saveAndValidate)
{
    CDataExchange dx{m_hWnd, saveAndValidate};
    DoDataExchange(dx);
    return !dx.m_bFailed;
}

void CDialogEx::EndDialog(int result)
{
    if (m_bModal)
        ::EndDialog(m_hWnd, result);
    else
        DestroyWindow();
}

bool CDialogEx::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    }
    return CWnd::OnCommand(wParam, lParam);
}

LRESULT CDialogEx::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG)
        return OnInitDialog();
    // WM_COMMAND handled here must report TRUE to the dialog manager.
    if (msg == WM_COMMAND)
        return OnCommand(wParam, lParam);
    // A dialog procedure returns whether it handled the message; the
    // notification's own answer travels in DWLP_MSGRESULT.
    if (msg == WM_NOTIFY) {
        LRESULT result = 0;
        if (!DispatchNotify(*reinterpret_cast<NMHDR*>(lParam), result))
            return FALSE;
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    return WndProcDefault(msg, wParam, lParam);
}

INT_PTR CALLBACK CDialogEx::StaticDialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandle(hWnd);
    if (msg == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialogEx*>(lParam);
        dialog->Attach(hWnd);
        wnd = dialog;
    }
    return wnd ? Dispatch(wnd, msg, wParam, lParam) : FALSE;
}
