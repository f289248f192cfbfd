// One item of a menu about to open, whose state is asked along the command
// route: whoever handles the item's command answers; an item nobody answers
// for stays as it is.
#pragma once

#include <windows.h>

class CCmdUI {
public:
    CCmdUI(HMENU menu, UINT index) : m_nID(::GetMenuItemID(menu, index)), m_hMenu(menu), m_nIndex(index) {}

    void Enable(bool on)
    {
        ::EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
    }
    void SetCheck(bool on)
    {
        ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (on ? MF_CHECKED : MF_UNCHECKED));
    }
    // A command item; separators (0) and submenus (-1) are not.
    bool IsCommand() const { return m_nID != 0 && m_nID != static_cast<UINT>(-1); }

    const UINT m_nID;

private:
    HMENU m_hMenu;
    UINT m_nIndex;
};
