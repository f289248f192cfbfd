#include "portable/FileGroupLayout.h"
#include "LayoutTestBytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

constexpr size_t kNameUnits = 260;

struct Fields {
    uint32_t flags = 0;
    uint32_t attributes = 0;
    uint64_t times[3] = {};
    uint32_t sizeHigh = 0;
    uint32_t sizeLow = 0;
};

// The 72 bytes before cFileName.
LeBytes& Prefix(LeBytes& bytes, const Fields& f)
{
    bytes.U32(f.flags).Zeros(16).Zeros(8).Zeros(8).U32(f.attributes);
    for (uint64_t time : f.times)
        bytes.U64(time);
    return bytes.U32(f.sizeHigh).U32(f.sizeLow);
}

LeBytes& WideRecord(LeBytes& bytes, std::u16string_view name, const Fields& f = {})
{
    Prefix(bytes, f).Utf16(name);
    return bytes.Zeros((kNameUnits - name.size()) * 2);
}

LeBytes& AnsiRecord(LeBytes& bytes, std::string_view name, const Fields& f = {})
{
    Prefix(bytes, f).Ansi(name);
    return bytes.Zeros(kNameUnits - name.size());
}

template <class Char>
void ExpectFields(const FileGroup<Char>& group, const Fields& f)
{
    ASSERT_EQ(group.files.size(), 1u);
    const auto& file = group.files[0];
    EXPECT_EQ(file.flags, f.flags);
    EXPECT_EQ(file.attributes, f.attributes);
    EXPECT_EQ(file.creationTime, f.times[0]);
    EXPECT_EQ(file.lastAccessTime, f.times[1]);
    EXPECT_EQ(file.lastWriteTime, f.times[2]);
    EXPECT_EQ(file.fileSizeHigh, f.sizeHigh);
    EXPECT_EQ(file.fileSizeLow, f.sizeLow);
}

} // namespace

TEST(FileGroupLayout, ReadsWideNamesInOrder)
{
    LeBytes group;
    group.U32(2);
    WideRecord(group, u"a.txt");
    WideRecord(group, u"b.txt");
    ASSERT_EQ(group.Size(), 4u + 2 * 592);

    auto files = ReadFileGroupW(group);
    EXPECT_FALSE(files.truncated);
    ASSERT_EQ(files.files.size(), 2u);
    EXPECT_EQ(files.files[0].name, u"a.txt");
    EXPECT_EQ(files.files[1].name, u"b.txt");
}

TEST(FileGroupLayout, ReadsTheRawFieldsAtTheirOffsets)
{
    const Fields fields{.flags = 0x4041, .attributes = 0x20,
                        .times = {0x01D0000000000001, 0x01D0000000000002, 0x01D0000000000003},
                        .sizeHigh = 1, .sizeLow = 0x80000000};
    LeBytes wide;
    wide.U32(1);
    WideRecord(wide, u"x", fields);
    LeBytes ansi;
    ansi.U32(1);
    AnsiRecord(ansi, "x", fields);

    ExpectFields(ReadFileGroupW(wide), fields);
    ExpectFields(ReadFileGroupA(ansi), fields);
}

TEST(FileGroupLayout, KeepsAnsiNamesAsRawBytes)
{
    LeBytes group;
    group.U32(2);
    AnsiRecord(group, "\x93\xfa\x96\x7b.txt");
    AnsiRecord(group, "b.txt");
    ASSERT_EQ(group.Size(), 4u + 2 * 332);

    auto files = ReadFileGroupA(group);
    EXPECT_FALSE(files.truncated);
    ASSERT_EQ(files.files.size(), 2u);
    EXPECT_EQ(files.files[0].name, "\x93\xfa\x96\x7b.txt");
    EXPECT_EQ(files.files[1].name, "b.txt");
}

TEST(FileGroupLayout, NameEndsAtTheFirstNul)
{
    LeBytes group;
    group.U32(1);
    WideRecord(group, std::u16string(u"a.txt\0junk", 10));
    EXPECT_EQ(ReadFileGroupW(group).files.at(0).name, u"a.txt");
}

TEST(FileGroupLayout, NameWithoutNulTakesAllUnitsAndNoMore)
{
    const std::u16string full(kNameUnits, u'w');
    LeBytes wide;
    wide.U32(2);
    WideRecord(wide, full);
    WideRecord(wide, u"next");
    auto w = ReadFileGroupW(wide);
    ASSERT_EQ(w.files.size(), 2u);
    EXPECT_EQ(w.files[0].name, full);
    EXPECT_EQ(w.files[1].name, u"next");

    const std::string fullAnsi(kNameUnits, 'a');
    LeBytes ansi;
    ansi.U32(1);
    AnsiRecord(ansi, fullAnsi);
    EXPECT_EQ(ReadFileGroupA(ansi).files.at(0).name, fullAnsi);
}

TEST(FileGroupLayout, CountZeroIsAnEmptyGroup)
{
    LeBytes group;
    group.U32(0);
    auto files = ReadFileGroupW(group);
    EXPECT_TRUE(files.files.empty());
    EXPECT_FALSE(files.truncated);
}

TEST(FileGroupLayout, CountBeyondTheBytesKeepsTheWholeRecords)
{
    LeBytes group;
    group.U32(3);
    WideRecord(group, u"a");
    WideRecord(group, u"b");
    group.Zeros(591);   // one byte short of the third record
    auto files = ReadFileGroupW(group);
    EXPECT_TRUE(files.truncated);
    ASSERT_EQ(files.files.size(), 2u);
    EXPECT_EQ(files.files[1].name, u"b");
}

TEST(FileGroupLayout, HugeCountIsBoundedByTheBytes)
{
    LeBytes group;
    group.U32(0xFFFFFFFF);
    AnsiRecord(group, "only");
    auto files = ReadFileGroupA(group);
    EXPECT_TRUE(files.truncated);
    ASSERT_EQ(files.files.size(), 1u);
    EXPECT_EQ(files.files[0].name, "only");
}

TEST(FileGroupLayout, MissingCountIsTruncated)
{
    LeBytes group;
    group.U16(1);
    auto files = ReadFileGroupW(group);
    EXPECT_TRUE(files.truncated);
    EXPECT_TRUE(files.files.empty());
    EXPECT_TRUE(ReadFileGroupA(LeBytes{}).truncated);
}
