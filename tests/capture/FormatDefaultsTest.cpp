#include "capture/CBData.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

namespace {

constexpr wchar_t kSection[] = L"FormatsDefaultViewTab";
constexpr wchar_t kNothingStored[] = L"<nothing stored>";

class FormatDefaultsTest : public ::testing::Test {
protected:
    // A top-level node of a registered format, as the capture makes one.
    static std::unique_ptr<CCBData> FormatNode(const wchar_t* registeredName)
    {
        auto node = std::make_unique<CCBData>();
        node->m_fmt.cfFormat = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(registeredName));
        node->m_fmt.dwAspect = DVASPECT_CONTENT;
        EXPECT_NE(node->m_fmt.cfFormat, 0) << "could not register the format";
        return node;
    }

    // An element below a storage or folder: format number 0 and a name.
    static std::unique_ptr<CCBData> NamedNode(const wchar_t* name, int builtInTab)
    {
        auto node = std::make_unique<CCBData>();
        node->m_strName = name;
        node->m_nDefaultTab = builtInTab;
        return node;
    }

    void Store(const wchar_t* key, const wchar_t* page) const
    {
        ASSERT_TRUE(m_app.WriteProfileString(kSection, key, page));
    }

    std::wstring Stored(const std::wstring& key) const
    {
        return m_app.GetProfileString(kSection, key.c_str(), kNothingStored);
    }

    CTestApp m_app;
};

}

TEST_F(FormatDefaultsTest, LabelFallsBackFromDisplayNameToNameToFormat)
{
    CCBData node;
    node.m_fmt.cfFormat = CF_DIB;
    node.m_fmt.dwAspect = DVASPECT_THUMBNAIL;
    EXPECT_EQ(node.GetLabel(), L"CF_DIB THUMBNAIL ");
    node.m_fmt.dwAspect = DVASPECT_CONTENT;
    EXPECT_EQ(node.GetLabel(), L"CF_DIB");
    node.m_strName = L"picture.bmp";
    EXPECT_EQ(node.GetLabel(), L"picture.bmp");
    node.m_strDisplayName = L"写真";
    EXPECT_EQ(node.GetLabel(), L"写真");
}

TEST_F(FormatDefaultsTest, KeyIsTheNamesLastExtensionElseTheFormatName)
{
    EXPECT_EQ(NamedNode(L"photo.PNG", kTabHex)->GetFormatKey(), L".PNG");
    EXPECT_EQ(NamedNode(L"archive.tar.gz", kTabHex)->GetFormatKey(), L".gz");
    EXPECT_EQ(NamedNode(L"readme", kTabHex)->GetFormatKey(), L"0");

    auto html = FormatNode(L"HTML Format");
    EXPECT_EQ(html->GetFormatKey(), L"\"HTML Format\"");
    // The aspect is not part of the key.
    html->m_fmt.dwAspect = DVASPECT_ICON;
    EXPECT_EQ(html->GetFormatKey(), L"\"HTML Format\"");
    // A name with an extension wins over the format.
    html->m_strName = L"page.htm";
    EXPECT_EQ(html->GetFormatKey(), L".htm");
}

TEST_F(FormatDefaultsTest, BuiltInTableMatchesKeysInAnyCase)
{
    EXPECT_EQ(NamedNode(L"photo.PNG", kTabHex)->GetDefaultViewTab(), kTabImage);
    EXPECT_EQ(NamedNode(L"link.URL", kTabHex)->GetDefaultViewTab(), kTabText);
    EXPECT_EQ(NamedNode(L"readme", kTabProperty)->GetDefaultViewTab(), kTabProperty);
    EXPECT_EQ(NamedNode(L"notes.txt", kTabProperty)->GetDefaultViewTab(), kTabProperty);
    EXPECT_EQ(FormatNode(L"HTML Format")->GetDefaultViewTab(), kTabText);
    EXPECT_EQ(FormatNode(L"UniformResourceLocatorW")->GetDefaultViewTab(), kTabText);
    EXPECT_EQ(FormatNode(L"Plexa Test jfif")->GetDefaultViewTab(), kTabHex)
        << "a quoted key matches the whole registered name only";
}

