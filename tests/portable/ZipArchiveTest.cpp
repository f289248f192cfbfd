#include "portable/ZipArchive.h"
#include "portable/ZipRecords.h"
#include "ZipTestArchive.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// What a snapshot holds: the manifest, then nodes of every size.
const EntryTexts kSnapshot = {{"manifest.json", "{\"nodes\":3}"},
                           {"nodes/000001.bin", ""},
                           {"nodes/000002.bin", "x"},
                           {"nodes/クリップボード.bin", Pattern(100'000)}};

const std::vector<HandEntry> kHandEntries = {StoredEntry("manifest.json", "{}"),
                                             DeflatedEntry("nodes/000001.bin", Pattern(50'000)),
                                             StoredEntry("nodes/000002.bin", "two")};

} // namespace

TEST(ZipArchive, ReadsBackWhatItWrote)
{
    CMemorySink sink;
    ASSERT_TRUE(WriteEntries(sink, kSnapshot));
    CMemorySource source(sink.Bytes());
    std::vector<ZipEntry> entries;
    ASSERT_EQ(ReadZipDirectory(source, entries), ZipError::None);
    ASSERT_EQ(entries.size(), kSnapshot.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const auto& [name, text] = kSnapshot[i];
        EXPECT_EQ(entries[i].name, name);
        EXPECT_EQ(entries[i].method, ZipMethod::Stored);
        EXPECT_EQ(entries[i].size, text.size());
        EXPECT_EQ(entries[i].crc32, Crc(text));
        std::string read;
        EXPECT_EQ(ReadEntry(source, entries[i], read, 999), ZipError::None);
        EXPECT_EQ(read, text) << name;
    }
}

TEST(ZipArchive, WriterRefusesEverythingAfterAMisuseOrASinkFailure)
{
    const struct {
        const char* what;
        int failingCall;
        std::function<bool(CZipWriter&)> steps;
    } cases[] = {
        {"more bytes than the size", -1,
         [](CZipWriter& w) { return w.BeginEntry("a", 1) && w.WriteData(Bytes("ab")); }},
        {"fewer bytes than the size", -1,
         [](CZipWriter& w) { return w.BeginEntry("a", 3) && w.WriteData(Bytes("ab")) && w.EndEntry(); }},
        {"finishing with an entry open", -1, [](CZipWriter& w) { return w.BeginEntry("a", 0) && w.Finish(); }},
        {"an entry inside an entry", -1, [](CZipWriter& w) { return w.BeginEntry("a", 0) && w.BeginEntry("b", 0); }},
        {"bytes outside an entry", -1, [](CZipWriter& w) { return w.WriteData(Bytes("a")); }},
        {"an entry after the end", -1, [](CZipWriter& w) { return w.Finish() && w.BeginEntry("a", 0); }},
        {"a name the reader refuses", -1, [](CZipWriter& w) { return w.BeginEntry("nodes/../a", 0); }},
        {"a name written before", -1,
         [](CZipWriter& w) { return w.BeginEntry("a", 0) && w.EndEntry() && w.BeginEntry("a", 0); }},
        {"the sink refusing a header", 0, [](CZipWriter& w) { return w.BeginEntry("a", 0); }},
        {"the sink refusing the CRC", 2,
         [](CZipWriter& w) { return w.BeginEntry("a", 1) && w.WriteData(Bytes("x")) && w.EndEntry(); }},
        {"the sink refusing the directory", 1,
         [](CZipWriter& w) { return w.BeginEntry("a", 0) && w.EndEntry() && w.Finish(); }},
    };
    for (const auto& c : cases) {
        CMemorySink sink(c.failingCall);
        CZipWriter writer(sink, 0, 0);
        EXPECT_FALSE(c.steps(writer)) << c.what;
        EXPECT_FALSE(writer.BeginEntry("next", 0)) << c.what;
        EXPECT_FALSE(writer.Finish()) << c.what;
    }
}

TEST(ZipArchive, WritesZip64EndRecordsFrom65535Entries)
{
    // 0xFFFF is the classic count's marker, so it takes ZIP64 already.
    CMemorySink sink;
    CZipWriter writer(sink, 0, 0);
    for (size_t i = 0; i < 0xFFFF; ++i)
        ASSERT_TRUE(writer.BeginEntry(NodeName(i), 0) && writer.EndEntry());
    ASSERT_TRUE(writer.Finish());
    const ByteSpan bytes(sink.Bytes());
    EXPECT_EQ(*ReadU32(bytes, bytes.size() - kZipEndSize - kZip64LocatorSize), kZip64LocatorSignature);
    CMemorySource source(bytes);
    std::vector<ZipEntry> entries;
    ASSERT_EQ(ReadZipDirectory(source, entries), ZipError::None);
    ASSERT_EQ(entries.size(), 0xFFFFu);
    EXPECT_EQ(entries.back().name, NodeName(0xFFFE));
}

TEST(ZipArchive, WritesZip64FieldsForEntriesPast4GiB)
{
    LargeArchive& large = SharedLargeArchive();
    ASSERT_TRUE(large.written);
    std::vector<ZipEntry> entries;
    ASSERT_EQ(ReadZipDirectory(large.archive, entries), ZipError::None);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_GT(entries[2].localHeaderOffset, kLargeEntrySize);
    for (const ZipEntry& entry : {entries[1], entries[2]}) {
        EXPECT_EQ(entry.size, kLargeEntrySize);
        EXPECT_EQ(entry.compressedSize, kLargeEntrySize);
        // The local header carries both sizes too, for archivers that read front to back.
        std::vector<uint8_t> local(entry.dataOffset - entry.localHeaderOffset);
        ASSERT_TRUE(large.archive.ReadAt(entry.localHeaderOffset, local));
        const uint64_t extra = kZipLocalSize + entry.name.size();
        EXPECT_EQ(*ReadU32(local, kZipLocalSize32), kZipMarker32);
        EXPECT_EQ(*ReadU16(local, extra), kZip64ExtraId);
        EXPECT_EQ(*ReadU64(local, extra + 4), kLargeEntrySize);
        EXPECT_EQ(*ReadU64(local, extra + 12), kLargeEntrySize);

        std::vector<uint8_t> head(kLargeEntryHead.size()), tail(kLargeEntryTail.size());
        ASSERT_TRUE(large.archive.ReadAt(entry.dataOffset, head));
        ASSERT_TRUE(large.archive.ReadAt(entry.dataOffset + entry.size - tail.size(), tail));
        EXPECT_EQ(head, Bytes(kLargeEntryHead));
        EXPECT_EQ(tail, Bytes(kLargeEntryTail));
    }
    std::string after;
    EXPECT_EQ(ReadEntry(large.archive, entries[3], after), ZipError::None);
    EXPECT_EQ(after, "after");
}

TEST(ZipArchive, ReadsDeflatedEntriesFoldersZip64RecordsAndDataDescriptors)
{
    const std::vector<HandEntry> entries = {StoredEntry("manifest.json", "{}"), StoredEntry("nodes/", ""),
                                            DeflatedEntry("nodes/000001.bin", Pattern(200'000)),
                                            DeflatedEntry("nodes/000002.bin", "")};
    const EntryTexts expected = {{"manifest.json", "{}"}, {"nodes/", ""}, {"nodes/000001.bin", Pattern(200'000)},
                              {"nodes/000002.bin", ""}};
    const struct {
        const char* what;
        bool zip64;
        std::function<void(HandArchive&)> bend;
    } cases[] = {
        {"classic records", false, [](HandArchive&) {}},
        {"ZIP64 records", true, [](HandArchive&) {}},
        {"streamed: CRC and sizes after the data", false, [](HandArchive& a) {
             a.Set16(a.local[2] + kZipLocalFlags, kZipFlagUtf8 | kZipFlagDataDescriptor);
             a.Set32(a.local[2] + kZipLocalCrc, 0);
             a.Set32(a.local[2] + kZipLocalCompressedSize, 0);
             a.Set32(a.local[2] + kZipLocalSize32, 0);
         }},
    };
    for (const auto& c : cases) {
        HandArchive archive = BuildArchive(entries, c.zip64);
        c.bend(archive);
        EntryTexts read;
        EXPECT_EQ(ReadArchive(archive.bytes, read), ZipError::None) << c.what;
        EXPECT_EQ(read, expected) << c.what;
    }
}

TEST(ZipArchive, RefusesHostileDirectories)
{
    using Bend = std::function<void(HandArchive&)>;
    const auto rebuilt = [](std::vector<HandEntry> entries, bool zip64, Bend bend = {}) -> Bend {
        return [=](HandArchive& a) {
            a = BuildArchive(entries, zip64);
            if (bend)
                bend(a);
        };
    };
    const auto count = [](uint16_t entries) -> Bend {
        return [=](HandArchive& a) {
            a.Set16(a.end + kZipEndEntries, entries);
            a.Set16(a.end + kZipEndDiskEntries, entries);
        };
    };
    // Both sizes in both records of entry `index`, stored.
    const auto sizes = [](size_t index, std::function<uint32_t(const HandArchive&)> size) -> Bend {
        return [=](HandArchive& a) {
            for (const uint64_t field : {kZipCentralCompressedSize, kZipCentralSize32})
                a.Set32(a.central[index] + field, size(a));
            for (const uint64_t field : {kZipLocalCompressedSize, kZipLocalSize32})
                a.Set32(a.local[index] + field, size(a));
            a.Set16(a.central[index] + kZipCentralMethod, 0);
            a.Set16(a.local[index] + kZipLocalMethod, 0);
        };
    };
    const std::string first = kHandEntries[1].name, second = kHandEntries[2].name;
    const struct {
        const char* what;
        ZipError error;
        std::string badName;
        Bend bend;
    } cases[] = {
        {"no bytes", ZipError::NotAnArchive, "", [](HandArchive& a) { a.bytes.clear(); }},
        {"cut inside the end record", ZipError::NotAnArchive, "", [](HandArchive& a) { a.bytes.pop_back(); }},
        {"cut inside the directory", ZipError::NotAnArchive, "", [](HandArchive& a) { a.bytes.resize(a.central[1]); }},
        {"bytes missing before the directory", ZipError::Truncated, "",
         [](HandArchive& a) { a.bytes.erase(a.bytes.begin() + 100, a.bytes.begin() + 200); }},
        {"a comment past the end", ZipError::Truncated, "",
         [](HandArchive& a) { a.Set16(a.end + kZipEndCommentLength, 1); }},
        {"a comment holding an end signature", ZipError::None, "",
         [](HandArchive& a) {
             LeBytes comment;
             comment.U32(kZipEndSignature).Zeros(16).U16(0x7777).Zeros(8);
             a.Set16(a.end + kZipEndCommentLength, static_cast<uint16_t>(comment.Size()));
             a.bytes.insert(a.bytes.end(), comment.Vector().begin(), comment.Vector().end());
         }},
        {"a directory offset that lies", ZipError::BadDirectory, "",
         [](HandArchive& a) { a.Set32(a.end + kZipEndDirectoryOffset, a.central[0] - 1); }},
        {"more entries claimed than recorded", ZipError::BadDirectory, "", count(4)},
        {"fewer entries claimed than recorded", ZipError::BadDirectory, "", count(2)},
        {"entries on other disks", ZipError::BadDirectory, "",
         [](HandArchive& a) { a.Set16(a.end + kZipEndDiskEntries, 2); }},
        {"too many entries claimed", ZipError::TooLarge, "",
         rebuilt(kHandEntries, true, [](HandArchive& a) {
             a.Set64(a.zip64End + kZip64EndEntries, 4'000'001);
             a.Set64(a.zip64End + kZip64EndDiskEntries, 4'000'001);
         })},
        {"a directory of 300 MiB claimed", ZipError::TooLarge, "",
         [](HandArchive& a) { a.Set32(a.end + kZipEndDirectorySize, 300 << 20); }},
        {"end records that disagree", ZipError::BadDirectory, "",
         rebuilt(kHandEntries, true, [](HandArchive& a) { a.Set16(a.end + kZipEndEntries, 2); })},
        {"a second disk", ZipError::BadDirectory, "", [](HandArchive& a) { a.Set16(a.end + kZipEndDisk, 1); }},
        {"a second disk behind ZIP64 records", ZipError::BadDirectory, "",
         rebuilt(kHandEntries, true, [](HandArchive& a) { a.Set16(a.end + kZipEndDisk, 1); })},
        {"an entry on a second disk", ZipError::BadDirectory, first,
         [](HandArchive& a) { a.Set16(a.central[1] + kZipCentralDisk, 1); }},
        {"a ZIP64 marker without its extra field", ZipError::BadDirectory, first,
         [](HandArchive& a) { a.Set32(a.central[1] + kZipCentralSize32, kZipMarker32); }},
        {"stored sizes that differ", ZipError::BadDirectory, second,
         [](HandArchive& a) { a.Set32(a.central[2] + kZipCentralSize32, 4); }},
        {"a folder with bytes", ZipError::BadDirectory, "nodes/", rebuilt({StoredEntry("nodes/", "abc")}, false)},
        {"encrypted", ZipError::Encrypted, first,
         [](HandArchive& a) { a.Set16(a.central[1] + kZipCentralFlags, kZipFlagUtf8 | kZipFlagEncrypted); }},
        {"bzip2", ZipError::UnsupportedMethod, first,
         [](HandArchive& a) {
             a.Set16(a.central[1] + kZipCentralMethod, 12);
             a.Set16(a.local[1] + kZipLocalMethod, 12);
         }},
        {"a duplicate name", ZipError::DuplicateName, "a",
         rebuilt({StoredEntry("a", "1"), StoredEntry("b", "2"), StoredEntry("a", "3")}, false)},
        {"a local header offset that lies", ZipError::BadLocalHeader, first,
         [](HandArchive& a) { a.Set32(a.central[1] + kZipCentralLocalOffset, a.local[0]); }},
        {"a local header past the end", ZipError::Truncated, first,
         [](HandArchive& a) { a.Set32(a.central[1] + kZipCentralLocalOffset, 0x7FFFFFFF); }},
        {"a local CRC that differs", ZipError::BadLocalHeader, second,
         [](HandArchive& a) { a.Set32(a.local[2] + kZipLocalCrc, 1); }},
        {"a local size that differs", ZipError::BadLocalHeader, first,
         [](HandArchive& a) { a.Set32(a.local[1] + kZipLocalSize32, 1); }},
        {"a local name that differs", ZipError::BadLocalHeader, second,
         [](HandArchive& a) { a.bytes[a.local[2] + kZipLocalSize] = 'N'; }},
        {"a local method that differs", ZipError::BadLocalHeader, first,
         [](HandArchive& a) { a.Set16(a.local[1] + kZipLocalMethod, 0); }},
        {"sizes that lie into the directory", ZipError::Overlap, second, sizes(2, [](auto&) { return 50; })},
        {"sizes that lie past the end", ZipError::Truncated, second, sizes(2, [](auto&) { return 1 << 20; })},
        {"an entry whose bytes hold the next one", ZipError::Overlap, second,
         sizes(1, [](const HandArchive& a) { return static_cast<uint32_t>(a.local[2] - a.local[1] + 3); })},
    };
    for (const auto& c : cases) {
        HandArchive archive = BuildArchive(kHandEntries);
        c.bend(archive);
        CMemorySource source(archive.bytes);
        std::vector<ZipEntry> entries;
        std::string badName = "unset";
        EXPECT_EQ(ReadZipDirectory(source, entries, &badName), c.error) << c.what;
        EXPECT_EQ(badName, c.badName) << c.what;
        EXPECT_EQ(entries.empty(), c.error != ZipError::None) << c.what;
    }
}

TEST(ZipArchive, RefusesUnsafeNames)
{
    const std::string names[] = {"", "..", "nodes/../x", "./x", "nodes/.", "/abs", "//server/x", "C:x", "nodes\\x",
                                 std::string("a\0b", 3), "a:b", "a//b", "nodes//", std::string(4097, 'n'),
                                 "CON.bin", "nul", "a.", "a /b", "nodes/com1.txt", "Lpt9", "aux .tar.gz", "prn/x"};
    for (const std::string& name : names) {
        const HandArchive archive = BuildArchive({StoredEntry("manifest.json", "{}"), StoredEntry(name, "")});
        EntryTexts read;
        std::string badName = "unset";
        EXPECT_EQ(ReadArchive(archive.bytes, read, &badName), ZipError::UnsafeName) << name;
        EXPECT_EQ(badName, name);
        CMemorySink sink;
        EXPECT_FALSE(CZipWriter(sink, 0, 0).BeginEntry(name, 0)) << name;
    }
    std::vector<HandEntry> windowsNames;
    for (const char* name : {"CONSOLE.bin", "com10", "com0.txt", "nodes/.hidden", "a.b/c", "nul-ish", "lpt.txt", "nodes/"})
        windowsNames.push_back(StoredEntry(name, ""));
    windowsNames.push_back(StoredEntry(std::string(4096, 'n'), ""));
    EntryTexts read;
    EXPECT_EQ(ReadArchive(BuildArchive(windowsNames).bytes, read), ZipError::None);
}

TEST(ZipArchive, EntryReaderRefusesBytesThatDisagreeWithTheDirectory)
{
    const auto bent = [](HandEntry entry, const std::function<void(HandEntry&)>& bend) {
        bend(entry);
        return entry;
    };
    const std::string text = Pattern(3000);
    const struct {
        const char* what;
        HandEntry entry;
        ZipError error;
    } cases[] = {
        {"stored, wrong CRC", bent(StoredEntry("a", text), [](HandEntry& e) { e.crc ^= 1; }), ZipError::BadCrc},
        {"deflated, wrong CRC", bent(DeflatedEntry("a", text), [](HandEntry& e) { e.crc ^= 1; }), ZipError::BadCrc},
        {"inflates past the size", bent(DeflatedEntry("a", text), [](HandEntry& e) { e.size = 2999; }),
         ZipError::BadCompressedData},
        {"inflates short of the size", bent(DeflatedEntry("a", text), [](HandEntry& e) { e.size = 3001; }),
         ZipError::BadCompressedData},
        {"a stream cut short",
         bent(DeflatedEntry("a", text), [](HandEntry& e) { e.stored.resize(e.stored.size() / 2); }),
         ZipError::BadCompressedData},
        {"no deflate stream", bent(DeflatedEntry("a", text), [](HandEntry& e) { e.stored.assign(40, 0xFF); }),
         ZipError::BadCompressedData},
        {"an empty entry without its stream", bent(DeflatedEntry("a", ""), [](HandEntry& e) { e.stored.clear(); }),
         ZipError::BadCompressedData},
    };
    for (const auto& c : cases) {
        const HandArchive archive = BuildArchive({c.entry});
        CMemorySource source(archive.bytes);
        std::vector<ZipEntry> entries;
        ASSERT_EQ(ReadZipDirectory(source, entries), ZipError::None) << c.what;
        CZipEntryReader reader(source, entries[0]);
        std::vector<uint8_t> buffer(1024);
        size_t produced = 0, total = 0;
        ZipError error = ZipError::None;
        while ((error = reader.Read(buffer, produced)) == ZipError::None && produced > 0)
            total += produced;
        EXPECT_EQ(error, c.error) << c.what;
        EXPECT_LE(total, c.entry.size) << c.what;
        EXPECT_EQ(reader.Read(buffer, produced), c.error) << c.what;
        EXPECT_EQ(produced, 0u) << c.what;
    }
}

TEST(ZipArchive, EntryReaderReportsASourceThatFails)
{
    const HandArchive archive = BuildArchive(kHandEntries);
    for (const size_t index : {1, 2}) {
        CMemorySource source(archive.bytes);
        std::vector<ZipEntry> entries;
        ASSERT_EQ(ReadZipDirectory(source, entries), ZipError::None);
        source.FailReads();
        std::string text;
        EXPECT_EQ(ReadEntry(source, entries[index], text), ZipError::ReadFailed) << entries[index].name;
    }
}
