#include "capture/FormatNames.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

namespace {

class FormatNamesTest : public ::testing::Test {
protected:
    static UINT Register(const wchar_t* name)
    {
        const UINT number = ::RegisterClipboardFormatW(name);
        EXPECT_NE(number, 0u) << "could not register the format";
        return number;
    }

    // The spelling the platform keeps for a registered format number.
    static std::wstring PlatformName(UINT number)
    {
        wchar_t name[256] = {};
        ::GetClipboardFormatNameW(number, name, 256);
        return name;
    }

    static FORMATETC FormatEtc(UINT number, DWORD aspect)
    {
        return {static_cast<CLIPFORMAT>(number), nullptr, aspect, -1, TYMED_HGLOBAL};
    }

    CTestApp m_app;
};

}

TEST_F(FormatNamesTest, StandardNumbersHaveTheirConstantNamesAndAreNotRegistered)
{
    bool registered = true;
    EXPECT_EQ(GetFormatName(CF_TEXT, &registered), L"CF_TEXT");
    EXPECT_FALSE(registered);
    EXPECT_EQ(GetFormatName(CF_DIBV5), L"CF_DIBV5");
    EXPECT_EQ(GetFormatName(CF_OWNERDISPLAY), L"CF_OWNERDISPLAY");
    EXPECT_EQ(GetFormatName(CF_DSPMETAFILEPICT), L"CF_DSPMETAFILEPICT");
    EXPECT_EQ(GetFormatName(CF_DSPENHMETAFILE), L"CF_DSPENHMETAFILE");
    // The gaps between the table's rows are plain numbers.
    EXPECT_EQ(GetFormatName(0), L"0");
    EXPECT_EQ(GetFormatName(18), L"18");
    EXPECT_EQ(GetFormatName(132), L"132");
    EXPECT_EQ(GetFormatName(143), L"143");
}

TEST_F(FormatNamesTest, GdiObjectAndPrivateRangesCountFromTheirFirstNumber)
{
    bool registered = true;
    EXPECT_EQ(GetFormatName(0x300, &registered), L"CF_GDIOBJFIRST+0");
    EXPECT_FALSE(registered);
    EXPECT_EQ(GetFormatName(0x3FF), L"CF_GDIOBJFIRST+255");
    EXPECT_EQ(GetFormatName(0x200), L"CF_PRIVATEFIRST+0");
    EXPECT_EQ(GetFormatName(0x2FF), L"CF_PRIVATEFIRST+255");
    EXPECT_EQ(GetFormatName(0x1FF), L"511");
    EXPECT_EQ(GetFormatName(0x400), L"1024");
}

TEST_F(FormatNamesTest, ANumberNobodyRegisteredIsNamedByItsDigits)
{
    bool registered = true;
    EXPECT_EQ(GetFormatName(0x1F0, &registered), L"496");
    EXPECT_FALSE(registered);

    UINT unregistered = 0;
    for (UINT number = 0xFFFF; number >= 0xC000 && unregistered == 0; --number) {
        if (PlatformName(number).empty())
            unregistered = number;
    }
    ASSERT_NE(unregistered, 0u) << "every registered-format number is taken";
    registered = true;
    EXPECT_EQ(GetFormatName(unregistered, &registered), std::to_wstring(unregistered));
    EXPECT_FALSE(registered);
}

TEST_F(FormatNamesTest, ARegisteredNameOutsideTheShellTableIsQuoted)
{
    const UINT number = Register(L"Plexa Test Format Name");
    bool registered = false;
    EXPECT_EQ(GetFormatName(number, &registered), L"\"Plexa Test Format Name\"");
    EXPECT_TRUE(registered);
    EXPECT_EQ(GetFormatName(Register(L"HTML Format")), L"\"HTML Format\"");
}

