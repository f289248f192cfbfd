#include "CheckPieces.h"
#include "LayoutTestBytes.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr auto E = FindingSeverity::Error;
constexpr auto W = FindingSeverity::Warning;
constexpr auto N = FindingSeverity::Note;

struct Row {
    const char* name;
    LeBytes bytes;
    FindingList expected;
    CheckContext context = {};
};

void ExpectRows(CheckKind kind, const std::vector<Row>& rows)
{
    for (const Row& row : rows)
        EXPECT_EQ(CheckInPieces(kind, row.bytes, row.context), row.expected) << row.name;
}

LeBytes& BigEndian(LeBytes& bytes, uint32_t value)
{
    return bytes.U8(value >> 24).U8(value >> 16 & 0xFF).U8(value >> 8 & 0xFF).U8(value & 0xFF);
}

LeBytes& Chunk(LeBytes& png, const std::string& type, const std::string& data = "")
{
    const std::string body = type + data;
    BigEndian(png, static_cast<uint32_t>(data.size())).Ansi(body);
    return BigEndian(png, crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())));
}

// The signature, then IHDR at 8, IDAT at 33 and IEND at 49, 61 bytes in all.
LeBytes Png(bool ihdr = true, bool iend = true)
{
    LeBytes png = LeBytes{}.U8(0x89).Ansi("PNG\r\n\x1A\n");
    if (ihdr)
        Chunk(png, "IHDR", std::string("\0\0\0\1\0\0\0\1\x08\x06\0\0\0", 13));
    Chunk(png, "IDAT", "abcd");
    return iend ? Chunk(png, "IEND") : png;
}

LeBytes DropFiles(bool wide)
{
    return LeBytes{}.U32(20).I32(0).I32(0).U32(0).U32(wide ? 1 : 0);
}

// One FILEDESCRIPTORW or FILEDESCRIPTORA.
LeBytes& Record(LeBytes& group, bool wide, std::string_view name, uint32_t flags = 0x40, uint32_t attributes = 0)
{
    group.U32(flags).Zeros(32).U32(attributes).Zeros(24).U32(0).U32(5);
    for (char c : name)
        wide ? group.U16(static_cast<uint8_t>(c)) : group.U8(static_cast<uint8_t>(c));
    return group.Zeros((260 - name.size()) * (wide ? 2 : 1));
}

LeBytes Group(std::string_view name, uint32_t flags = 0x40, uint32_t attributes = 0, bool wide = true)
{
    LeBytes group = LeBytes{}.U32(1);
    return Record(group, wide, name, flags, attributes);
}

CheckContext Delivered(std::vector<std::optional<uint64_t>> sizes)
{
    return {.fileContentsSizes = std::move(sizes)};
}

// A CIDA of the desktop and one item at 14, its list being `item`.
LeBytes Cida(const LeBytes& item)
{
    LeBytes cida = LeBytes{}.U32(1).U32(12).U32(14).U16(0);
    for (uint8_t b : item.Vector())
        cida.U8(b);
    return cida;
}

} // namespace

TEST(BinaryChecks, Png)
{
    LeBytes badSignature = Png();
    LeBytes badCrc = Png();
    LeBytes cut = Png(true, false);
    BigEndian(cut, 0).Ansi("IEND").U8(0xAE).U8(0x42);
    ExpectRows(CheckKind::Png, {
        {"signature", badSignature.SetU32(0, 0x474E5088), {{"png.signature", E, "", 0, 8}}},
        {"signature cut", LeBytes{}.U8(0x89).Ansi("PNG"), {{"png.signature", E, "", 0, 4}}},
        {"IDAT first", Png(false), {{"png.chunk", E, "ihdr-first", 8, 8, {"IDAT"}}}},
        {"no IEND", Png(true, false), {{"png.chunk", E, "no-iend", 49, 0}}},
        {"IEND cut", cut, {{"png.chunk", E, "past-end", 49, 10}}},
        {"length above 2^31-1", Png(true, false).U32(0x80).Ansi("IDAT"),
         {{"png.chunk", E, "length", 49, 4, {"IDAT", "2147483648"}}}},
        {"type not letters", Png(true, false).U32(0).Ansi("IE D"), {{"png.chunk", E, "type", 53, 4}}},
        {"IDAT's CRC", badCrc.SetU32(45, 0), {{"png.crc", E, "", 33, 16, {"IDAT"}}}},
        {"bytes after IEND", Png().Zeros(3), {{"png.data-after-end", N, "", 61, 3, {"3"}}}},
    });
}

TEST(BinaryChecks, DropFiles)
{
    ExpectRows(CheckKind::DropFiles, {
        {"header cut", LeBytes{}.U32(20).Zeros(6), {{"hdrop.offset", E, "short", 0, 10, {"10"}}}},
        {"pFiles in the header", DropFiles(true).SetU32(0, 8).U16(0), {{"hdrop.offset", E, "in-header", 0, 4, {"8"}}}},
        {"pFiles past the end", DropFiles(true).SetU32(0, 23).U16(0),
         {{"hdrop.offset", E, "outside", 0, 4, {"23", "22"}}}},
        {"no closing empty path", DropFiles(true).Utf16(u"C:\\a").U16(0), {{"hdrop.no-terminator", E, "", 20, 10}}},
        {"no path", DropFiles(true).U16(0), {{"hdrop.empty", W, "", 20, 2}}},
        {"relative wide path", DropFiles(true).Utf16(u"docs\\a").U16(0).U16(0),
         {{"hdrop.relative-path", W, "", 20, 14, {"docs\\a"}}}},
        {"drive-relative ANSI path", DropFiles(false).Ansi("C:a").U8(0).Ansi("\\\\srv\\s\\b").U8(0).U8(0),
         {{"hdrop.relative-path", W, "", 20, 4, {"C:a"}}}},
    });
}

