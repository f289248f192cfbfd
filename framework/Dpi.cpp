#include "framework/Dpi.h"

#include "framework/Handles.h"

UINT GetWindowDpi(HWND hWnd)
{
    // Windows 10 1607 and later; before it every window has the system's DPI.
    using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowProc>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && hWnd) {
        if (const UINT dpi = getDpiForWindow(hWnd))
            return dpi;
    }
    return GetSystemDpi();
}

UINT GetSystemDpi()
{
    const CClientDC screen(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}
