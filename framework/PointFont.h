// A font of a given point size at a window's DPI, as dialogs and dumps size their text.
#pragma once

#include "framework/Handles.h"

// `tenths` of a point (90 for 9 points) in `face` at `dpi` dots per inch;
// empty when it cannot be made.
CFontHandle CreatePointFont(int tenths, const wchar_t* face, UINT dpi);
// The average character width of the font `hWnd` draws with (its WM_GETFONT,
// else the system font), for lengths given in characters.
int AverageCharWidth(HWND hWnd);
