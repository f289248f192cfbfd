#include "common/SettingsNames.h"
#include "framework/FrameworkIds.h"
#include "framework/WindowRect.h"
#include "support/HostWindow.h"
#include "support/NodeTestBase.h"
#include "ui/PlexaDoc.h"
#include "ui/PlexaView.h"

#include <commctrl.h>

namespace {

class PlexaViewTest : public CNodeTestBase {
protected:
    void SetUp() override
    {
        CNodeTestBase::SetUp();
        ASSERT_TRUE(CreateHostWindow(m_parent, RECT{0, 0, 600, 400}));
        ::SetForegroundWindow(m_parent);
        ASSERT_TRUE(m_view.Create(m_parent, AFX_IDW_PANE_FIRST + 1, &m_doc, RECT{0, 0, 400, 300}));
        m_view.OnInitialUpdate();

        m_withBytes = Node(CF_TEXT, "Hello world!");
        m_otherWithBytes = Node(CF_TEXT, "more text");
        m_withoutBytes = std::make_unique<CCBData>();
        m_withoutBytes->m_fmt = {CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
    }
    void TearDown() override
    {
        m_view.DestroyWindow();
        m_parent.DestroyWindow();
    }

    std::unique_ptr<CCBData> Node(CLIPFORMAT format, const std::string& bytes)
    {
        auto node = NodeWith(bytes);
        node->m_fmt = {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return node;
    }

    void Show(CCBData* node) { m_doc.UpdateAllViews(nullptr, HINT_SHOW_NODE, node); }
    void StoreDefault(const CCBData& node, const wchar_t* page)
    {
        m_app.WriteProfileString(settings::kFormatsDefaultViewTabSection, node.GetFormatKey().c_str(), page);
    }

    HWND Tab() const { return Sheet().GetTabControl(); }

    std::wstring Caption(int index) const
    {
        wchar_t text[64] = {};
        TCITEMW item{TCIF_TEXT};
        item.pszText = text;
        item.cchTextMax = 64;
        TabCtrl_GetItem(Tab(), index, &item);
        return text;
    }

    std::vector<std::wstring> Tabs() const
    {
        std::vector<std::wstring> captions;
        for (int i = 0; i < TabCtrl_GetItemCount(Tab()); ++i)
            captions.push_back(Caption(i));
        return captions;
    }

    const CPropertySheet& Sheet() const { return m_view.GetSheet(); }
    CPlexaPropertyPage& PropertyPage() const { return static_cast<CPlexaPropertyPage&>(*Sheet().GetPage(0)); }

    // The caption of the selected tab, once the sheet's active page agrees with it.
    std::wstring ActiveTab() const
    {
        const int selected = TabCtrl_GetCurSel(Tab());
        EXPECT_EQ(Sheet().GetActivePage(), Sheet().GetPage(selected));
        return Caption(selected);
    }

    std::vector<std::wstring> ListedValues() const
    {
        const HWND list = ::GetDlgItem(PropertyPage(), IDC_PROPERTY_LIST);
        std::vector<std::wstring> values;
        for (int i = 0; i < ListView_GetItemCount(list); ++i) {
            wchar_t text[64] = {};
            ListView_GetItemText(list, i, 1, text, 64);
            values.push_back(text);
        }
        return values;
    }

    void ClickTab(int index)
    {
        RECT item;
        ASSERT_TRUE(TabCtrl_GetItemRect(Tab(), index, &item));
        const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        ::SendMessageW(Tab(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        ::SendMessageW(Tab(), WM_LBUTTONUP, 0, point);
    }

    CWnd m_parent;
    CPlexaDoc m_doc{m_app};
    std::unique_ptr<CCBData> m_withBytes, m_otherWithBytes, m_withoutBytes;
    CPlexaView m_view;
};

}

TEST_F(PlexaViewTest, TabsFollowTheShownNode)
{
    EXPECT_EQ(Tabs(), std::vector<std::wstring>{L"プロパティ"});
    EXPECT_TRUE(::IsWindowVisible(Sheet()));

    Show(m_withoutBytes.get());
    EXPECT_EQ(Tabs(), (std::vector<std::wstring>{L"プロパティ", L"画像"}));

    Show(m_withBytes.get());
    EXPECT_EQ(Tabs(), (std::vector<std::wstring>{L"プロパティ", L"HEX", L"テキスト", L"画像"}));
    EXPECT_EQ(ActiveTab(), L"HEX");
    EXPECT_EQ(PropertyPage().m_pData, m_withBytes.get());
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(static_cast<CPlexaPropertyPage*>(Sheet().GetPage(i))->m_pData, m_withBytes.get());
    EXPECT_EQ(Sheet().GetPage(2)->GetSafeHwnd(), nullptr) << "only opened pages are made";
    EXPECT_EQ(Sheet().GetPage(3)->GetSafeHwnd(), nullptr);
}

TEST_F(PlexaViewTest, TheStoredDefaultPageOpensWhenTheNodeHasIt)
{
    StoreDefault(*m_withoutBytes, L"HEX");
    Show(m_withoutBytes.get());
    EXPECT_EQ(ActiveTab(), L"プロパティ") << "no bytes, no HEX page";

    StoreDefault(*m_withBytes, L"IMAGE");
    Show(m_withBytes.get());
    EXPECT_EQ(ActiveTab(), L"画像");
    StoreDefault(*m_withBytes, L"PROPERTY");
    Show(m_withBytes.get());
    EXPECT_EQ(ActiveTab(), L"プロパティ");
    EXPECT_EQ(Tabs().size(), 4u);
}

TEST_F(PlexaViewTest, TheRootShowsOnlyTheFormatNames)
{
    m_doc.SetSnapshot(nullptr, {.formatNames = {L"CF_TEXT", L"CF_UNICODETEXT"}}, m_doc.GetTitle());
    Show(m_withBytes.get());
    Show(nullptr);
    EXPECT_EQ(Tabs(), std::vector<std::wstring>{L"プロパティ"});
    EXPECT_EQ(ActiveTab(), L"プロパティ");
    EXPECT_TRUE(::IsWindowVisible(PropertyPage()));
    EXPECT_EQ(ListedValues(), (std::vector<std::wstring>{L"CF_TEXT", L"CF_UNICODETEXT"}));

    // With no node shown, making the page the default stores nothing.
    m_view.SaveActivePageAsDefault();
    EXPECT_EQ(m_app.GetProfileString(settings::kFormatsDefaultViewTabSection, m_withBytes->GetFormatKey().c_str()),
              L"");
}

TEST_F(PlexaViewTest, TheOpenPageBecomesTheDefaultForTheNextNodeOfItsFormat)
{
    Show(m_withBytes.get());
    ClickTab(2);
    ASSERT_EQ(ActiveTab(), L"テキスト");
    m_view.SaveActivePageAsDefault();
    EXPECT_EQ(ActiveTab(), L"テキスト") << "the open pages stay as they are";

    Show(m_otherWithBytes.get());
    EXPECT_EQ(ActiveTab(), L"テキスト");
    EXPECT_EQ(static_cast<CPlexaPropertyPage*>(Sheet().GetActivePage())->m_pData, m_otherWithBytes.get());
}

TEST_F(PlexaViewTest, ANewSnapshotLeavesTheEmptyPropertyPage)
{
    Show(m_withBytes.get());
    m_doc.UpdateAllViews(nullptr, HINT_SNAPSHOT_CHANGED);
    EXPECT_EQ(Tabs(), std::vector<std::wstring>{L"プロパティ"});
    EXPECT_EQ(ActiveTab(), L"プロパティ");
    EXPECT_TRUE(ListedValues().empty());
    EXPECT_EQ(PropertyPage().m_pData, nullptr);
}

TEST_F(PlexaViewTest, ResizingTheViewResizesTheSheetTheTabsAndEveryMadePage)
{
    RECT sheet;
    ::GetClientRect(Sheet(), &sheet);
    const RECT tab = GetChildRect(Tab());
    const RECT margins{tab.left, tab.top, sheet.right - tab.right, sheet.bottom - tab.bottom};

    Show(m_withBytes.get());
    ClickTab(3);
    ::SetWindowPos(m_view, nullptr, 0, 0, 520, 330, SWP_NOMOVE | SWP_NOZORDER);

    EXPECT_EQ(GetChildRect(Sheet()).right, 520);
    EXPECT_EQ(GetChildRect(Sheet()).bottom, 330);
    const RECT newTab = GetChildRect(Tab());
    EXPECT_EQ(newTab.left, margins.left);
    EXPECT_EQ(newTab.top, margins.top);
    EXPECT_EQ(newTab.right, 520 - margins.right);
    EXPECT_EQ(newTab.bottom, 330 - margins.bottom);

    RECT display = newTab;
    TabCtrl_AdjustRect(Tab(), FALSE, &display);
    for (int i : {0, 1, 3}) {
        const RECT page = GetChildRect(*Sheet().GetPage(i));
        EXPECT_TRUE(::EqualRect(&page, &display)) << i;
    }
    EXPECT_EQ(Sheet().GetPage(2)->GetSafeHwnd(), nullptr);
}

TEST_F(PlexaViewTest, TheFocusStaysOnThePages)
{
    const LONG style = ::GetWindowLongW(Tab(), GWL_STYLE);
    EXPECT_TRUE(style & TCS_FOCUSNEVER);
    EXPECT_FALSE(style & TCS_FOCUSONBUTTONDOWN);

    Show(m_withBytes.get());
    ClickTab(0);
    ::SetFocus(m_view);
    const HWND list = ::GetDlgItem(PropertyPage(), IDC_PROPERTY_LIST);
    EXPECT_EQ(::GetFocus(), list) << "focusing the view focuses the active page";

    ClickTab(3);
    const HWND image = *Sheet().GetPage(3);
    const HWND focus = ::GetFocus();
    EXPECT_TRUE(focus == image || ::IsChild(image, focus));
    EXPECT_NE(focus, Tab());
}

TEST_F(PlexaViewTest, NodesWithFindingsAndTheirRootGetAChecksPage)
{
    auto nodes = std::make_shared<CCBDataArray>();
    nodes->push_back(Node(CF_TEXT, "Hello world!"));
    CCBData* checked = nodes->back().get();
    checked->m_findings = {{"text.no-terminator", FindingSeverity::Error, {}, 6, 5, {}}};
    m_doc.SetSnapshot(nodes, {}, L"checked");

    Show(m_withBytes.get());
    EXPECT_EQ(Tabs().size(), 4u) << "no findings, no checks page";
    Show(nullptr);
    EXPECT_EQ(Tabs(), (std::vector<std::wstring>{L"プロパティ", L"チェック"}));
    Show(checked);
    EXPECT_EQ(Tabs(), (std::vector<std::wstring>{L"プロパティ", L"HEX", L"テキスト", L"画像", L"チェック"}));
}
