#include "portable/CodePageList.h"
#include "portable/CodePageValues.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

std::vector<std::wstring> Names(const CCodePageArray& list)
{
    std::vector<std::wstring> names;
    for (const CPlexaCP& entry : list)
        names.push_back(entry.m_strName);
    return names;
}

TEST(BuildCodePageList, UserEntriesReplaceAtMostOneBuiltInEntryEach)
{
    const struct {
        std::wstring_view stored;
        std::vector<std::wstring> names;
    } cases[] = {
        {kDefaultCodePages,
         {L"CP_ACP", L"CP_OEMCP", L"CP_UTF8", L"UTF-16LE", L"UTF-16BE", L"ISO-2022-JP", L"EUC-JP", L"Windows-1252"}},
        {L"", {L"CP_ACP", L"CP_OEMCP", L"CP_UTF8", L"UTF-16LE", L"UTF-16BE"}},
        {L"UTF-8=65001;", {L"CP_ACP", L"CP_OEMCP", L"UTF-16LE", L"UTF-16BE", L"UTF-8"}},
        {L"A=65001;B=65001;", {L"CP_ACP", L"CP_OEMCP", L"UTF-16LE", L"UTF-16BE", L"A", L"B"}},
        {L"abc;", {L"CP_OEMCP", L"CP_UTF8", L"UTF-16LE", L"UTF-16BE", L"abc"}},
        {L"Neg=-1;", {L"CP_ACP", L"CP_OEMCP", L"CP_UTF8", L"UTF-16BE", L"Neg"}},
        {L" X = 1252 ;=1252;Y=;;", {L"CP_ACP", L"CP_OEMCP", L"CP_UTF8", L"UTF-16LE", L"UTF-16BE", L"X"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Names(BuildCodePageList(c.stored)), c.names) << std::wstring(c.stored).size();
}

TEST(BuildCodePageList, NumbersReadAsWcstolDoesClampedTo32Bits)
{
    const struct {
        std::wstring_view piece;
        int codePage;
    } cases[] = {
        {L"932;", 932},
        {L"Z=12abc;", 12},
        {L"abc;", 0},
        {L"P=+7;", 7},
        {L"Big=99999999999999999999;", INT_MAX},
        {L"Small=-99999999999999999999;", INT_MIN},
        {L"Min=-2147483648;", INT_MIN},
    };
    for (const auto& c : cases) {
        const CCodePageArray list = BuildCodePageList(c.piece);
        EXPECT_EQ(list.back().m_nCodePage, c.codePage) << std::wstring(c.piece).size();
    }
}

TEST(AddCodePageIfMissing, AddsAnEntryNamedByTheNumberOnce)
{
    CCodePageArray list = BuildCodePageList(L"");
    AddCodePageIfMissing(list, 936);
    AddCodePageIfMissing(list, 936);
    AddCodePageIfMissing(list, kCodePageUtf16BE);
    EXPECT_EQ(list.size(), 6u);
    EXPECT_EQ(list.back(), (CPlexaCP{L"936", 936}));
}

}
