#include "UserInput.h"

namespace {

void SendMouse(DWORD flags, POINT screen = {})
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    if (flags & MOUSEEVENTF_MOVE) {
        // Absolute coordinates run from 0 to 65535 across the primary screen.
        input.mi.dx = MulDiv(screen.x, 65536, ::GetSystemMetrics(SM_CXSCREEN)) + 1;
        input.mi.dy = MulDiv(screen.y, 65536, ::GetSystemMetrics(SM_CYSCREEN)) + 1;
        flags |= MOUSEEVENTF_ABSOLUTE;
    }
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
}

void PostKey(HWND window, UINT key)
{
    ::PostMessageW(window, WM_KEYDOWN, key, 1);
    ::PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

struct MenuSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMenuWindow(HWND hWnd, LPARAM param)
{
    auto* search = reinterpret_cast<MenuSearch*>(param);
    wchar_t className[16] = {};
    ::GetClassNameW(hWnd, className, 16);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hWnd, &owner);
    if (owner != search->processId || wcscmp(className, L"#32768") != 0 || !::IsWindowVisible(hWnd))
        return TRUE;
    search->found = hWnd;
    return FALSE;
}

}  // namespace

void MoveMouseTo(POINT screen)
{
    SendMouse(MOUSEEVENTF_MOVE, screen);
}

void PressLeftButton()
{
    SendMouse(MOUSEEVENTF_LEFTDOWN);
}

void ReleaseLeftButton()
{
    SendMouse(MOUSEEVENTF_LEFTUP);
}

void GlideMouseTo(POINT from, POINT to)
{
    constexpr int kSteps = 20;
    for (int step = 1; step <= kSteps; ++step) {
        ::Sleep(50);
        MoveMouseTo(POINT{from.x + (to.x - from.x) * step / kSteps, from.y + (to.y - from.y) * step / kSteps});
    }
}

HWND FindPopupMenu(DWORD processId)
{
    MenuSearch search{processId, nullptr};
    ::EnumWindows(FindMenuWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void ChoosePopupMenuItem(HWND menu, int index)
{
    for (int i = 0; i <= index; ++i)
        PostKey(menu, VK_DOWN);
    PostKey(menu, VK_RETURN);
}

void DismissPopupMenu(HWND menu)
{
    PostKey(menu, VK_ESCAPE);
}

bool PumpUntilSignaled(HANDLE handle, DWORD timeoutMs, const std::function<void()>& whileWaiting)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            return false;
        const DWORD wait = ::MsgWaitForMultipleObjects(1, &handle, FALSE, 50, QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0)
            return true;
        if (whileWaiting)
            whileWaiting();
    }
}
