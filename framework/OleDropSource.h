// The source side of an OLE drag: the drop source that follows the mouse
// buttons and Esc, and the drag itself with the shell's drag image.
#pragma once

#include <objidl.h>
#include <oleidl.h>

// Drags `data` out of `window`, the pointer at `point` (screen coordinates)
// holding the window's image when the shell can make one; the effect the
// target chose, or DROPEFFECT_NONE when the drag was cancelled or failed.
DWORD DragFrom(HWND window, POINT point, IDataObject* data, DWORD allowedEffects);
