#include "portable/ShellIdListLayout.h"
#include "LayoutTestBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace {

// An SHITEMID of `dataSize` bytes after its length.
LeBytes& ItemId(LeBytes& bytes, uint16_t dataSize)
{
    return bytes.U16(static_cast<uint16_t>(dataSize + 2)).Zeros(dataSize);
}

} // namespace

TEST(ShellIdListLayout, ReadsTheParentAndEachItem)
{
    LeBytes cida;
    cida.U32(2).U32(0).U32(0).U32(0);
    cida.SetU32(4, static_cast<uint32_t>(cida.Size()));
    cida.U16(0);                                        // empty parent: the desktop
    cida.SetU32(8, static_cast<uint32_t>(cida.Size()));
    ItemId(ItemId(cida, 3), 5).U16(0);                  // two SHITEMIDs
    cida.SetU32(12, static_cast<uint32_t>(cida.Size()));
    ItemId(cida, 1).U16(0);

    auto layout = ReadShellIdListLayout(cida);
    ASSERT_TRUE(layout);
    ASSERT_TRUE(layout->parent);
    EXPECT_EQ(layout->parent->offset, 16u);
    EXPECT_EQ(layout->parent->size, 2u);
    ASSERT_EQ(layout->items.size(), 2u);
    ASSERT_TRUE(layout->items[0]);
    EXPECT_EQ(layout->items[0]->offset, 18u);
    EXPECT_EQ(layout->items[0]->size, 5u + 7u + 2u);
    ASSERT_TRUE(layout->items[1]);
    EXPECT_EQ(layout->items[1]->offset, 32u);
    EXPECT_EQ(layout->items[1]->size, 3u + 2u);
}

TEST(ShellIdListLayout, ListsMayShareBytesAndSitUnaligned)
{
    LeBytes cida;
    cida.U32(1).U32(13).U32(13).U8(0xAA);
    ItemId(cida, 4).U16(0);
    auto layout = ReadShellIdListLayout(cida);
    ASSERT_TRUE(layout);
    ASSERT_TRUE(layout->parent);
    ASSERT_TRUE(layout->items.at(0));
    EXPECT_EQ(layout->items[0]->offset, 13u);
    EXPECT_EQ(layout->items[0]->size, 8u);
}

TEST(ShellIdListLayout, CountZeroHasOnlyTheParent)
{
    LeBytes cida;
    cida.U32(0).U32(8).U16(0);
    auto layout = ReadShellIdListLayout(cida);
    ASSERT_TRUE(layout);
    EXPECT_TRUE(layout->parent);
    EXPECT_TRUE(layout->items.empty());
}

TEST(ShellIdListLayout, OffsetTablePastTheEndGivesNothing)
{
    LeBytes cida;
    cida.U32(3).U32(12).U32(12).U16(0).U16(0);   // room for 3 offsets, not 4
    EXPECT_FALSE(ReadShellIdListLayout(cida));

    LeBytes huge;
    huge.U32(0xFFFFFFFF).U32(8).U16(0);
    EXPECT_FALSE(ReadShellIdListLayout(huge));

    LeBytes noCount;
    noCount.U16(1);
    EXPECT_FALSE(ReadShellIdListLayout(noCount));
}

TEST(ShellIdListLayout, ABadItemLeavesTheOthersReadable)
{
    LeBytes cida;
    cida.U32(3).U32(20).U32(0xFFFFFFF0).U32(20).U32(0x7FFFFFFF);
    cida.U16(0);
    auto layout = ReadShellIdListLayout(cida);
    ASSERT_TRUE(layout);
    EXPECT_TRUE(layout->parent);
    ASSERT_EQ(layout->items.size(), 3u);
    EXPECT_FALSE(layout->items[0]);
    EXPECT_TRUE(layout->items[1]);
    EXPECT_FALSE(layout->items[2]);
}

TEST(ShellIdListLayout, ItemRunningPastTheEndIsBad)
{
    LeBytes cida;
    cida.U32(1).U32(12).U32(14).U16(0);
    cida.U16(10).Zeros(4);   // claims 10 bytes, 6 are there
    auto layout = ReadShellIdListLayout(cida);
    ASSERT_TRUE(layout);
    EXPECT_TRUE(layout->parent);
    EXPECT_FALSE(layout->items.at(0));
}

TEST(ShellIdListLayout, MissingTerminatorIsBad)
{
    LeBytes whole;
    whole.U32(1).U32(12).U32(14).U16(0);
    ItemId(whole, 2);
    EXPECT_FALSE(ReadShellIdListLayout(whole)->items.at(0));

    LeBytes half;
    half.U32(1).U32(12).U32(14).U16(0);
    ItemId(half, 2).U8(0);
    EXPECT_FALSE(ReadShellIdListLayout(half)->items.at(0));
}

TEST(ShellIdListLayout, LengthOfOneIsBad)
{
    // A length must count its own two bytes.
    LeBytes cida;
    cida.U32(1).U32(12).U32(14).U16(0);
    cida.U16(1).U16(0).U16(0);
    EXPECT_FALSE(ReadShellIdListLayout(cida)->items.at(0));
}

TEST(ShellIdListLayout, ABadParentIsReportedWithoutLosingTheItems)
{
    LeBytes cida;
    cida.U32(1).U32(1000).U32(12).U16(0);
    auto layout = ReadShellIdListLayout(cida);
    ASSERT_TRUE(layout);
    EXPECT_FALSE(layout->parent);
    EXPECT_TRUE(layout->items.at(0));
}

TEST(ShellIdListLayout, ListsSharingOneLongListStopAfterTwiceTheBlock)
{
    // 1000 offsets at one list of 2000 SHITEMIDs: walking each would read the list 1000 times.
    constexpr uint32_t kItems = 1000;
    LeBytes cida;
    cida.U32(kItems);
    const uint32_t list = 4 + 4 * (kItems + 1);
    for (uint32_t i = 0; i <= kItems; ++i)
        cida.U32(list);
    for (int id = 0; id < 2000; ++id)
        ItemId(cida, 0);
    cida.U16(0);

    const auto layout = ReadShellIdListLayout(cida);
    ASSERT_TRUE(layout);
    const auto read = std::count_if(layout->items.begin(), layout->items.end(), [](const auto& item) { return item.has_value(); });
    // 8010 bytes: twice that covers the parent and three items, and a fourth starts inside it.
    EXPECT_EQ(read, 4);
    EXPECT_TRUE(layout->items[0]);
    EXPECT_FALSE(layout->items.back());
}
