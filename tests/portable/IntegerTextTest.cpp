#include "common/IntegerText.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ParseDecimalInt, AcceptsSignedDecimalsWithSurroundingBlanks)
{
    const struct {
        const wchar_t* text;
        int value;
    } cases[] = {{L"128", 128}, {L"0", 0}, {L"-5", -5}, {L"+7", 7}, {L" \t42 ", 42}, {L"007", 7},
                 {L"2147483647", INT_MAX}, {L"-2147483648", INT_MIN}};
    for (const auto& c : cases)
        EXPECT_EQ(ParseDecimalInt(c.text), c.value) << c.text;
}

TEST(ParseDecimalInt, RefusesEverythingElse)
{
    for (const wchar_t* text : {L"", L"  ", L"-", L"abc", L"12a", L"1 2", L"1.5", L"0x10", L"--1",
                                L"2147483648", L"-2147483649", L"99999999999999999999", L"１２"})
        EXPECT_FALSE(ParseDecimalInt(text).has_value()) << text;
}
