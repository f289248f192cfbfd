#include "viewers/NoSelEdit.h"

namespace {
// The character that Ctrl+A types; the edit would take it as text.
constexpr WPARAM kCtrlA = 0x01;
}

LRESULT CNoSelEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_GETDLGCODE:
        // Without DLGC_HASSETSEL the dialog manager does not select everything on Tab.
        return CEdit::WndProc(msg, wParam, lParam) & ~DLGC_HASSETSEL;
    // Handled here rather than in the message loop, so that it works in
    // modal dialogs too, whose loop is the dialog manager's.
    case WM_KEYDOWN:
        if (wParam == 'A' && ::GetKeyState(VK_CONTROL) < 0) {
            SendMessage(EM_SETSEL, 0, -1);
            SendMessage(EM_SCROLLCARET);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == kCtrlA)
            return 0;
        break;
    }
    return CEdit::WndProc(msg, wParam, lParam);
}
