// Child-window IDs by which a frame finds its bars and its client.
#pragma once

#include <windows.h>

constexpr UINT AFX_IDW_TOOLBAR = 0xE800;     // the bar laid out at the frame's top
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;  // the frame's client; a splitter's first pane
