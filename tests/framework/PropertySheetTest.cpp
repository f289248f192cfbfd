#include "framework/PropertySheet.h"
#include "framework/WinApp.h"
#include "framework/WindowRect.h"
#include "res/resource.h"
#include "support/HostWindow.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <prsht.h>

#include <string>
#include <vector>

namespace {

// A page that answers one notification with a value of its own.
class CAnsweringPage : public CPropertyPage {
public:
    using CPropertyPage::CPropertyPage;
    static constexpr UINT kCode = 0x7F00;
    static constexpr LRESULT kAnswer = 0x1234;

protected:
    bool OnNotify(NMHDR& hdr, LRESULT& result) override
    {
        if (hdr.code != kCode)
            return false;
        result = kAnswer;
        return true;
    }
};

class PropertySheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateHostWindow(m_parent, RECT{0, 0, 500, 400}));
        ::SetForegroundWindow(m_parent);
        for (CPropertyPage* page : {&m_property, &m_hex, static_cast<CPropertyPage*>(&m_image)})
            m_sheet.AddPage(page);
    }
    void TearDown() override
    {
        ::SetKeyboardState(m_savedKeys);
        m_sheet.DestroyWindow();
        m_parent.DestroyWindow();
    }

    void CreateSheet() { ASSERT_TRUE(m_sheet.Create(m_parent)); }

    std::vector<std::wstring> TabTexts() const
    {
        std::vector<std::wstring> texts;
        const HWND tab = m_sheet.GetTabControl();
        for (int i = 0; i < TabCtrl_GetItemCount(tab); ++i) {
            wchar_t text[64] = {};
            TCITEMW item{TCIF_TEXT};
            item.pszText = text;
            item.cchTextMax = 64;
            TabCtrl_GetItem(tab, i, &item);
            texts.push_back(text);
        }
        return texts;
    }

    // A key press as the message loop would see it, with Ctrl (and Shift) held.
    bool PressWithCtrl(HWND target, WPARAM key, bool shift)
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        MSG msg{target, WM_KEYDOWN, key, 0};
        return m_app.PreTranslateMessage(msg);
    }

    CWinApp m_app;
    CWnd m_parent;
    CPropertySheet m_sheet;
    CPropertyPage m_property{IDD_PROPERTY_VIEW};
    CPropertyPage m_hex{IDD_HEX_VIEW};
    CAnsweringPage m_image{IDD_IMAGE_VIEW};
    BYTE m_savedKeys[256] = {};
};

}

