// Tabbed pages in a child window of their own: a tab control with one dialog
// page per tab. The caller owns the pages and removes a page before deleting
// it; a page's window is made the first time the sheet activates it and is
// destroyed when the page is removed. The caller lays out the tab control;
// the sheet places each page it makes on the tab control's display area.
#pragma once

#include "framework/Handles.h"
#include "framework/PropertyPage.h"

#include <vector>

class CPropertySheet : public CWnd {
public:
    // Creates the sheet over `parent`'s client area and activates the first page.
    bool Create(HWND parent, DWORD style = WS_CHILD | WS_VISIBLE, DWORD exStyle = 0);

    void AddPage(CPropertyPage* page);
    // Destroys the page's window and drops its tab; an active page first
    // hands over to the page before it (after it, for the first page).
    void RemovePage(int index);
    // Creates the page's window when it has none; the focus follows when it
    // was inside the sheet. False for a bad index or a page that cannot be made.
    bool SetActivePage(int index);
    bool SetActivePage(CPropertyPage* page);
    CPropertyPage* GetActivePage() const { return GetPage(m_nActive); }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;

    // Also the answer to PSM_GETTABCONTROL.
    HWND GetTabControl() const { return m_hWndTab; }
    // The tab control's display area in the sheet's client coordinates: where pages go.
    RECT GetPageRect() const;

    // Ctrl+Tab and Ctrl+Page Down go to the next page, Ctrl+Shift+Tab and
    // Ctrl+Page Up to the one before, wrapping around.
    bool PreTranslateMessage(MSG& msg) override;
    // +1 or -1 for those keys, 0 for any other message.
    static int GetPageStep(const MSG& msg);

    static constexpr UINT kTabControlId = 0x3020;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(CREATESTRUCTW& cs) override;
    void OnDestroy() override;
    bool OnNotify(NMHDR& hdr, LRESULT& result) override;

private:
    void InsertTab(int index);
    // The message font at the sheet's DPI, for the tab control.
    void SetTabFont(BOOL redraw);

    std::vector<CPropertyPage*> m_pages;  // not owned
    int m_nActive = -1;
    HWND m_hWndTab = nullptr;
    CFontHandle m_font;  // the tab control's
};
