#include "portable/DropFilesLayout.h"
#include "LayoutTestBytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using WidePaths = std::vector<std::u16string>;
using AnsiPaths = std::vector<std::string>;

// DROPFILES with the list right after it.
LeBytes DropFiles(bool wide)
{
    LeBytes bytes;
    bytes.U32(20).I32(10).I32(20).U32(0).U32(wide ? 1 : 0);
    return bytes;
}

} // namespace

TEST(DropFilesLayout, ReadsWidePaths)
{
    auto bytes = DropFiles(true).Utf16(u"C:\\a.txt").U16(0).Utf16(u"D:\\日本\\b").U16(0).U16(0);
    auto list = ReadDropFiles(bytes);
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->complete);
    EXPECT_EQ(std::get<WidePaths>(list->paths), (WidePaths{u"C:\\a.txt", u"D:\\日本\\b"}));
}

TEST(DropFilesLayout, KeepsAnsiPathsAsRawBytes)
{
    // Shift_JIS for 日本: converting is the caller's business.
    auto bytes = DropFiles(false).Ansi("C:\\\x93\xfa\x96\x7b").U8(0).Ansi("x").U8(0).U8(0);
    auto list = ReadDropFiles(bytes);
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->complete);
    EXPECT_EQ(std::get<AnsiPaths>(list->paths), (AnsiPaths{"C:\\\x93\xfa\x96\x7b", "x"}));
}

TEST(DropFilesLayout, FollowsTheOffsetPastAGap)
{
    auto bytes = DropFiles(true).SetU32(0, 27).Ansi("gap....").Utf16(u"p").U16(0).U16(0);
    auto list = ReadDropFiles(bytes);
    ASSERT_TRUE(list);
    EXPECT_EQ(std::get<WidePaths>(list->paths), (WidePaths{u"p"}));
    EXPECT_TRUE(list->complete);
}

TEST(DropFilesLayout, EmptyList)
{
    auto list = ReadDropFiles(DropFiles(true).U16(0));
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->complete);
    EXPECT_TRUE(std::get<WidePaths>(list->paths).empty());
}

TEST(DropFilesLayout, PathCutByTheEndIsDropped)
{
    auto list = ReadDropFiles(DropFiles(true).Utf16(u"a").U16(0).Utf16(u"bc"));
    ASSERT_TRUE(list);
    EXPECT_FALSE(list->complete);
    EXPECT_EQ(std::get<WidePaths>(list->paths), (WidePaths{u"a"}));

    auto ansi = ReadDropFiles(DropFiles(false).Ansi("a").U8(0).Ansi("bc"));
    ASSERT_TRUE(ansi);
    EXPECT_FALSE(ansi->complete);
    EXPECT_EQ(std::get<AnsiPaths>(ansi->paths), (AnsiPaths{"a"}));
}

TEST(DropFilesLayout, MissingClosingEmptyPathKeepsTheWholePaths)
{
    auto list = ReadDropFiles(DropFiles(true).Utf16(u"a").U16(0).Utf16(u"b").U16(0));
    ASSERT_TRUE(list);
    EXPECT_FALSE(list->complete);
    EXPECT_EQ(std::get<WidePaths>(list->paths), (WidePaths{u"a", u"b"}));
}

TEST(DropFilesLayout, OddTrailingByteOfAWideListIsNotAUnit)
{
    auto list = ReadDropFiles(DropFiles(true).Utf16(u"a").U16(0).U8(0));
    ASSERT_TRUE(list);
    EXPECT_FALSE(list->complete);
    EXPECT_EQ(std::get<WidePaths>(list->paths), (WidePaths{u"a"}));
}

TEST(DropFilesLayout, OffsetAtTheEndGivesAnIncompleteEmptyList)
{
    auto list = ReadDropFiles(DropFiles(true));
    ASSERT_TRUE(list);
    EXPECT_FALSE(list->complete);
    EXPECT_TRUE(std::get<WidePaths>(list->paths).empty());
}

TEST(DropFilesLayout, OffsetOutsideTheListAreaGivesNothing)
{
    EXPECT_FALSE(ReadDropFiles(DropFiles(true).U16(0).SetU32(0, 23)));
    EXPECT_FALSE(ReadDropFiles(DropFiles(true).U16(0).SetU32(0, 0xFFFFFFFF)));
    // Into the header itself.
    EXPECT_FALSE(ReadDropFiles(DropFiles(true).U16(0).SetU32(0, 16)));
}

TEST(DropFilesLayout, ShortHeaderGivesNothing)
{
    LeBytes bytes;
    bytes.U32(19).Zeros(15);
    EXPECT_FALSE(ReadDropFiles(bytes));
}
