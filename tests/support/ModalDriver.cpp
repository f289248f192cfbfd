#include "support/ModalDriver.h"

namespace {
thread_local CModalDriver* t_pDriver = nullptr;

BOOL CALLBACK FindDialog(HWND window, LPARAM found)
{
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (::IsWindowVisible(window) && ::lstrcmpW(name, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}
}

CModalDriver::CModalDriver(std::function<void(HWND)> act)
    : m_act(std::move(act)), m_nTimer(::SetTimer(nullptr, 0, 20, OnTimer))
{
    t_pDriver = this;
}

CModalDriver::~CModalDriver()
{
    ::KillTimer(nullptr, m_nTimer);
    t_pDriver = nullptr;
}

void CALLBACK CModalDriver::OnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    CModalDriver* driver = t_pDriver;
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!driver || driver->m_bActed || !dialog)
        return;
    ::KillTimer(nullptr, id);
    driver->m_bActed = true;
    driver->m_act(dialog);
    if (::IsWindow(dialog) && ::IsWindowVisible(dialog))
        ::EndDialog(dialog, IDABORT);
}

void ClickButton(HWND dialog, int id)
{
    ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}
