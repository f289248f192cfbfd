#include "portable/SnapshotCompare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using Kind = SnapshotFormatDifference::Kind;
using Labels = std::vector<std::string>;

constexpr uint32_t kHGlobal = 1;
constexpr uint32_t kIStream = 4;
constexpr uint32_t kIStorage = 8;
constexpr uint32_t kGdi = 16;

// Entries in memory, handed out at most `m_nPiece` bytes a read.
class CMemoryEntries : public ISnapshotEntries {
public:
    std::map<std::string, std::string> m_entries;
    size_t m_nPiece = SIZE_MAX;
    std::string m_strBroken;  // opens, but every read answers `m_brokenRead`
    std::optional<size_t> m_brokenRead;

    bool Open(const std::string& name) override
    {
        const auto found = m_entries.find(name);
        m_pOpen = found == m_entries.end() ? nullptr : &*found;
        m_nPos = 0;
        return m_pOpen;
    }

    std::optional<size_t> Read(std::span<uint8_t> out) override
    {
        if (m_pOpen->first == m_strBroken)
            return m_brokenRead;
        const size_t count = std::min({out.size(), m_pOpen->second.size() - m_nPos, m_nPiece});
        std::copy_n(m_pOpen->second.begin() + static_cast<ptrdiff_t>(m_nPos), count, out.begin());
        m_nPos += count;
        return count;
    }

private:
    const std::pair<const std::string, std::string>* m_pOpen = nullptr;
    size_t m_nPos = 0;
};

struct CSnapshot {
    SnapshotManifest manifest;
    CMemoryEntries entries;

    // Keeps `bytes` under an entry of their own, named in `entry` and `size`.
    void Put(std::string& entry, uint64_t& size, std::string bytes)
    {
        entry = "nodes/" + std::to_string(entries.m_entries.size() + 1) + ".bin";
        size = bytes.size();
        entries.m_entries[entry] = std::move(bytes);
    }

    ManifestNode Data(const std::string& label, uint32_t number, uint32_t tymed, const std::string& bytes)
    {
        ManifestNode node{.label = label, .format = {number, {}, 1, -1, tymed}, .medium = tymed};
        Put(node.entry, node.size, bytes);
        return node;
    }
};

// Text, a storage holding a storage, and a bitmap with a palette.
CSnapshot Sample()
{
    CSnapshot s;
    ManifestNode inner{.label = "Inner", .medium = kIStorage};
    inner.children = std::vector{s.Data("Deep", 0, kIStream, "xyz"), s.Data("Other", 0, kIStream, "q")};
    ManifestNode storage{.label = "\"Embed Source\"", .format = {0xC010, "Embed Source", 1, -1, kIStorage},
                         .medium = kIStorage, .children = std::vector{inner}};
    ManifestNode bitmap{.kind = ManifestNodeKind::Bitmap, .label = "CF_BITMAP", .format = {2, {}, 1, -1, kGdi},
                        .medium = kGdi, .picture = ManifestPicture{}};
    s.Put(bitmap.picture->entry, bitmap.picture->size, "BM picture");
    s.Put(bitmap.picture->paletteEntry, bitmap.picture->paletteSize, "1230");
    s.manifest.nodes = {s.Data("CF_TEXT", 1, kHGlobal, "hello"), storage, bitmap};
    return s;
}

ManifestNode& Text(CSnapshot& s) { return s.manifest.nodes[0]; }
ManifestNode& Storage(CSnapshot& s) { return s.manifest.nodes[1]; }
ManifestNode& Inner(CSnapshot& s) { return Storage(s).children->at(0); }
ManifestNode& Deep(CSnapshot& s) { return Inner(s).children->at(0); }
ManifestPicture& Picture(CSnapshot& s) { return *s.manifest.nodes[2].picture; }

// One line per difference, so that a failure shows every field.
Labels Describe(const std::vector<SnapshotFormatDifference>& differences)
{
    constexpr const char* kKinds[] = {"Size", "Bytes", "Children", "Medium"};
    Labels lines;
    for (const auto& d : differences) {
        lines.push_back(d.format + " | " + d.node + " | " + kKinds[static_cast<int>(d.kind)] + " " +
                        std::to_string(d.sizeA) + " " + std::to_string(d.sizeB) + " @" + std::to_string(d.offset));
    }
    return lines;
}

SnapshotComparison Compare(CSnapshot& a, CSnapshot& b)
{
    SnapshotComparison result;
    const auto failure = CompareSnapshots(a.manifest, a.entries, b.manifest, b.entries, result);
    EXPECT_FALSE(failure) << failure->entry;
    return result;
}

