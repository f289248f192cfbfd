// Pixel lengths of the "Frame" settings (the tree pane's width, the property
// list's columns), saved together with the DPI they were measured at, so that
// they keep their size to the eye when Plexa next runs at another scale.
#pragma once

#include <windows.h>

// The length saved as `entry`, in pixels at `dpi`; `missing` when none is
// saved. Values of 0 or less are returned as saved: they are not lengths.
int ReadFrameLength(const wchar_t* entry, int missing, UINT dpi);
void WriteFrameLength(const wchar_t* entry, int length);
// The DPI of the lengths written alongside; lengths saved before there was
// one are read as measured at the DPI they are read at.
void WriteFrameLengthDpi(UINT dpi);
