// The item identifier lists inside a CIDA ("Shell IDList Array"): a count n,
// n + 1 byte offsets, the parent folder's absolute list at the first offset and
// the items' lists, relative to that folder, at the others.
#pragma once

#include "portable/ByteReaderLayout.h"

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

// One ITEMIDLIST: `size` counts its SHITEMIDs and the 2-byte zero terminator,
// so an empty list (the desktop, as a parent) has size 2. The lists may sit at
// unaligned offsets; copy them out before handing them to the shell.
struct IdListSpan {
    uint64_t offset = 0;
    uint64_t size = 0;
};

// Where the walk of a list stopped short of its terminator: at the SHITEMID
// whose length is 1, or whose length (or the terminator) runs past the end.
struct IdListFault {
    uint64_t at = 0;
    bool lengthOne = false;
};

// The list at `offset`, or where it breaks.
std::variant<IdListSpan, IdListFault> WalkIdList(ByteSpan bytes, uint64_t offset);

// nullopt marks a list whose offset lies outside the bytes, whose SHITEMIDs
// run past the end before the terminator, or that holds an SHITEMID with a
// length of 1, and every list after the walks have covered twice the block's
// bytes (only lists that share bytes get there). The other lists are unaffected.
struct ShellIdListLayout {
    std::optional<IdListSpan> parent;
    std::vector<std::optional<IdListSpan>> items;   // items[i] is the list at offset i + 1
};

// The lists of the CIDA in `bytes`, or nullopt when the count or the table of
// offsets does not fit in them (then nothing in the block can be trusted).
std::optional<ShellIdListLayout> ReadShellIdListLayout(ByteSpan bytes);
