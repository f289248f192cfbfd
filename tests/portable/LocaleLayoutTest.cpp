#include "portable/LocaleLayout.h"
#include "LayoutTestBytes.h"

#include <gtest/gtest.h>

TEST(LocaleLayout, FirstFourBytesAreTheLittleEndianLcid)
{
    EXPECT_EQ(ReadLocaleId(LeBytes{}.U32(0x0411)), 0x0411u);
    EXPECT_EQ(ReadLocaleId(LeBytes{}.U32(0x00010409)), 0x00010409u);
}

TEST(LocaleLayout, BytesAfterTheLcidAreIgnored)
{
    EXPECT_EQ(ReadLocaleId(LeBytes{}.U32(0x0409).U32(0xFFFFFFFF)), 0x0409u);
}

TEST(LocaleLayout, FewerThanFourBytesHoldNoLcid)
{
    EXPECT_FALSE(ReadLocaleId(LeBytes{}));
    EXPECT_FALSE(ReadLocaleId(LeBytes{}.U16(0x0411).U8(0)));
}
