// Where a WM_HSCROLL or WM_VSCROLL request moves a scroll position.
#pragma once

#include <windows.h>

// The position `code` asks for on bar `bar` of `hWnd`, from `pos` with the
// given line and page steps (SB_BOTTOM is `max`, the thumb is read from the
// bar); not clamped, and `pos` for a code that moves nothing.
int ScrollRequestTarget(HWND hWnd, int bar, UINT code, int pos, int line, int page, int max);
