#include "framework/DialogTemplate.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A classic template: header, no menu, class by ordinal, the caption, nothing more.
std::vector<BYTE> ClassicTemplate(DWORD style, const std::wstring& caption)
{
    std::vector<BYTE> bytes(18, 0);
    std::memcpy(bytes.data(), &style, sizeof(style));
    const WORD fields[] = {0x0000, 0xFFFF, 0x8002};
    bytes.insert(bytes.end(), reinterpret_cast<const BYTE*>(fields), reinterpret_cast<const BYTE*>(fields + 3));
    const auto* text = reinterpret_cast<const BYTE*>(caption.c_str());
    bytes.insert(bytes.end(), text, text + (caption.size() + 1) * sizeof(wchar_t));
    return bytes;
}

DWORD StyleOfClassic(const std::vector<BYTE>& bytes)
{
    DWORD style;
    std::memcpy(&style, bytes.data(), sizeof(style));
    return style;
}

}

TEST(DialogTemplate, CaptionsOfResourceAndClassicTemplates)
{
    EXPECT_EQ(GetDialogTemplateCaption(FindDialogTemplate(IDD_TEXT_VIEW)), L"テキスト");
    EXPECT_EQ(GetDialogTemplateCaption(FindDialogTemplate(IDD_PROPERTY_VIEW)), L"プロパティ");
    EXPECT_TRUE(FindDialogTemplate(4711).empty());

    const std::vector<BYTE> classic = ClassicTemplate(WS_POPUP | WS_CAPTION, L"頁");
    EXPECT_EQ(GetDialogTemplateCaption(classic), L"頁");
}

TEST(DialogTemplate, TruncatedTemplatesGiveNothing)
{
    const std::vector<BYTE> classic = ClassicTemplate(WS_POPUP, L"caption");
    // Cut inside the caption's NUL, before it, inside the class ordinal, inside the header.
    for (size_t size : {classic.size() - 1, classic.size() - 2, size_t{21}, size_t{10}})
        EXPECT_EQ(GetDialogTemplateCaption(std::span(classic.data(), size)), L"") << size;
    EXPECT_TRUE(MakePageTemplate(std::span(classic.data(), 10)).empty());
    EXPECT_TRUE(MakePageTemplate({}).empty());
    // An extended header is longer than a classic one: 20 bytes are too few for it.
    std::vector<BYTE> extended(20, 0);
    extended[0] = 1;
    extended[2] = extended[3] = 0xFF;
    EXPECT_TRUE(MakePageTemplate(extended).empty());
    EXPECT_EQ(GetDialogTemplateCaption(extended), L"");
}

TEST(DialogTemplate, APageTemplateIsAHiddenControlParentChild)
{
    const std::vector<BYTE> page =
        MakePageTemplate(ClassicTemplate(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT, L"x"));
    const DWORD style = StyleOfClassic(page);
    EXPECT_EQ(style, static_cast<DWORD>(WS_CHILD | DS_CONTROL | DS_SETFONT));
    DWORD exStyle;
    std::memcpy(&exStyle, page.data() + 4, sizeof(exStyle));
    EXPECT_EQ(exStyle, static_cast<DWORD>(WS_EX_CONTROLPARENT));
    EXPECT_EQ(GetDialogTemplateCaption(page), L"x");
}
