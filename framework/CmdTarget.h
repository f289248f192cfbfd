// Anything that can take part in command routing.
#pragma once

#include <windows.h>

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Handles a menu, toolbar or accelerator command; false passes it on.
    virtual bool OnCmdMsg(UINT nID) { return false; }
};
