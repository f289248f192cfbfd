#include "viewers/CopyingDialog.h"

#include "framework/Resource.h"
#include "res/resource.h"
#include "res/strings/viewers.h"

CCopyingDialog::CCopyingDialog() : CDialogEx(IDD_COPYING)
{
}

namespace {
constexpr ULONGLONG kShowIntervalMs = 100;
}

void CCopyingDialog::ShowItem(const std::wstring& text)
{
    m_strText = text;
    m_bPending = true;
    if (::GetTickCount64() - m_nLastShown >= kShowIntervalMs)
        ShowText();
}

void CCopyingDialog::ShowPendingItem()
{
    if (m_bPending)
        ShowText();
}

void CCopyingDialog::ShowText()
{
    if (!m_edit.GetSafeHwnd())
        return;
    m_edit.SetWindowText(m_strText);
    m_bPending = false;
    m_nLastShown = ::GetTickCount64();
}

void CCopyingDialog::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_COPYING_ITEM, m_edit);
    DDX_Control(dx, IDC_COPYING_STATE, m_static);
}

BOOL CCopyingDialog::OnInitDialog()
{
    const BOOL result = CDialogEx::OnInitDialog();
    ShowText();
    return result;
}

CProgressRun::CProgressRun(CCopyingDialog& dialog, HWND owner) : m_dialog(dialog), m_hOwner(owner)
{
    m_dialog.Create(m_hOwner);
    ::ShowWindow(m_dialog, SW_SHOW);
    if (m_hOwner)
        ::EnableWindow(m_hOwner, FALSE);
    ::EnableWindow(m_dialog, TRUE);
    ::SetFocus(m_dialog);
}

CProgressRun::~CProgressRun()
{
    // The owner first, so that activation passes back to it.
    if (m_hOwner)
        ::EnableWindow(m_hOwner, TRUE);
    m_dialog.DestroyWindow();
    if (m_hOwner)
        ::SetFocus(m_hOwner);
}

void PumpWaitingMessages(HWND dialog)
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (dialog && ::IsDialogMessageW(dialog, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void CCopyingDialog::OnCancel()
{
    if (m_bAbort)
        return;
    m_bAbort = 1;
    // Until the run has stopped.
    m_static.SetWindowText(LoadResString(IDS_PROGRESS_STOPPING));
}