TEST_F(FormatNamesTest, ShellNamesAreMatchedInAnyLetterCase)
{
    // The platform keeps one number per name whatever the case of A to Z, and
    // reports the spelling it was first registered under.
    const UINT lower = Register(L"filegroupdescriptorw");
    EXPECT_EQ(Register(L"FileGroupDescriptorW"), lower);
    bool registered = false;
    EXPECT_EQ(GetFormatName(lower, &registered), L"CFSTR_FILEDESCRIPTORW");
    EXPECT_TRUE(registered);

    const UINT shouting = Register(L"AUTOPLAY ENUMERATED IDLIST ARRAY");
    ASSERT_EQ(PlatformName(shouting), L"AUTOPLAY ENUMERATED IDLIST ARRAY")
        << "registered earlier in another spelling, so the case is not tested here";
    EXPECT_EQ(GetFormatName(shouting), L"CFSTR_AUTOPLAY_SHELLIDLISTS");
}

TEST_F(FormatNamesTest, TheFirstOfTheTwoUrlRowsNamesTheUrlFormat)
{
    EXPECT_EQ(GetFormatName(Register(L"UniformResourceLocator")), L"CFSTR_SHELLURL");
    EXPECT_EQ(GetFormatName(Register(L"UniformResourceLocatorW")), L"CFSTR_INETURLW");
    EXPECT_EQ(GetFormatName(Register(L"text/plain")), L"CFSTR_MIME_TEXT");
}

TEST_F(FormatNamesTest, AspectNamesEachEndWithABlank)
{
    EXPECT_EQ(GetAspectNames(0), L"");
    EXPECT_EQ(GetAspectNames(DVASPECT_CONTENT), L"CONTENT ");
    EXPECT_EQ(GetAspectNames(15), L"CONTENT THUMBNAIL ICON DOCPRINT ");
    EXPECT_EQ(GetAspectNames(18), L"THUMBNAIL 0x12? ");
    EXPECT_EQ(GetAspectNames(16), L"0x10? ");
    EXPECT_EQ(GetAspectNames(0xFFFFFFFF), L"CONTENT THUMBNAIL ICON DOCPRINT 0xffffffff? ");
}

TEST_F(FormatNamesTest, TymedNamesIgnoreUndefinedBits)
{
    EXPECT_EQ(GetTymedNames(0), L"");
    EXPECT_EQ(GetTymedNames(TYMED_HGLOBAL | TYMED_ENHMF), L"HGLOBAL ENHMF ");
    EXPECT_EQ(GetTymedNames(0x7F), L"HGLOBAL FILE ISTREAM ISTORAGE GDI MFPICT ENHMF ");
    EXPECT_EQ(GetTymedNames(0x80 | TYMED_ISTORAGE | 0x80000000), L"ISTORAGE ");
}

TEST_F(FormatNamesTest, FormatEtcNamesShowOnlyAspectsOtherThanNoneAndContent)
{
    EXPECT_EQ(GetFormatEtcName(FormatEtc(CF_DIB, DVASPECT_THUMBNAIL)), L"CF_DIB THUMBNAIL ");
    EXPECT_EQ(GetFormatEtcName(FormatEtc(CF_DIB, DVASPECT_CONTENT)), L"CF_DIB");
    EXPECT_EQ(GetFormatEtcName(FormatEtc(CF_DIB, 0)), L"CF_DIB");
    EXPECT_EQ(GetFormatEtcName(FormatEtc(0x300, DVASPECT_CONTENT | DVASPECT_ICON)),
              L"CF_GDIOBJFIRST+0 CONTENT ICON ");
}

TEST_F(FormatNamesTest, FormatNamesReplaceTheListInOrder)
{
    CStringArray names{L"from the last snapshot"};
    GetFormatNames({FormatEtc(CF_UNICODETEXT, DVASPECT_CONTENT), FormatEtc(CF_DIB, DVASPECT_ICON),
                    FormatEtc(0x2FF, DVASPECT_CONTENT)},
                   names);
    EXPECT_EQ(names, (CStringArray{L"CF_UNICODETEXT", L"CF_DIB ICON ", L"CF_PRIVATEFIRST+255"}));

    GetFormatNames({}, names);
    EXPECT_TRUE(names.empty());
}
