#include "portable/SnapshotCompare.h"

#include <algorithm>
#include <compare>
#include <map>
#include <utility>

namespace {

using Kind = SnapshotFormatDifference::Kind;

// Entries can be gigabytes; a piece this size per side keeps reads few and memory small.
constexpr size_t kPieceBytes = 1 << 20;

// What pairs a format of one snapshot with one of the other. Registered
// numbers differ between machines and sessions, so a registered format goes
// by its name alone. The media asked for do not count: a paste asks as the
// clipboard lists a format, a drop as the source offers it; the medium that
// arrived is compared on its own.
struct DescriptionKey {
    std::string registeredName;
    uint32_t number = 0;  // 0 when named
    uint32_t aspect = 0;
    int32_t lindex = 0;

    auto operator<=>(const DescriptionKey&) const = default;
};

DescriptionKey KeyOf(const ManifestFormat& format)
{
    const uint32_t number = format.registeredName.empty() ? format.number : 0;
    return {format.registeredName, number, format.aspect, format.lindex};
}

using FormatPairs = std::vector<std::pair<const ManifestNode*, const ManifestNode*>>;

// Pairs each format of `a` with one of `b` of the same description, the n-th
// occurrence in one with the n-th in the other; the labels of the rest go to
// the result's only-in lists.
FormatPairs PairFormats(const std::vector<ManifestNode>& a, const std::vector<ManifestNode>& b,
                        SnapshotComparison& result)
{
    struct Occurrences {
        std::vector<size_t> indices;
        size_t paired = 0;
    };
    // A map, not a search per format: a hostile manifest may have millions of them.
    std::map<DescriptionKey, Occurrences> inB;
    for (size_t i = 0; i < b.size(); ++i)
        inB[KeyOf(b[i].format)].indices.push_back(i);
    std::vector<bool> pairedB(b.size());
    FormatPairs pairs;
    for (const ManifestNode& node : a) {
        const auto found = inB.find(KeyOf(node.format));
        if (found == inB.end() || found->second.paired == found->second.indices.size()) {
            result.onlyInA.push_back(node.label);
            continue;
        }
        const size_t other = found->second.indices[found->second.paired++];
        pairedB[other] = true;
        pairs.emplace_back(&node, &b[other]);
    }
    for (size_t i = 0; i < b.size(); ++i) {
        if (!pairedB[i])
            result.onlyInB.push_back(b[i].label);
    }
    return pairs;
}

// One side's entry, read a piece at a time into a buffer of its own. No
// entry reads as no bytes. A failure to open or read is recorded where the
// comparer looks for it.
class CEntryStream {
public:
    CEntryStream(ISnapshotEntries& entries, bool inA, std::optional<SnapshotCompareFailure>& failure)
        : m_entries(entries), m_bInA(inA), m_failure(failure), m_buffer(kPieceBytes)
    {
    }

    bool Open(const std::string& name)
    {
        m_strName = name;
        m_nPos = m_nEnd = 0;
        m_bEnded = name.empty();
        if (m_bEnded || m_entries.Open(name))
            return true;
        Fail();
        return false;
    }

    // The bytes not compared yet, from a new piece once the last one is used
    // up; empty at the end, nullopt when reading fails.
    std::optional<ByteSpan> Unread()
    {
        if (m_nPos == m_nEnd && !m_bEnded) {
            const std::optional<size_t> count = m_entries.Read(m_buffer);
            // A count past the buffer is the reader's fault; taking it would read past the buffer.
            if (!count || *count > m_buffer.size()) {
                Fail();
                return std::nullopt;
            }
            m_nPos = 0;
            m_nEnd = *count;
            m_bEnded = *count == 0;
        }
        return ByteSpan(m_buffer).subspan(m_nPos, m_nEnd - m_nPos);
    }

    void Skip(size_t count) { m_nPos += count; }

private:
    ISnapshotEntries& m_entries;
    const bool m_bInA;
    std::optional<SnapshotCompareFailure>& m_failure;
    std::vector<uint8_t> m_buffer;
    std::string m_strName;
    size_t m_nPos = 0;
    size_t m_nEnd = 0;
    bool m_bEnded = true;

    void Fail() { m_failure = SnapshotCompareFailure{m_bInA, m_strName}; }
};

// Bytes a node names: its own, its picture's or its palette's.
struct NodeBytes {
    const std::string& entry;
    uint64_t size;
};

// Where two entries stop agreeing: at a byte, at the end of one, or at the end of both.
struct Parting {
    enum class At { Byte, OneEnd, BothEnds };
    At at;
    uint64_t offset;
};

// Walks matched formats and their descendants in tree order and stops at the
// first difference; an entry that cannot be read stops the whole comparison.
class CTreeComparer {
public:
    CTreeComparer(ISnapshotEntries& entriesA, ISnapshotEntries& entriesB)
        : m_a(entriesA, true, m_failure), m_b(entriesB, false, m_failure)
    {
    }

    // The first difference in a matched pair of formats; nullopt when there is
    // none, or when an entry could not be read (Failure()).
    std::optional<SnapshotFormatDifference> CompareFormat(const ManifestNode& a, const ManifestNode& b)
    {
        std::optional<SnapshotFormatDifference> difference = CompareNode(a, b);
        if (difference)
            difference->format = a.label;
        return difference;
    }

