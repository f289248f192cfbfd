// The clipboard, open for one operation and closed on every path.
#pragma once

#include <windows.h>

class CClipboard {
public:
    // `owner` becomes the clipboard's owner once it is emptied; null for none.
    explicit CClipboard(HWND owner) : m_bOpen(::OpenClipboard(owner) != FALSE) {}
    ~CClipboard()
    {
        if (m_bOpen)
            ::CloseClipboard();
    }
    CClipboard(const CClipboard&) = delete;
    CClipboard& operator=(const CClipboard&) = delete;

    explicit operator bool() const { return m_bOpen; }

private:
    bool m_bOpen;
};
