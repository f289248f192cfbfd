#include "common/Strings.h"

#include <gtest/gtest.h>

TEST(SplitString, KeepsEmptyEntriesButNotAnEmptyRemainder)
{
    CStringArray parts{L"stale"};
    SplitString(parts, L"a;;b;", L";");
    EXPECT_EQ(parts, (CStringArray{L"a", L"", L"b"}));

    SplitString(parts, L";a;b", L";");
    EXPECT_EQ(parts, (CStringArray{L"", L"a", L"b"}));
}

TEST(SplitString, WithoutSeparatorGivesTheWholeText)
{
    CStringArray parts;
    SplitString(parts, L"no separator here", L";");
    EXPECT_EQ(parts, (CStringArray{L"no separator here"}));

    SplitString(parts, L"", L";");
    EXPECT_TRUE(parts.empty());
}

TEST(SplitString, DefaultsToCrLfAndDoesNotSplitOnLoneLineFeeds)
{
    CStringArray parts;
    SplitString(parts, L"one\r\ntwo\nstill two\r\n\r\nfour");
    EXPECT_EQ(parts, (CStringArray{L"one", L"two\nstill two", L"", L"four"}));
}

TEST(JoinStrings, EveryEntryIsFollowedByTheSeparator)
{
    EXPECT_EQ(JoinStrings({L"a", L"", L"b"}, L";"), L"a;;b;");
    EXPECT_EQ(JoinStrings({L"x"}), L"x\r\n");
    EXPECT_EQ(JoinStrings({}, L";"), L"");
}

TEST(SplitAndJoin, RoundTripTheStoredCodePageList)
{
    const std::wstring stored = L"ISO-2022-JP=50220;EUC-JP=51932;Windows-1252=1252;";
    CStringArray parts;
    SplitString(parts, stored, L";");
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(JoinStrings(parts, L";"), stored);
}