    const std::optional<SnapshotCompareFailure>& Failure() const { return m_failure; }

private:
    std::optional<SnapshotCompareFailure> m_failure;  // before the streams, which record into it
    CEntryStream m_a;
    CEntryStream m_b;
    std::vector<const std::string*> m_path;  // A's labels from below the format to the node compared

    static const std::vector<ManifestNode>& ChildrenOf(const ManifestNode& node)
    {
        static const std::vector<ManifestNode> none;
        return node.children ? *node.children : none;
    }

    // The node's medium, its bytes, its picture's, then each child in turn, and
    // only then how many children there are.
    std::optional<SnapshotFormatDifference> CompareNode(const ManifestNode& a, const ManifestNode& b)
    {
        if (a.medium != b.medium)
            return Difference(Kind::Medium, a.medium, b.medium, 0);
        const ManifestPicture noPicture;
        const ManifestPicture& pictureA = a.picture ? *a.picture : noPicture;
        const ManifestPicture& pictureB = b.picture ? *b.picture : noPicture;
        const std::pair<NodeBytes, NodeBytes> bytes[] = {
            {{a.entry, a.size}, {b.entry, b.size}},
            {{pictureA.entry, pictureA.size}, {pictureB.entry, pictureB.size}},
            {{pictureA.paletteEntry, pictureA.paletteSize}, {pictureB.paletteEntry, pictureB.paletteSize}},
        };
        for (const auto& [bytesA, bytesB] : bytes) {
            if (auto difference = CompareBytes(bytesA, bytesB); difference || m_failure)
                return difference;
        }
        const std::vector<ManifestNode>& childrenA = ChildrenOf(a);
        const std::vector<ManifestNode>& childrenB = ChildrenOf(b);
        for (size_t i = 0; i < std::min(childrenA.size(), childrenB.size()); ++i) {
            m_path.push_back(&childrenA[i].label);
            std::optional<SnapshotFormatDifference> difference = CompareNode(childrenA[i], childrenB[i]);
            m_path.pop_back();
            if (difference || m_failure)
                return difference;
        }
        if (childrenA.size() != childrenB.size())
            return Difference(Kind::Children, childrenA.size(), childrenB.size(), 0);
        return std::nullopt;
    }

    // The sizes are the manifest's, but the bytes decide: an entry longer or
    // shorter than its size differs in size from one that is not.
    std::optional<SnapshotFormatDifference> CompareBytes(const NodeBytes& a, const NodeBytes& b)
    {
        const std::optional<Parting> parting = Part(a.entry, b.entry);
        if (!parting || (parting->at == Parting::At::BothEnds && a.size == b.size))
            return std::nullopt;
        const bool sizes = a.size != b.size || parting->at == Parting::At::OneEnd;
        return Difference(sizes ? Kind::Size : Kind::Bytes, a.size, b.size, parting->offset);
    }

    // Streams both entries side by side; their pieces need not line up.
    std::optional<Parting> Part(const std::string& entryA, const std::string& entryB)
    {
        if (!m_a.Open(entryA) || !m_b.Open(entryB))
            return std::nullopt;
        for (uint64_t offset = 0;;) {
            const std::optional<ByteSpan> a = m_a.Unread();
            const std::optional<ByteSpan> b = a ? m_b.Unread() : std::nullopt;
            if (!b)
                return std::nullopt;
            if (a->empty() || b->empty())
                return Parting{a->empty() && b->empty() ? Parting::At::BothEnds : Parting::At::OneEnd, offset};
            const size_t common = std::min(a->size(), b->size());
            const size_t same = static_cast<size_t>(std::mismatch(a->begin(), a->begin() + common, b->begin()).first -
                                                    a->begin());
            if (same < common)
                return Parting{Parting::At::Byte, offset + same};
            m_a.Skip(common);
            m_b.Skip(common);
            offset += common;
        }
    }

    SnapshotFormatDifference Difference(Kind kind, uint64_t sizeA, uint64_t sizeB, uint64_t offset) const
    {
        SnapshotFormatDifference difference;
        for (size_t i = 0; i < m_path.size(); ++i) {
            if (i > 0)
                difference.node += " / ";
            difference.node += *m_path[i];
        }
        difference.kind = kind;
        difference.sizeA = sizeA;
        difference.sizeB = sizeB;
        difference.offset = offset;
        return difference;
    }
};

} // namespace

std::optional<SnapshotCompareFailure> CompareSnapshots(const SnapshotManifest& a, ISnapshotEntries& entriesA,
                                                       const SnapshotManifest& b, ISnapshotEntries& entriesB,
                                                       SnapshotComparison& result)
{
    result = {};
    CTreeComparer comparer(entriesA, entriesB);
    for (const auto& [formatA, formatB] : PairFormats(a.nodes, b.nodes, result)) {
        std::optional<SnapshotFormatDifference> difference = comparer.CompareFormat(*formatA, *formatB);
        if (comparer.Failure())
            return comparer.Failure();
        if (difference)
            result.different.push_back(std::move(*difference));
    }
    return std::nullopt;
}
