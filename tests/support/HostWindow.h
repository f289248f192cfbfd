// A visible top-level window of ours to hold the controls and views a test
// makes, so that their notifications reach a CWnd as they do in Plexa's frame.
#pragma once

#include "framework/Wnd.h"

inline bool CreateHostWindow(CWnd& host, const RECT& rect)
{
    return host.CreateEx(0, CWnd::RegisterWndClass(0, nullptr, nullptr, nullptr), L"", WS_POPUP | WS_VISIBLE, rect,
                         nullptr, 0);
}
