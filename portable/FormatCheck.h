// The checks of a node's bytes against the rules of its format: one check per
// kind of format, fed the bytes in order a piece at a time, so that a node of
// any size is read once and never held whole.
#pragma once

#include "portable/ByteReaderLayout.h"
#include "portable/Finding.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class CheckKind {
    None,
    Html,            // "HTML Format"
    AnsiText,        // CF_TEXT, CF_OEMTEXT
    UnicodeText,     // CF_UNICODETEXT
    Rtf,             // "Rich Text Format"
    Dib,             // CF_DIB
    DibV5,           // CF_DIBV5
    Png,             // "PNG", "image/png"
    DropFiles,       // CF_HDROP
    FileGroupW,      // "FileGroupDescriptorW"
    FileGroupA,      // "FileGroupDescriptor"
    ShellIdList,     // "Shell IDList Array"
    DropEffect,      // "Preferred DropEffect" and the other effects
    Dword,           // CF_LOCALE and the privacy formats that hold a DWORD
    Url,             // "UniformResourceLocator"
    UrlW,            // "UniformResourceLocatorW"
    WebCustomMap,    // "Web Custom Format Map"
};

// The kind of check for a format, by its number and its registered name
// (empty for a standard format); None when no rule is known.
CheckKind CheckKindOfFormat(uint32_t format, std::wstring_view name);

// What a check of one node cannot learn from its own bytes. Absent facts
// are unknown, and the checks that need them are not made.
struct CheckContext {
    // For a file group: the bytes FileContents delivered for each index, in
    // index order; nullopt at an index it did not deliver.
    std::optional<std::vector<std::optional<uint64_t>>> fileContentsSizes;
    // The registered names of every format offered beside the node.
    std::optional<std::vector<std::wstring>> offeredFormats;
};

class CFormatCheck {
public:
    virtual ~CFormatCheck() = default;
    // The node's bytes in order, in pieces of any size (empty ones included).
    virtual void Consume(ByteSpan piece) = 0;
    // After the last piece. A finding's offset and length lie inside the
    // bytes consumed; the findings do not depend on how the bytes were cut.
    virtual FindingList Finish() = 0;
};

// A check for `kind` of a node of `totalSize` bytes; null for None.
std::unique_ptr<CFormatCheck> MakeFormatCheck(CheckKind kind, uint64_t totalSize, const CheckContext& context = {});

// The findings of `bytes` as one node, fed in pieces of `pieceSize` bytes.
FindingList CheckBytes(CheckKind kind, ByteSpan bytes, const CheckContext& context = {},
                       size_t pieceSize = std::numeric_limits<size_t>::max());
