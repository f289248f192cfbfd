#include "app/LoadEndRequests.h"

namespace {

// How long a console's handler holds the process for the flush; Windows ends
// a process whose console closed after a few seconds anyway.
constexpr DWORD kLeaveWaitMs = 10000;

// Shared with the console's handler thread for the life of the process: a
// handler may still be waiting when the object is gone.
struct CConsoleSignals {
    HANDLE asked = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE left = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);  // the data is on the clipboard
};

CConsoleSignals& ConsoleSignals()
{
    static CConsoleSignals signals;
    return signals;
}

BOOL WINAPI OnConsoleEvent(DWORD)
{
    ::SetEvent(ConsoleSignals().asked);
    // A closing console ends the process once this returns: not before the data is left.
    ::WaitForSingleObject(ConsoleSignals().left, kLeaveWaitMs);
    return TRUE;
}

}

CLoadEndRequests::CLoadEndRequests(std::function<void()> leaveNow) : m_leaveNow(std::move(leaveNow))
{
    ::ResetEvent(ConsoleSignals().asked);
    ::ResetEvent(ConsoleSignals().left);
    // Started from a console, it ends with it even when its output goes elsewhere.
    ::AttachConsole(ATTACH_PARENT_PROCESS);
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    // Top-level and never shown: taskkill and a log-off reach only such windows.
    CreateEx(0, RegisterWndClass(0, nullptr, nullptr, nullptr), kLoadWindowTitle, WS_POPUP, {}, nullptr, 0);
}

CLoadEndRequests::~CLoadEndRequests()
{
    // First lets a waiting handler return: it holds the lock the removal takes.
    ::SetEvent(ConsoleSignals().left);
    ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
}

HANDLE CLoadEndRequests::ConsoleEvent() const
{
    return ConsoleSignals().asked;
}

bool CLoadEndRequests::IsAsked() const
{
    return m_bAsked || ::WaitForSingleObject(ConsoleSignals().asked, 0) == WAIT_OBJECT_0;
}

bool CLoadEndRequests::OnClose()
{
    m_bAsked = true;
    return true;
}

LRESULT CLoadEndRequests::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_ENDSESSION && wParam) {
        m_bAsked = true;
        m_leaveNow();
        return 0;
    }
    return WndProcDefault(msg, wParam, lParam);
}
