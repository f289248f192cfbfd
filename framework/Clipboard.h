// The clipboard, open for one operation and closed on every path.
#pragma once

#include <windows.h>

class CClipboard {
public:
    // `owner` becomes the clipboard's owner once it is emptied; null for none.
    explicit CClipboard(HWND owner) : m_bOpen(::OpenClipboard(owner) != FALSE) {}
    ~CClipboard() { Close(); }
    CClipboard(const CClipboard&) = delete;
    CClipboard& operator=(const CClipboard&) = delete;

    explicit operator bool() const { return m_bOpen; }

    // Closes it early, for work that opens the clipboard itself.
    void Close()
    {
        if (m_bOpen)
            ::CloseClipboard();
        m_bOpen = false;
    }

private:
    bool m_bOpen;
};
