// Comparing two snapshots format by format: which descriptions only one of
// them has, and for those both have, the first node whose medium, bytes or
// children differ, with the first differing byte.
#pragma once

#include "portable/SnapshotManifest.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The bytes of one snapshot's entries, read piece by piece; one entry is open at a time.
class ISnapshotEntries {
public:
    // Opens entry `name` (a manifest `entry`, or a picture's `entry`/`paletteEntry`);
    // false when it cannot be read.
    virtual bool Open(const std::string& name) = 0;
    // Fills up to out.size() bytes of the open entry; the count, 0 at its end,
    // nullopt when reading fails.
    virtual std::optional<size_t> Read(std::span<uint8_t> out) = 0;

protected:
    ~ISnapshotEntries() = default;
};

struct SnapshotFormatDifference {
    std::string format;  // the top-level node's label (manifest `label`) in A
    // The labels in A from below the format down to the node that differs, joined
    // by " / "; empty when it is the format's own node.
    std::string node;
    // Size and Bytes are about the node's own bytes or its picture's; Children
    // about the number of children once those in common were the same.
    enum class Kind { Size, Bytes, Children, Medium } kind = Kind::Bytes;
    // The manifest sizes (Size, Bytes), the child counts (Children), the TYMED
    // that arrived (Medium).
    uint64_t sizeA = 0;
    uint64_t sizeB = 0;
    // The first byte that differs (Size, Bytes); for bytes that differ in length
    // with one a prefix of the other, the shorter length.
    uint64_t offset = 0;
};

struct SnapshotComparison {
    std::vector<std::string> onlyInA;  // labels, in A's order
    std::vector<std::string> onlyInB;  // labels, in B's order
    std::vector<SnapshotFormatDifference> different;  // in A's order, one per format at most
    bool Equal() const { return onlyInA.empty() && onlyInB.empty() && different.empty(); }
};

// Why a comparison could not be made.
struct SnapshotCompareFailure {
    bool inA = true;       // which snapshot
    std::string entry;     // the entry that could not be read
};

// Compares `a` and `b`; reads entries through `entriesA`/`entriesB`. Returns the failure
// when an entry cannot be read: `result` then has every format only one side has, and
// the differences of the formats compared before it.
std::optional<SnapshotCompareFailure> CompareSnapshots(const SnapshotManifest& a, ISnapshotEntries& entriesA,
                                                       const SnapshotManifest& b, ISnapshotEntries& entriesB,
                                                       SnapshotComparison& result);
