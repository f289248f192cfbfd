// Where a child window sits in its parent, as layouts that place one control
// by another read it.
#pragma once

#include <windows.h>

// The child's window rectangle in its parent's client coordinates.
RECT GetChildRect(HWND child);
