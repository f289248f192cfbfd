#include "capture/CBData.h"
#include "support/FormatKeyNodes.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

namespace {

class FormatDefaultsTest : public ::testing::Test {
protected:
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
    EXPECT_EQ(NamedNode(L"photo.PNG", kTabHex)->GetBuiltInViewTab(), kTabImage);
    EXPECT_EQ(NamedNode(L"link.URL", kTabHex)->GetBuiltInViewTab(), kTabText);
    EXPECT_EQ(NamedNode(L"readme", kTabProperty)->GetBuiltInViewTab(), kTabProperty);
    EXPECT_EQ(NamedNode(L"notes.txt", kTabProperty)->GetBuiltInViewTab(), kTabProperty);
    EXPECT_EQ(FormatNode(L"HTML Format")->GetBuiltInViewTab(), kTabText);
    EXPECT_EQ(FormatNode(L"UniformResourceLocatorW")->GetBuiltInViewTab(), kTabText);
    EXPECT_EQ(FormatNode(L"Plexa Test jfif")->GetBuiltInViewTab(), kTabHex)
        << "a quoted key matches the whole registered name only";
}

TEST_F(FormatDefaultsTest, RegisteredTextMimeTypesOpenOnText)
{
    EXPECT_EQ(FormatNode(L"text/html")->GetBuiltInViewTab(), kTabText);
    EXPECT_EQ(FormatNode(L"TEXT/X-Plexa-Test")->GetBuiltInViewTab(), kTabText);
    EXPECT_EQ(FormatNode(L"image/x-plexa-test")->GetBuiltInViewTab(), kTabHex);
    // Only a key that begins with the quote and text/ counts.
    EXPECT_EQ(NamedNode(L"odd.text/x", kTabHex)->GetBuiltInViewTab(), kTabHex);

    auto plain = FormatNode(L"text/plain");
    plain->m_nDefaultTab = kTabProperty;
    EXPECT_EQ(plain->GetFormatKey(), L"CFSTR_MIME_TEXT");
    EXPECT_EQ(plain->GetBuiltInViewTab(), kTabProperty);
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
