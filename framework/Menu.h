// A context menu from the resources: the first popup of a menu resource,
// destroyed with its menu at scope end.
#pragma once

#include "framework/Handles.h"

// Menu resource `resourceId` in the interface's language; null when it does not exist.
HMENU LoadMenuResource(UINT resourceId);

class CPopupMenu {
public:
    // An empty object when the resource does not exist.
    explicit CPopupMenu(UINT resourceId);

    HMENU GetSafeHmenu() const { return m_hPopup; }
    // Enables the command's item, or grays it.
    void EnableItem(UINT command, bool enable);
    // Shows the menu at `point` (screen coordinates); a chosen command reaches `owner` as WM_COMMAND.
    void Track(HWND owner, POINT point, UINT flags) const;

private:
    CMenuHandle m_menu;
    HMENU m_hPopup = nullptr;  // owned by m_menu
};
