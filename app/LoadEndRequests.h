// What ends `/load` before another program replaces the clipboard or its time
// is up: Ctrl+C, Ctrl+Break or the closing of the console it was started
// from, and WM_CLOSE or WM_ENDSESSION to its hidden window, as taskkill and
// a log-off send them. The thread that owns the clipboard hears of each
// and leaves the data there itself: the console's requests come on a thread
// of their own and only signal an event.
#pragma once

#include "framework/Wnd.h"

#include <functional>

// The title of that window, which taskkill and a log-off reach.
inline constexpr wchar_t kLoadWindowTitle[] = L"Plexa /load";

class CLoadEndRequests final : public CWnd {
public:
    // Listens until destroyed; one object at a time. `leaveNow` leaves the
    // data on the clipboard: a log-off may end the process as soon as
    // WM_ENDSESSION returns. The caller leaves it before the object goes.
    explicit CLoadEndRequests(std::function<void()> leaveNow);
    ~CLoadEndRequests() override;

    // Signalled when the console asks for the end.
    HANDLE ConsoleEvent() const;
    bool IsAsked() const;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnClose() override;

private:
    std::function<void()> m_leaveNow;
    bool m_bAsked = false;
};
