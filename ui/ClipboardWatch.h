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
    // How long after a change a paste that found the clipboard held is tried again.
    static constexpr ULONGLONG kRetryMilliseconds = 10000;

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
    // The change taken could not be read (another program had the clipboard
    // open): it is tried again after the quiet time, within the retry time.
    void TakeLater();

private:
    HWND m_hWnd = nullptr;
    ULONGLONG m_nChangedAt = 0;  // GetTickCount64 of the last change
};
