#include "common/AsciiCase.h"
#include "common/AsciiKeyTable.h"

#include <gtest/gtest.h>

TEST(AsciiCase, IgnoresTheCaseOfLatinLettersOnly)
{
    EXPECT_TRUE(AsciiEquals(L"FileGroupDescriptorW", L"filegroupdescriptorw"));
    EXPECT_TRUE(AsciiEquals(L"\"text/", L"\"TEXT/"));
    EXPECT_FALSE(AsciiEquals(L"\u00C4", L"\u00E4")) << "accented letters keep their case";
    EXPECT_FALSE(AsciiEquals(L"\uFF21", L"\uFF41")) << "full-width letters keep their case";
    // '@' and '`' sit just before 'A' and 'a': folding by bit 0x20 would join them.
    EXPECT_FALSE(AsciiEquals(L"@", L"`"));
    EXPECT_FALSE(AsciiEquals(L"[", L"{"));
    EXPECT_FALSE(AsciiEquals(L"abc", L"abcd"));
}

TEST(AsciiCase, OrdersAsIfEveryCapitalWereSmall)
{
    EXPECT_TRUE(AsciiLess(L"a", L"B"));
    EXPECT_TRUE(AsciiLess(L"A", L"b"));
    EXPECT_FALSE(AsciiLess(L"b", L"A"));
    // '_' lies between the capitals and the small letters.
    EXPECT_TRUE(AsciiLess(L"_", L"A"));
    EXPECT_FALSE(AsciiLess(L"PNG", L"png"));
    EXPECT_FALSE(AsciiLess(L"png", L"PNG"));
    EXPECT_TRUE(AsciiLess(L"File", L"filename"));
}

TEST(AsciiKeyTable, FindsAnyCaseAndKeepsTheFirstOfEqualKeys)
{
    using Table = CAsciiKeyTable<int>;
    static const Table::Row rows[] = {
        {L"zeta", 1}, {L"Same", 2}, {L"alpha", 3}, {L"SAME", 4}, {L"same", 5}, {L"_under", 6},
    };
    const Table table(rows);
    ASSERT_NE(table.Find(L"sAmE"), nullptr);
    EXPECT_EQ(*table.Find(L"sAmE"), 2);
    ASSERT_NE(table.Find(L"ZETA"), nullptr);
    EXPECT_EQ(*table.Find(L"ZETA"), 1);
    ASSERT_NE(table.Find(L"_UNDER"), nullptr);
    EXPECT_EQ(*table.Find(L"_UNDER"), 6);
    EXPECT_EQ(table.Find(L"alph"), nullptr);
    EXPECT_EQ(table.Find(L"alphas"), nullptr);
    EXPECT_EQ(table.Find(L""), nullptr);
}

TEST(AsciiKeyTable, KeepsTheFirstOfManyEqualKeysAmongManyRows)
{
    // Enough rows that an unstable sort would reorder the equal keys.
    using Table = CAsciiKeyTable<int>;
    static constexpr std::wstring_view keys[] = {L"mid", L"MID", L"zz", L"Mid", L"aa", L"mId"};
    Table::Row rows[60];
    for (int i = 0; i < 60; ++i)
        rows[i] = {keys[(i * 5 + 3) % 6], i};
    const Table table(rows);
    int first = -1;
    for (int i = 0; i < 60 && first < 0; ++i)
        if (AsciiEquals(rows[i].key, L"mid"))
            first = i;
    ASSERT_NE(table.Find(L"MiD"), nullptr);
    EXPECT_EQ(*table.Find(L"MiD"), first);
}
