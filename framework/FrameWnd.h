// Top-level frame: menu, accelerators, caption "title - application", and
// the route of commands that no window below it handled.
#pragma once

#include "framework/Handles.h"
#include "framework/Wnd.h"

class CFrameWnd : public CWnd {
public:
    // Creates the frame with menu, accelerators and icon of resource `resourceId`.
    bool LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW);
    // Sets the caption to title + " - " + application name.
    void SetTitle(const std::wstring& title);

    bool PreTranslateMessage(MSG& msg) override;

protected:
    // Lets a subclass adjust the class and styles before the window exists.
    virtual bool PreCreateWindow(CREATESTRUCTW& cs);
    // Commands the frame itself does not handle go to the application object.
    bool OnCmdMsg(UINT nID) override;
    void PostNcDestroy() override;

    UINT m_nIDResource = 0;
    HACCEL m_hAccelTable = nullptr;  // resource-owned, never destroyed
};
