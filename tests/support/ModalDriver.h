// Acts on the next dialog box this thread shows, from inside its modal loop,
// as a user would: `act` gets the dialog once it is on screen. A dialog that
// `act` left open is ended with IDABORT, so a failing test cannot hang.
#pragma once

#include <windows.h>

#include <functional>

class CModalDriver {
public:
    explicit CModalDriver(std::function<void(HWND dialog)> act);
    ~CModalDriver();
    CModalDriver(const CModalDriver&) = delete;
    CModalDriver& operator=(const CModalDriver&) = delete;

    bool m_bActed = false;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);

    std::function<void(HWND)> m_act;
    UINT_PTR m_nTimer;
};

// Clicks a dialog's button the way the mouse does, through the button itself.
void ClickButton(HWND dialog, int id);
