// What a person does with mouse and keyboard, done from the test process:
// real input through SendInput, and keys for the popup menus of another
// process (Wine cannot read those menus from outside, so items are chosen
// by keyboard).
#pragma once

#include <windows.h>

#include <functional>

void MoveMouseTo(POINT screen);
void PressLeftButton();
void ReleaseLeftButton();
// Moves the pointer to `to` in small steps, as a hand does, so that drag
// and drop sees every position on the way.
void GlideMouseTo(POINT from, POINT to);

// The popup menu that process `processId` shows, or null.
HWND FindPopupMenu(DWORD processId);
// Chooses the item at `index` (counted over every column) by arrow keys and Enter.
void ChoosePopupMenuItem(HWND menu, int index);
void DismissPopupMenu(HWND menu);

// Handles this thread's messages until `handle` is signalled, calling
// `whileWaiting` between rounds; false when `timeoutMs` passes first.
bool PumpUntilSignaled(HANDLE handle, DWORD timeoutMs, const std::function<void()>& whileWaiting = {});
// Handles this thread's messages for `ms` milliseconds.
inline void PumpMessagesFor(DWORD ms)
{
    PumpUntilSignaled(::GetCurrentProcess(), ms);  // a running process is never signalled
}
