// Anything that can take part in command routing.
#pragma once

#include <windows.h>

class CCmdUI;

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Handles a menu, toolbar or accelerator command; false passes it on.
    virtual bool OnCmdMsg(UINT nID) { return false; }
    // Answers the state of the item of a command it handles; false passes it on.
    virtual bool OnUpdateCmdUI(CCmdUI& cmdUI) { return false; }
};
