// Lengths given at 96 dots per inch, scaled to the DPI of the window that
// uses them, and the DPI itself where Windows may not know per-window DPI.
#pragma once

#include <windows.h>

constexpr UINT kBaseDpi = USER_DEFAULT_SCREEN_DPI;

// The window's DPI: its monitor's when the process is per-monitor aware,
// else the system's (also where GetDpiForWindow does not exist).
UINT GetWindowDpi(HWND hWnd);
// The DPI the system's metrics and fonts are given at.
UINT GetSystemDpi();

// `length` pixels at 96 DPI as pixels at `dpi`, rounded to nearest.
inline int ScaleForDpi(int length, UINT dpi)
{
    return ::MulDiv(length, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
}

// A length measured at `fromDpi` as the same physical size at `toDpi`; a
// `fromDpi` of 0 (not known) leaves it as it is.
inline int RescaleLength(int length, UINT fromDpi, UINT toDpi)
{
    return fromDpi == 0 ? length : ::MulDiv(length, static_cast<int>(toDpi), static_cast<int>(fromDpi));
}
