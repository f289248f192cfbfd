// Texts whose escapes the resource script could get wrong, against the
// literals the code wrote before they moved to the string table. A test
// program includes this from one file only, and instantiates it with its table.
#pragma once

#include "framework/Resource.h"

#include <gtest/gtest.h>

struct FormerLiteral {
    UINT id;
    LANGID language;
    const wchar_t* literal;
};

class FormerLiteralTest : public testing::TestWithParam<FormerLiteral> {};

TEST_P(FormerLiteralTest, LoadsAsTheLiteral)
{
    EXPECT_EQ(LoadResStringIn(GetParam().id, GetParam().language), GetParam().literal) << GetParam().id;
}
