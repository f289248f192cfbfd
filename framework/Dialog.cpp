#include "framework/Dialog.h"

void DDX_Control(CDataExchange& dx, UINT id, CWnd& control)
{
    if (!control.GetSafeHwnd())
        control.SubclassDlgItem(id, dx.m_hDlg);
}

INT_PTR CDialogEx::DoModal(HWND parent)
{
    m_bModal = true;
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nIDTemplate), parent,
                             StaticDialogProc, reinterpret_cast<LPARAM>(this));
}

bool CDialogEx::Create(HWND parent)
{
    m_bModal = false;
    return ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nIDTemplate), parent,
                                StaticDialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
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