TEST_F(PropertySheetTest, TabsShowTheTemplateCaptionsAndOnlyTheFirstPageIsMade)
{
    CreateSheet();
    EXPECT_EQ(TabTexts(), (std::vector<std::wstring>{L"プロパティ", L"HEX", L"画像"}));
    const HWND tab = m_sheet.GetTabControl();
    EXPECT_EQ(reinterpret_cast<HWND>(m_sheet.SendMessage(PSM_GETTABCONTROL)), tab);
    wchar_t className[32] = {};
    ::GetClassNameW(tab, className, 32);
    EXPECT_STREQ(className, WC_TABCONTROLW);

    EXPECT_EQ(m_sheet.GetActivePage(), &m_property);
    EXPECT_EQ(TabCtrl_GetCurSel(tab), 0);
    ASSERT_NE(m_property.GetSafeHwnd(), nullptr);
    EXPECT_EQ(m_hex.GetSafeHwnd(), nullptr);
    EXPECT_EQ(m_image.GetSafeHwnd(), nullptr);

    // A page is a control-parent child of the sheet without the template's caption bar.
    const HWND page = m_property;
    EXPECT_EQ(::GetParent(page), m_sheet.GetSafeHwnd());
    const LONG style = ::GetWindowLongW(page, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_SYSMENU);
    EXPECT_TRUE(::GetWindowLongW(page, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_TRUE(::IsWindowVisible(page));
    const RECT placed = GetChildRect(page);
    const RECT expected = m_sheet.GetPageRect();
    EXPECT_TRUE(::EqualRect(&placed, &expected));
    EXPECT_GT(expected.bottom - expected.top, 0);
}

TEST_F(PropertySheetTest, ActivatingMakesThePageOnceAndHidesThePreviousOne)
{
    CreateSheet();
    ASSERT_TRUE(m_sheet.SetActivePage(2));
    EXPECT_EQ(m_sheet.GetActivePage(), &m_image);
    EXPECT_EQ(TabCtrl_GetCurSel(m_sheet.GetTabControl()), 2);
    const HWND image = m_image;
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(::IsWindowVisible(image));
    EXPECT_FALSE(::IsWindowVisible(m_property));
    EXPECT_EQ(m_hex.GetSafeHwnd(), nullptr) << "pages never shown are never made";
    const RECT placed = GetChildRect(image);
    const RECT expected = m_sheet.GetPageRect();
    EXPECT_TRUE(::EqualRect(&placed, &expected));

    ASSERT_TRUE(m_sheet.SetActivePage(&m_property));
    ASSERT_TRUE(m_sheet.SetActivePage(2));
    EXPECT_EQ(m_image.GetSafeHwnd(), image) << "made once";
    EXPECT_FALSE(m_sheet.SetActivePage(3));
    EXPECT_EQ(m_sheet.GetActivePage(), &m_image);
}

TEST_F(PropertySheetTest, ClickingATabShowsItsPage)
{
    CreateSheet();
    const HWND tab = m_sheet.GetTabControl();
    RECT item;
    ASSERT_TRUE(TabCtrl_GetItemRect(tab, 1, &item));
    const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageW(tab, WM_LBUTTONUP, 0, point);
    EXPECT_EQ(m_sheet.GetActivePage(), &m_hex);
    ASSERT_NE(m_hex.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(m_hex));
}

TEST_F(PropertySheetTest, RemovingTheActivePageHandsOverToThePageBeforeIt)
{
    CreateSheet();
    ASSERT_TRUE(m_sheet.SetActivePage(2));
    m_sheet.RemovePage(2);
    EXPECT_EQ(m_image.GetSafeHwnd(), nullptr) << "a removed page's window is destroyed";
    EXPECT_EQ(m_sheet.GetPageCount(), 2);
    EXPECT_EQ(m_sheet.GetActivePage(), &m_hex);
    EXPECT_EQ(TabCtrl_GetCurSel(m_sheet.GetTabControl()), 1);

    // Removing a page before the active one keeps the active page and its tab.
    m_sheet.RemovePage(0);
    EXPECT_EQ(m_property.GetSafeHwnd(), nullptr);
    EXPECT_EQ(m_sheet.GetPage(0), &m_hex);
    EXPECT_EQ(m_sheet.GetActivePage(), &m_hex);
    EXPECT_EQ(TabTexts(), std::vector<std::wstring>{L"HEX"});
    EXPECT_EQ(TabCtrl_GetCurSel(m_sheet.GetTabControl()), 0);

    // The first page hands over to the one after it.
    m_sheet.AddPage(&m_image);
    m_sheet.RemovePage(0);
    EXPECT_EQ(m_sheet.GetActivePage(), &m_image);
    EXPECT_TRUE(::IsWindowVisible(m_image));
}

TEST_F(PropertySheetTest, CtrlTabMovesBetweenPagesWithTheFocus)
{
    ::GetKeyboardState(m_savedKeys);
    CreateSheet();
    const HWND list = ::GetDlgItem(m_property, IDC_PROPERTY_LIST);
    ::SetFocus(list);
    ASSERT_EQ(::GetFocus(), list);

    EXPECT_TRUE(PressWithCtrl(list, VK_TAB, false));
    EXPECT_EQ(m_sheet.GetActivePage(), &m_hex);
    const HWND focus = ::GetFocus();
    EXPECT_TRUE(focus == m_hex.GetSafeHwnd() || ::IsChild(m_hex, focus));

    EXPECT_TRUE(PressWithCtrl(::GetFocus(), VK_PRIOR, false));
    EXPECT_EQ(m_sheet.GetActivePage(), &m_property);
    EXPECT_TRUE(PressWithCtrl(::GetFocus(), VK_TAB, true));
    EXPECT_EQ(m_sheet.GetActivePage(), &m_image) << "backwards from the first wraps to the last";
    EXPECT_TRUE(PressWithCtrl(::GetFocus(), VK_NEXT, false));
    EXPECT_EQ(m_sheet.GetActivePage(), &m_property);
}

TEST_F(PropertySheetTest, EnterAndEscapeLeaveThePageInPlace)
{
    ::GetKeyboardState(m_savedKeys);
    CreateSheet();
    const HWND page = m_property;
    const HWND list = ::GetDlgItem(page, IDC_PROPERTY_LIST);
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        MSG msg{list, WM_KEYDOWN, key, 0};
        m_app.PreTranslateMessage(msg);
    }
    ::SendMessageW(page, WM_COMMAND, IDOK, 0);
    ::SendMessageW(page, WM_COMMAND, IDCANCEL, 0);
    ::SendMessageW(page, WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(page));
    EXPECT_EQ(m_property.GetSafeHwnd(), page);
}

TEST_F(PropertySheetTest, APageAnswersANotificationThroughItsDialogResult)
{
    CreateSheet();
    ASSERT_TRUE(m_sheet.SetActivePage(&m_image));
    NMHDR hdr{m_sheet.GetTabControl(), 0, CAnsweringPage::kCode};
    EXPECT_EQ(::SendMessageW(m_image, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hdr)), CAnsweringPage::kAnswer);
    hdr.code = CAnsweringPage::kCode + 1;
    EXPECT_EQ(::SendMessageW(m_image, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hdr)), 0);
}
