// The user's choice of first page per format key, read and written in the
// settings, over the capture's built-in rules.
#include "common/SettingsNames.h"
#include "support/FormatKeyNodes.h"
#include "support/TestApp.h"
#include "viewers/DefaultViewTab.h"

#include <gtest/gtest.h>

namespace {

constexpr wchar_t kNothingStored[] = L"<nothing stored>";

class DefaultViewTabTest : public ::testing::Test {
protected:
    void Store(const wchar_t* key, const wchar_t* page) const
    {
        ASSERT_TRUE(m_app.WriteProfileString(settings::kFormatsDefaultViewTabSection, key, page));
    }

    std::wstring Stored(const std::wstring& key) const
    {
        return m_app.GetProfileString(settings::kFormatsDefaultViewTabSection, key.c_str(), kNothingStored);
    }

    CTestApp m_app;
};

}

TEST_F(DefaultViewTabTest, WithNothingStoredTheBuiltInRulesDecide)
{
    EXPECT_EQ(GetDefaultViewTab(*NamedNode(L"photo.PNG", kTabHex)), kTabImage);
    EXPECT_EQ(GetDefaultViewTab(*NamedNode(L"readme", kTabProperty)), kTabProperty);
}

TEST_F(DefaultViewTabTest, StoredPageNamesAreReadInAnyCase)
{
    auto notes = NamedNode(L"notes.txt", kTabImage);
    Store(L".txt", L"hex");
    EXPECT_EQ(GetDefaultViewTab(*notes), kTabHex);
    Store(L".txt", L"Text");
    EXPECT_EQ(GetDefaultViewTab(*notes), kTabText);
    Store(L".txt", L"property");
    EXPECT_EQ(GetDefaultViewTab(*notes), kTabProperty);
    Store(L".txt", L"IMAGE");
    notes->m_nDefaultTab = kTabHex;
    EXPECT_EQ(GetDefaultViewTab(*notes), kTabImage);

    // The stored choice overrides the built-in table.
    Store(L".png", L"HEX");
    EXPECT_EQ(GetDefaultViewTab(*NamedNode(L"photo.PNG", kTabImage)), kTabHex);
}

TEST_F(DefaultViewTabTest, AnUnknownStoredNameFallsBackToTheNodesOwnPage)
{
    Store(L".png", L"FOO");
    EXPECT_EQ(GetDefaultViewTab(*NamedNode(L"photo.png", kTabProperty)), kTabProperty)
        << "the built-in table is not consulted once something is stored";
    Store(L"\"text/x-plexa-foo\"", L"TEXTS");
    auto mime = FormatNode(L"text/x-plexa-foo");
    mime->m_nDefaultTab = kTabHex;
    EXPECT_EQ(GetDefaultViewTab(*mime), kTabHex);
}

TEST_F(DefaultViewTabTest, SettingThePageStoresItsNameUnderTheKey)
{
    auto html = FormatNode(L"HTML Format");
    const wchar_t* const expected[] = {L"HEX", L"TEXT", L"IMAGE", L"PROPERTY"};
    for (int tab = kTabHex; tab <= kTabProperty; ++tab) {
        SetDefaultViewTab(*html, tab);
        EXPECT_EQ(Stored(L"\"HTML Format\""), expected[tab]);
        EXPECT_EQ(GetDefaultViewTab(*html), tab);
    }
}

TEST_F(DefaultViewTabTest, SettingAnUnknownPageStoresNothing)
{
    auto readme = NamedNode(L"readme", kTabHex);
    SetDefaultViewTab(*readme, 7);
    SetDefaultViewTab(*readme, -1);
    EXPECT_EQ(Stored(L"0"), kNothingStored);

    SetDefaultViewTab(*readme, kTabText);
    SetDefaultViewTab(*readme, 7);
    EXPECT_EQ(Stored(L"0"), L"TEXT") << "an unknown page leaves the earlier choice";
}
