// Watching the clipboard for a window: a clipboard format listener while
// on, and a quiet time after each change, so that a program writing several
// times in a row gives one snapshot. Changes made by this process (its
// copies from the pages) are not answered.
#pragma once

#include <windows.h>

class CClipboardWatch {
public:
    static constexpr UINT_PTR kTimerId = 0x5057;
    static constexpr UINT kQuietMilliseconds = 300;

    CClipboardWatch() = default;
    ~CClipboardWatch() { Stop(); }
    CClipboardWatch(const CClipboardWatch&) = delete;
    CClipboardWatch& operator=(const CClipboardWatch&) = delete;

    // Listens with `hWnd`, which then gets WM_CLIPBOARDUPDATE and the timer;
    // false when the listener could not be added.
    bool Start(HWND hWnd);
    void Stop();
    bool IsOn() const { return m_hWnd != nullptr; }

    // WM_CLIPBOARDUPDATE: the quiet time starts again; a change of this
    // process's own forgets the one waiting.
    void OnClipboardUpdate();
    // The timer: true when the change is to be taken now. While `canTake`
    // is false (a capture, a dialog or a menu is running) the timer keeps
    // running, so that the change is taken once it is over.
    bool OnTimer(bool canTake);

private:
    HWND m_hWnd = nullptr;
};