struct Change {
    const char* name;
    std::function<void(CSnapshot&)> toB;
    std::vector<SnapshotFormatDifference> expected;
};

class SnapshotChangeTest : public testing::TestWithParam<Change> {};

TEST_P(SnapshotChangeTest, FindsTheFirstDifferenceOfEachFormat)
{
    CSnapshot a = Sample();
    CSnapshot b = Sample();
    GetParam().toB(b);
    const SnapshotComparison result = Compare(a, b);
    EXPECT_EQ(Describe(result.different), Describe(GetParam().expected));
    EXPECT_EQ(result.Equal(), GetParam().expected.empty());
}

const std::string kStorage = "\"Embed Source\"";

INSTANTIATE_TEST_SUITE_P(
    Cases, SnapshotChangeTest,
    testing::Values(
        Change{"OnlyLabelsRowsAndWhenAndWhereDiffer",
               [](CSnapshot& b) {
                   Deep(b).label = "別名";
                   Deep(b).rows = {{"エラー\t読めません", true}};
                   b.manifest.title = "ドロップデータ 12:34:56";
                   b.manifest.owner = ManifestOwner{0x10042, "Notepad"};
                   Text(b).children.emplace();  // an empty child list, like none
               },
               {}},
        Change{"AByte", [](CSnapshot& b) { b.Put(Text(b).entry, Text(b).size, "hellO"); },
               {{"CF_TEXT", "", Kind::Bytes, 5, 5, 4}}},
        Change{"LongerWithTheSameStart", [](CSnapshot& b) { b.Put(Text(b).entry, Text(b).size, "hello, world"); },
               {{"CF_TEXT", "", Kind::Size, 5, 12, 5}}},
        Change{"AnotherSizeAndByte", [](CSnapshot& b) { b.Put(Text(b).entry, Text(b).size, "jello!"); },
               {{"CF_TEXT", "", Kind::Size, 5, 6, 0}}},
        Change{"AnEntryLongerThanItsSize", [](CSnapshot& b) { b.entries.m_entries[Text(b).entry] += "!"; },
               {{"CF_TEXT", "", Kind::Size, 5, 5, 5}}},
        Change{"AMedium", [](CSnapshot& b) { Text(b).medium = kIStream; },
               {{"CF_TEXT", "", Kind::Medium, kHGlobal, kIStream, 0}}},
        Change{"DeepInAStorage", [](CSnapshot& b) { b.Put(Deep(b).entry, Deep(b).size, "xYz"); },
               {{kStorage, "Inner / Deep", Kind::Bytes, 3, 3, 1}}},
        Change{"AChildMore", [](CSnapshot& b) { Inner(b).children->push_back(Deep(b)); },
               {{kStorage, "Inner", Kind::Children, 2, 3, 0}}},
        Change{"AChildDifferingBeforeTheCount",
               [](CSnapshot& b) {
                   Deep(b).medium = kHGlobal;
                   Storage(b).children->push_back(Inner(b));
               },
               {{kStorage, "Inner / Deep", Kind::Medium, kIStream, kHGlobal, 0}}},
        Change{"APictureByte", [](CSnapshot& b) { b.Put(Picture(b).entry, Picture(b).size, "BM pictur_"); },
               {{"CF_BITMAP", "", Kind::Bytes, 10, 10, 9}}},
        Change{"EveryFormatInAsOrder",
               [](CSnapshot& b) {
                   b.Put(Picture(b).paletteEntry, Picture(b).paletteSize, "12304560");
                   b.Put(Deep(b).entry, Deep(b).size, "x");
                   b.Put(Text(b).entry, Text(b).size, "Hello");
               },
               {{"CF_TEXT", "", Kind::Bytes, 5, 5, 0},
                {kStorage, "Inner / Deep", Kind::Size, 3, 1, 1},
                {"CF_BITMAP", "", Kind::Size, 4, 8, 4}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SnapshotCompare, PairsFormatsByDescriptionAndRegisteredName)
{
    const struct {
        const char* what;
        std::function<void(ManifestFormat&)> toB;
        bool paired;
    } cases[] = {
        {"another number for the registered name", [](ManifestFormat& f) { f.number = 0xC0AA; }, true},
        {"another registered name", [](ManifestFormat& f) { f.registeredName = "Link Source"; }, false},
        {"the number without a name", [](ManifestFormat& f) { f.registeredName.clear(); }, false},
        {"another aspect", [](ManifestFormat& f) { f.aspect = 4; }, false},
        {"another index", [](ManifestFormat& f) { f.lindex = 0; }, false},
        {"another medium asked for", [](ManifestFormat& f) { f.tymed = kIStream; }, true},
    };
    for (const auto& c : cases) {
        CSnapshot a = Sample();
        CSnapshot b = Sample();
        c.toB(Storage(b).format);
        Storage(b).label = "B's";
        const SnapshotComparison result = Compare(a, b);
        EXPECT_TRUE(result.different.empty()) << c.what;
        EXPECT_EQ(result.onlyInA, c.paired ? Labels{} : Labels{kStorage}) << c.what;
        EXPECT_EQ(result.onlyInB, c.paired ? Labels{} : Labels{"B's"}) << c.what;
    }
}

TEST(SnapshotCompare, PairsRepeatedDescriptionsInOrder)
{
    CSnapshot a;
    CSnapshot b;
    a.manifest.nodes = {a.Data("1st", 1, kHGlobal, "x"), a.Data("2nd", 1, kHGlobal, "y"),
                        a.Data("3rd", 1, kHGlobal, "z")};
    b.manifest.nodes = {b.Data("CF_LOCALE", 16, kHGlobal, "1041"), b.Data("1st", 1, kHGlobal, "x"),
                        b.Data("CF_HDROP", 15, kHGlobal, ""), b.Data("2nd", 1, kHGlobal, "Y")};
    const SnapshotComparison result = Compare(a, b);
    EXPECT_EQ(Describe(result.different), Describe({{"2nd", "", Kind::Bytes, 1, 1, 0}}));
    EXPECT_EQ(result.onlyInA, Labels{"3rd"});
    EXPECT_EQ(result.onlyInB, (Labels{"CF_LOCALE", "CF_HDROP"}));
}

TEST(SnapshotCompare, AnUnreadableEntryStopsAndIsNamedKeepingWhatWasFoundBefore)
{
    const struct {
        const char* what;
        bool inA;
        bool missing;
        std::optional<size_t> read;
    } cases[] = {
        {"missing in A", true, true, {}},
        {"failing in B", false, false, std::nullopt},
        {"claiming more than it was asked for in A", true, false, SIZE_MAX},
    };
    for (const auto& c : cases) {
        CSnapshot a = Sample();
        CSnapshot b = Sample();
        b.Put(Text(b).entry, Text(b).size, "hellO");
        b.manifest.nodes.push_back(b.Data("CF_LOCALE", 16, kHGlobal, "1041"));
        CSnapshot& spoilt = c.inA ? a : b;
        const std::string entry = Picture(spoilt).entry;
        if (c.missing)
            spoilt.entries.m_entries.erase(entry);
        spoilt.entries.m_strBroken = entry;
        spoilt.entries.m_brokenRead = c.read;
        SnapshotComparison result;
        const auto failure = CompareSnapshots(a.manifest, a.entries, b.manifest, b.entries, result);
        ASSERT_TRUE(failure) << c.what;
        EXPECT_EQ(failure->inA, c.inA) << c.what;
        EXPECT_EQ(failure->entry, entry) << c.what;
        EXPECT_EQ(Describe(result.different), Describe({{"CF_TEXT", "", Kind::Bytes, 5, 5, 4}})) << c.what;
        EXPECT_EQ(result.onlyInB, Labels{"CF_LOCALE"}) << c.what;
    }
}

TEST(SnapshotCompare, LargeEntriesAreComparedPastThePieceBoundary)
{
    constexpr size_t kSize = 3u << 20;
    constexpr size_t kDiffering = (2u << 20) + 5;
    std::string bytes(kSize, '\0');
    for (size_t i = 0; i < kSize; ++i)
        bytes[i] = static_cast<char>(i * 7 % 251);
    CSnapshot a;
    CSnapshot b;
    a.manifest.nodes = {a.Data("CF_DIB", 8, kHGlobal, bytes)};
    bytes[kDiffering] ^= 1;
    b.manifest.nodes = {b.Data("CF_DIB", 8, kHGlobal, bytes)};
    // Pieces that line up, and pieces that do not.
    const std::pair<size_t, size_t> pieces[] = {{SIZE_MAX, SIZE_MAX}, {700'001, 999'983}};
    for (const auto& [pieceA, pieceB] : pieces) {
        a.entries.m_nPiece = pieceA;
        b.entries.m_nPiece = pieceB;
        EXPECT_EQ(Describe(Compare(a, b).different), Describe({{"CF_DIB", "", Kind::Bytes, kSize, kSize, kDiffering}}));
    }
    bytes[kDiffering] ^= 1;
    b.manifest.nodes = {b.Data("CF_DIB", 8, kHGlobal, bytes + "+")};
    EXPECT_EQ(Describe(Compare(a, b).different), Describe({{"CF_DIB", "", Kind::Size, kSize, kSize + 1, kSize}}));
}

} // namespace
