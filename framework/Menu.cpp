#include "framework/Menu.h"

#include "framework/Resource.h"

HMENU LoadMenuResource(UINT resourceId)
{
    const std::span<const BYTE> bytes = FindResourceBytes(resourceId, RT_MENU);
    return bytes.empty() ? nullptr : ::LoadMenuIndirectW(bytes.data());
}

CPopupMenu::CPopupMenu(UINT resourceId)
    : m_menu(LoadMenuResource(resourceId))
{
    if (m_menu)
        m_hPopup = ::GetSubMenu(m_menu, 0);
}

void CPopupMenu::EnableItem(UINT command, bool enable)
{
    ::EnableMenuItem(m_hPopup, command, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void CPopupMenu::Track(HWND owner, POINT point, UINT flags) const
{
    if (m_hPopup)
        ::TrackPopupMenu(m_hPopup, flags, point.x, point.y, 0, owner, nullptr);
}
