#include "viewers/CaptureMessageFilter.h"

#include "viewers/DialogCaptureProgress.h"

namespace {
// How long a busy source is asked again before its call fails.
constexpr DWORD kRetryForMs = 10000;
constexpr DWORD kRetryAfterMs = 100;
}

CCaptureMessageFilter::CCaptureMessageFilter(const CDialogCaptureProgress& progress) : m_progress(progress)
{
    m_bRegistered = SUCCEEDED(::CoRegisterMessageFilter(this, &m_pPrevious));
}

CCaptureMessageFilter::~CCaptureMessageFilter()
{
    if (m_bRegistered)
        ::CoRegisterMessageFilter(m_pPrevious, nullptr);
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
    if (rejectType == SERVERCALL_REJECTED || m_progress.IsAborted() || tickCount >= kRetryForMs)
        return static_cast<DWORD>(-1);
    return kRetryAfterMs;
}

IFACEMETHODIMP_(DWORD) CCaptureMessageFilter::MessagePending(HTASK, DWORD, DWORD)
{
    // Only the dialog's own messages: anything else could start work the
    // waiting run does not expect.
    if (const HWND dialog = m_progress.GetDialogWindow()) {
        MSG msg;
        while (::PeekMessageW(&msg, dialog, 0, 0, PM_REMOVE)) {
            if (!::IsDialogMessageW(dialog, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
    }
    return m_progress.IsAborted() ? PENDINGMSG_CANCELCALL : PENDINGMSG_WAITDEFPROCESS;
}
