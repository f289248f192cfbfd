#include "framework/PropertySheet.h"

#include "framework/Dpi.h"
#include "framework/WindowRect.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>

namespace {

// Between the sheet's edges and its tab control, at 96 dots per inch.
constexpr int kTabMargin = 4;

}

bool CPropertySheet::Create(HWND parent, DWORD style, DWORD exStyle)
{
    RECT rect{};
    ::GetClientRect(parent, &rect);
    const std::wstring className = RegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW),
                                                    reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
    // A control parent, so dialog navigation can pass through the sheet.
    if (!CreateEx(exStyle | WS_EX_CONTROLPARENT, className, L"", style | WS_CLIPCHILDREN, rect, parent, 0))
        return false;
    return m_pages.empty() || SetActivePage(0);
}

int CPropertySheet::OnCreate(CREATESTRUCTW& cs)
{
    const int margin = ScaleForDpi(kTabMargin, GetWindowDpi(m_hWnd));
    m_hWndTab = ::CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP,
                                  margin, margin, std::max(0, cs.cx - 2 * margin), std::max(0, cs.cy - 2 * margin),
                                  m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kTabControlId)),
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (!m_hWndTab)
        return -1;
    SetTabFont(FALSE);
    for (int i = 0; i < GetPageCount(); ++i)
        InsertTab(i);
    return 0;
}

void CPropertySheet::SetTabFont(BOOL redraw)
{
    // The message font is given at the system's DPI.
    NONCLIENTMETRICSW metrics{sizeof(metrics)};
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return;
    metrics.lfMessageFont.lfHeight = RescaleLength(metrics.lfMessageFont.lfHeight, GetSystemDpi(), GetWindowDpi(m_hWnd));
    CFontHandle font(::CreateFontIndirectW(&metrics.lfMessageFont));
    ::SendMessageW(m_hWndTab, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), redraw);
    m_font = std::move(font);
}

void CPropertySheet::OnDestroy()
{
    // The tab control and the pages' windows go with the sheet's.
    m_hWndTab = nullptr;
    m_nActive = -1;
}

void CPropertySheet::InsertTab(int index)
{
    std::wstring caption = m_pages[index]->GetCaption();
    TCITEMW item{TCIF_TEXT};
    item.pszText = caption.data();
    TabCtrl_InsertItem(m_hWndTab, index, &item);
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    m_pages.push_back(page);
    if (!m_hWnd)
        return;
    InsertTab(GetPageCount() - 1);
    if (m_nActive < 0)
        SetActivePage(0);
}

void CPropertySheet::RemovePage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return;
    if (index == m_nActive) {
        const int neighbour = index > 0 ? index - 1 : index + 1;
        if (neighbour >= GetPageCount() || !SetActivePage(neighbour))
            m_nActive = -1;
    }
    m_pages[index]->DestroyWindow();
    m_pages.erase(m_pages.begin() + index);
    if (m_nActive > index)
        --m_nActive;
    if (m_hWndTab) {
        TabCtrl_DeleteItem(m_hWndTab, index);
        TabCtrl_SetCurSel(m_hWndTab, m_nActive);
    }
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[index] : nullptr;
}

bool CPropertySheet::SetActivePage(CPropertyPage* page)
{
    const auto it = std::find(m_pages.begin(), m_pages.end(), page);
    return it != m_pages.end() && SetActivePage(static_cast<int>(it - m_pages.begin()));
}

bool CPropertySheet::SetActivePage(int index)
{
    CPropertyPage* page = GetPage(index);
    if (!page || !m_hWnd)
        return false;
    if (!page->GetSafeHwnd()) {
        if (!page->CreatePage(m_hWnd)) {
            TabCtrl_SetCurSel(m_hWndTab, m_nActive);
            return false;
        }
        const RECT rect = GetPageRect();
        ::MoveWindow(*page, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
    }
    const HWND focus = ::GetFocus();
    const bool focusInside = focus && (focus == m_hWnd || ::IsChild(m_hWnd, focus));
    CPropertyPage* previous = GetActivePage();
    m_nActive = index;
    TabCtrl_SetCurSel(m_hWndTab, index);
    ::ShowWindow(*page, SW_SHOW);
    if (focusInside)
        ::SetFocus(*page);
    // Hidden last: a hidden window that held the focus would hand it to the sheet.
    if (previous && previous != page)
        ::ShowWindow(*previous, SW_HIDE);
    return true;
}

RECT CPropertySheet::GetPageRect() const
{
    if (!m_hWndTab)
        return {};
    RECT rect = GetChildRect(m_hWndTab);
    TabCtrl_AdjustRect(m_hWndTab, FALSE, &rect);
    return rect;
}

int CPropertySheet::GetPageStep(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || ::GetKeyState(VK_CONTROL) >= 0)
        return 0;
    switch (msg.wParam) {
    case VK_TAB:
        return ::GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    case VK_NEXT:
        return 1;
    case VK_PRIOR:
        return -1;
    }
    return 0;
}

bool CPropertySheet::PreTranslateMessage(MSG& msg)
{
    const int step = GetPageStep(msg);
    const int count = GetPageCount();
    if (step == 0 || count == 0 || m_nActive < 0)
        return false;
    SetActivePage((m_nActive + step + count) % count);
    return true;
}

bool CPropertySheet::OnNotify(NMHDR& hdr, LRESULT& result)
{
    if (hdr.hwndFrom != m_hWndTab || hdr.code != TCN_SELCHANGE)
        return false;
    SetActivePage(TabCtrl_GetCurSel(m_hWndTab));
    result = 0;
    return true;
}

LRESULT CPropertySheet::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case PSM_GETTABCONTROL:
        return reinterpret_cast<LRESULT>(m_hWndTab);
    case WM_DPICHANGED_AFTERPARENT:
        SetTabFont(TRUE);
        return 0;
    case WM_SETFOCUS:
        if (CPropertyPage* page = GetActivePage(); page && page->GetSafeHwnd())
            ::SetFocus(*page);
        return 0;
    }
    return CWnd::WndProc(msg, wParam, lParam);
}
