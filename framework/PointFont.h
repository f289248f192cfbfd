// A font of a given point size at a window's DPI, as dialogs and dumps size their text.
#pragma once

#include <windows.h>

// `tenths` of a point (90 for 9 points) in `face` at `dpi` dots per inch;
// null when it cannot be made.
HFONT CreatePointFont(int tenths, const wchar_t* face, UINT dpi);
