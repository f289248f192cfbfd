#include "viewers/CaptureMessageFilter.h"

#include "viewers/CopyingDialog.h"

namespace {
// How long a busy source is asked again before its call fails.
constexpr DWORD kRetryForMs = 10000;
constexpr DWORD kRetryAfterMs = 100;
}

CCaptureMessageFilter::CCaptureMessageFilter(const CCopyingDialog& dialog) : m_dialog(dialog)
{
    m_bRegistered = SUCCEEDED(::CoRegisterMessageFilter(this, &m_pPrevious));
}

CCaptureMessageFilter::~CCaptureMessageFilter()
{
    if (!m_bRegistered)
        return;
    ::CoRegisterMessageFilter(m_pPrevious, nullptr);
    if (m_pPrevious)
        m_pPrevious->Release();
}

IFACEMETHODIMP CCaptureMessageFilter::QueryInterface(REFIID iid, void** out)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMessageFilter)) {
        *out = static_cast<IMessageFilter*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

IFACEMETHODIMP_(DWORD) CCaptureMessageFilter::HandleInComingCall(DWORD, HTASK, DWORD, INTERFACEINFO*)
{
    return SERVERCALL_ISHANDLED;
}

IFACEMETHODIMP_(DWORD) CCaptureMessageFilter::RetryRejectedCall(HTASK, DWORD tickCount, DWORD rejectType)
{
    if (rejectType == SERVERCALL_REJECTED || m_dialog.m_bAbort || tickCount >= kRetryForMs)
        return static_cast<DWORD>(-1);
    return kRetryAfterMs;
}

IFACEMETHODIMP_(DWORD) CCaptureMessageFilter::MessagePending(HTASK, DWORD, DWORD)
{
    // Only the dialog's own messages: anything else could start work the
    // waiting run does not expect.
    if (const HWND dialog = m_dialog.GetSafeHwnd()) {
        MSG msg;
        while (::PeekMessageW(&msg, dialog, 0, 0, PM_REMOVE)) {
            if (!::IsDialogMessageW(dialog, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
    }
    return m_dialog.m_bAbort ? PENDINGMSG_CANCELCALL : PENDINGMSG_WAITDEFPROCESS;
}