TEST_F(FormatDefaultsTest, RegisteredTextMimeTypesOpenOnText)
{
    EXPECT_EQ(FormatNode(L"text/html")->GetDefaultViewTab(), kTabText);
    EXPECT_EQ(FormatNode(L"TEXT/X-Plexa-Test")->GetDefaultViewTab(), kTabText);
    EXPECT_EQ(FormatNode(L"image/x-plexa-test")->GetDefaultViewTab(), kTabHex);
    // Only a key that begins with the quote and text/ counts.
    EXPECT_EQ(NamedNode(L"odd.text/x", kTabHex)->GetDefaultViewTab(), kTabHex);

    auto plain = FormatNode(L"text/plain");
    plain->m_nDefaultTab = kTabProperty;
    EXPECT_EQ(plain->GetFormatKey(), L"CFSTR_MIME_TEXT");
    EXPECT_EQ(plain->GetDefaultViewTab(), kTabProperty);
}

TEST_F(FormatDefaultsTest, StoredPageNamesAreReadInAnyCase)
{
    auto notes = NamedNode(L"notes.txt", kTabImage);
    Store(L".txt", L"hex");
    EXPECT_EQ(notes->GetDefaultViewTab(), kTabHex);
    Store(L".txt", L"Text");
    EXPECT_EQ(notes->GetDefaultViewTab(), kTabText);
    Store(L".txt", L"property");
    EXPECT_EQ(notes->GetDefaultViewTab(), kTabProperty);
    Store(L".txt", L"IMAGE");
    notes->m_nDefaultTab = kTabHex;
    EXPECT_EQ(notes->GetDefaultViewTab(), kTabImage);

    // The stored choice overrides the built-in table.
    Store(L".png", L"HEX");
    EXPECT_EQ(NamedNode(L"photo.PNG", kTabImage)->GetDefaultViewTab(), kTabHex);
}

TEST_F(FormatDefaultsTest, AnUnknownStoredNameFallsBackToTheNodesOwnPage)
{
    Store(L".png", L"FOO");
    EXPECT_EQ(NamedNode(L"photo.png", kTabProperty)->GetDefaultViewTab(), kTabProperty)
        << "the built-in table is not consulted once something is stored";
    Store(L"\"text/x-plexa-foo\"", L"TEXTS");
    auto mime = FormatNode(L"text/x-plexa-foo");
    mime->m_nDefaultTab = kTabHex;
    EXPECT_EQ(mime->GetDefaultViewTab(), kTabHex);
}

TEST_F(FormatDefaultsTest, SettingThePageStoresItsNameUnderTheKey)
{
    auto html = FormatNode(L"HTML Format");
    const wchar_t* const expected[] = {L"HEX", L"TEXT", L"IMAGE", L"PROPERTY"};
    for (int tab = kTabHex; tab <= kTabProperty; ++tab) {
        html->SetDefaultViewTab(tab);
        EXPECT_EQ(Stored(L"\"HTML Format\""), expected[tab]);
        EXPECT_EQ(html->GetDefaultViewTab(), tab);
    }
}

TEST_F(FormatDefaultsTest, SettingAnUnknownPageStoresNothing)
{
    auto readme = NamedNode(L"readme", kTabHex);
    readme->SetDefaultViewTab(7);
    readme->SetDefaultViewTab(-1);
    EXPECT_EQ(Stored(L"0"), kNothingStored);

    readme->SetDefaultViewTab(kTabText);
    readme->SetDefaultViewTab(7);
    EXPECT_EQ(Stored(L"0"), L"TEXT") << "an unknown page leaves the earlier choice";
}

TEST_F(FormatDefaultsTest, CodePageComesFromTheTableElseTheNode)
{
    auto html = FormatNode(L"HTML Format");
    html->m_nCodePage = kCodePageUtf16LE;
    EXPECT_EQ(html->GetCodePage(), 65001);
    EXPECT_EQ(FormatNode(L"FileName")->GetCodePage(), kCodePageAnsi);
    EXPECT_EQ(FormatNode(L"filenamew")->GetCodePage(), kCodePageUtf16LE);
    EXPECT_EQ(FormatNode(L"UniformResourceLocator")->GetCodePage(), kCodePageAnsi);

    auto page = NamedNode(L"page.html", kTabHex);
    page->m_nCodePage = 932;
    EXPECT_EQ(page->GetCodePage(), 932);
    auto png = FormatNode(L"PNG");
    EXPECT_EQ(png->GetCodePage(), kCodePageNone) << "keys of the page table alone have no code page";
}
