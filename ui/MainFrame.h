// Plexa's top-level window.
#pragma once

#include "framework/FrameWnd.h"

class CMainFrame : public CFrameWnd {
public:
    // Shows the window in its saved placement.
    void RestoreWindowPlacement();
};
