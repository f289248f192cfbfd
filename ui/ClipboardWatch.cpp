#include "ui/ClipboardWatch.h"

namespace {

bool IsOwnedByThisProcess()
{
    DWORD processId = 0;
    const HWND owner = ::GetClipboardOwner();
    return owner && ::GetWindowThreadProcessId(owner, &processId) && processId == ::GetCurrentProcessId();
}

}

bool CClipboardWatch::Start(HWND hWnd)
{
    Stop();
    if (!::AddClipboardFormatListener(hWnd))
        return false;
    m_hWnd = hWnd;
    return true;
}

void CClipboardWatch::Stop()
{
    if (!m_hWnd)
        return;
    ::KillTimer(m_hWnd, kTimerId);
    ::RemoveClipboardFormatListener(m_hWnd);
    m_hWnd = nullptr;
}

void CClipboardWatch::OnClipboardUpdate()
{
    if (!m_hWnd)
        return;
    if (IsOwnedByThisProcess()) {
        ::KillTimer(m_hWnd, kTimerId);
        return;
    }
    m_nChangedAt = ::GetTickCount64();
    ::SetTimer(m_hWnd, kTimerId, kQuietMilliseconds, nullptr);
}

bool CClipboardWatch::OnTimer(bool canTake)
{
    if (!m_hWnd || !canTake)
        return false;
    ::KillTimer(m_hWnd, kTimerId);
    return true;
}

void CClipboardWatch::TakeLater()
{
    if (m_hWnd && ::GetTickCount64() - m_nChangedAt < kRetryMilliseconds)
        ::SetTimer(m_hWnd, kTimerId, kQuietMilliseconds, nullptr);
}
