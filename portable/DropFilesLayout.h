// The paths of a CF_HDROP block: a DROPFILES header (pFiles, pt, fNC, fWide)
// and, at pFiles, NUL-terminated paths ended by an empty one.
#pragma once

#include "portable/ByteReaderLayout.h"

#include <limits>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// UTF-16 paths when fWide is set; otherwise the raw bytes of each path, for
// the caller to convert with the ANSI code page.
using DropPaths = std::variant<std::vector<std::u16string>, std::vector<std::string>>;

struct DropFilesList {
    DropPaths paths;
    // False when the bytes end before the empty path that closes the list;
    // `paths` then holds the paths whose own NUL was still inside the bytes,
    // and the path cut off by the end is dropped.
    bool complete = false;
};

// Calls visit(offset, path) for each path of the list that starts at
// `offset`, in order, one path held at a time (char16_t units when fWide is
// set, raw bytes otherwise); true when the empty path that closes the list
// lies inside the bytes.
template <class Char, class Visit>
bool ForEachDropPath(ByteSpan bytes, uint64_t offset, Visit&& visit)
{
    for (;;) {
        auto path = ReadTerminated<Char>(bytes, offset, std::numeric_limits<uint64_t>::max());
        if (!path.terminated)
            return false;
        if (path.text.empty())
            return true;
        visit(offset, path.text);
        offset = path.end;
    }
}

// The paths of the block in `bytes`, or nullopt when the 20-byte header does
// not fit or pFiles points into the header or past the end of the bytes.
std::optional<DropFilesList> ReadDropFiles(ByteSpan bytes);