TEST(BinaryChecks, FileGroupFraming)
{
    LeBytes two = LeBytes{}.U32(2);
    Record(two, true, "a.txt");
    ExpectRows(CheckKind::FileGroupW, {
        {"no count", LeBytes{}.U16(1), {{"filegroup.short", E, "no-count", 0, 2, {"2"}}}},
        {"count above the records", two, {{"filegroup.short", E, "records", 0, 4, {"2", "1"}}}},
        {"name of 260 units", Group(std::string(260, 'x')),
         {{"filegroup.name-terminator", E, "", 76, 520, {"0"}}}},
        {"size differs", Group("a.txt"), {{"filegroup.size-mismatch", W, "", 68, 8, {"0", "a.txt", "5", "7"}}},
         Delivered({7})},
        {"size unstated", Group("a.txt", 0), {}, Delivered({7})},
        {"not delivered", Group("a.txt"), {{"filegroup.contents-missing", E, "", 4, 592, {"0", "a.txt"}}},
         Delivered({std::nullopt})},
        {"index beyond", Group("a.txt"), {{"filegroup.contents-missing", E, "", 4, 592, {"0", "a.txt"}}},
         Delivered({})},
        {"folder", Group("d", 0x44, 0x10), {}, Delivered({})},
    });
}

TEST(BinaryChecks, FileGroupNames)
{
    const struct {
        const char* name;
        const char* variant;  // "" for a safe name
    } names[] = {
        {"", "empty"},          {"\\x", "absolute"},       {"/x", "absolute"},   {"C:x", "drive"},
        {"a|b", "characters"},  {"a\x1F", "characters"},   {"ab:s", "characters"},{"a\\..\\b", "parent"},
        {"../b", "parent"},     {"sub\\CON.txt", "device"}, {"lpt9", "device"},   {"nul .x", "device"},
        {"a.txt.", "trailing"}, {"dir \\x", "trailing"},   {"sub\\f.txt", ""},    {"CONSOLE.txt", ""},
        {"LPT0", ""},           {"..a", ""},
    };
    for (bool wide : {true, false}) {
        for (const auto& n : names) {
            const std::string name = n.name;
            FindingList expected;
            if (*n.variant)
                expected.push_back({"filegroup.unsafe-name", E, n.variant, 76,
                                    std::max<uint64_t>(name.size(), 1) * (wide ? 2 : 1), {"0", name}});
            EXPECT_EQ(CheckInPieces(wide ? CheckKind::FileGroupW : CheckKind::FileGroupA, Group(name, 0, 0, wide)),
                      expected) << name << (wide ? " wide" : " ANSI");
        }
    }
    // A Shift_JIS trail byte is never '|' or '\'.
    EXPECT_EQ(CheckInPieces(CheckKind::FileGroupA, Group("\x81\x7C\x95\x5C.txt", 0, 0, false)), FindingList{});
}

TEST(BinaryChecks, ShellIdList)
{
    ExpectRows(CheckKind::ShellIdList, {
        {"no count", LeBytes{}.U16(1), {{"shellidlist.offset", E, "no-count", 0, 2, {"2"}}}},
        {"table past the end", LeBytes{}.U32(3).U32(16).U32(16).U32(16),
         {{"shellidlist.offset", E, "table", 0, 4, {"3", "16"}}}},
        {"offset past the end", Cida(LeBytes{}.U16(0)).SetU32(8, 400),
         {{"shellidlist.offset", E, "outside", 8, 4, {"1", "400"}}}},
        {"offset into the table", Cida(LeBytes{}.U16(0)).SetU32(8, 4),
         {{"shellidlist.offset", E, "in-table", 8, 4, {"1", "4"}}}},
        {"SHITEMID past the end", Cida(LeBytes{}.U16(10).Zeros(4)),
         {{"shellidlist.no-terminator", E, "past-end", 14, 6, {"1"}}}},
        {"no terminator", Cida(LeBytes{}.U16(4).U16(0xAAAA)),
         {{"shellidlist.no-terminator", E, "past-end", 18, 0, {"1"}}}},
        {"cb of 1", Cida(LeBytes{}.U16(1).U16(0)), {{"shellidlist.no-terminator", E, "length-one", 14, 2, {"1"}}}},
    });
}

TEST(BinaryChecks, WhatWindowsAndBrowsersWriteHasNoFinding)
{
    LeBytes folder = LeBytes{}.U32(2);
    Record(Record(folder, true, "Reports", 0x44, 0x10), true, "Reports\\2024.txt");
    LeBytes ansi = LeBytes{}.U32(1);
    Record(ansi, false, "\x95\xF1\x8D\x90.txt");   // 報告.txt in Shift_JIS
    const struct {
        CheckKind kind;
        LeBytes bytes;
        CheckContext context;
    } payloads[] = {
        {CheckKind::Png, Png(), {}},
        {CheckKind::DropFiles,
         DropFiles(true).Utf16(u"C:\\Users\\テスト\\a.txt").U16(0).Utf16(u"\\\\srv\\s\\b.doc").U16(0).U16(0), {}},
        {CheckKind::FileGroupW, folder, Delivered({std::nullopt, 5})},
        {CheckKind::FileGroupA, ansi, Delivered({5})},
        {CheckKind::ShellIdList, Cida(LeBytes{}.U16(4).U16(0xAAAA).U16(0)), {}},
    };
    for (const auto& p : payloads)
        EXPECT_EQ(CheckInPieces(p.kind, p.bytes, p.context), FindingList{}) << static_cast<int>(p.kind);
}
