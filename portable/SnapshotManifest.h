// The manifest of a snapshot file: when and from what the snapshot was taken,
// and its node tree, each node naming the archive entries that hold its
// bytes. Text is UTF-8. Manifests come from anyone: reading checks every
// field's presence, type and range, and the nesting, before anything is used.
#pragma once

#include "portable/ByteReaderLayout.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr char kManifestEntryName[] = "manifest.json";
// The endings of the entries Plexa writes: a node's bytes, a bitmap with its
// palette, an enhanced or a Windows metafile.
inline constexpr const char* kSnapshotEntryExtensions[] = {".bin", ".bmp", ".palette", ".emf", ".wmf"};
enum SnapshotEntryExtension { kBytesEntry, kBitmapEntry, kPaletteEntry, kEnhMetafileEntry, kMetafileEntry };
// Whether `name` is shaped as Plexa names the entries of nodes' bytes and
// pictures: "nodes/", the node's number, and .bin, .bmp, .palette, .emf or .wmf.
bool IsSnapshotEntryName(std::string_view name);
inline constexpr int kManifestFormatVersion = 1;
// Limits no real snapshot comes near; past them a manifest is refused rather
// than read at the cost of the stack or the memory. The bytes are counted
// once inflated, the values (every object, array, string, number, literal)
// while parsing, before a tree of them is built: a few hundred kilobytes of
// deflated text cannot become gigabytes of tree.
inline constexpr uint64_t kMaxManifestBytes = 32u << 20;
inline constexpr uint64_t kMaxManifestValues = 4'000'000;
inline constexpr int kMaxNodeDepth = 200;
// Opening registers every registered name again, and a session's format
// names are never freed: a file may not use up a share others need.
inline constexpr size_t kMaxRegisteredNames = 1'000;

// The C++ kind of node, which decides how its picture is made.
enum class ManifestNodeKind { Data, Dib, DragImage, Bitmap, EnhMetafile, MetafilePict };
enum class ManifestPage { Hex, Text, Image, Property };
enum class ManifestIcon { Folder, Data, Picture, Unknown };
// Whether a drop's source offered asynchronous transfer (IDataObjectAsyncCapability)
// and whether the data came that way.
enum class AsyncTransfer { NotOffered, Off, StartFailed, Used };

// The description a format was asked with. A registered format carries its
// name, under which the opening machine registers it again; a number no name
// was registered for stays as the source gave it.
struct ManifestFormat {
    uint32_t number = 0;
    std::string registeredName;
    uint32_t aspect = 0;
    int32_t lindex = -1;
    uint32_t tymed = 0;

    bool operator==(const ManifestFormat&) const = default;
};

// The GDI object behind a bitmap or metafile node, kept as the bytes its kind
// is rebuilt from: a packed DIB, an enhanced metafile, a Windows metafile.
struct ManifestPicture {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    std::string entry;  // empty when the node held no object
    uint64_t size = 0;
    std::string paletteEntry;  // a bitmap's palette entries (PALETTEENTRY each), when it came with one
    uint64_t paletteSize = 0;

    bool operator==(const ManifestPicture&) const = default;
};

// One of a node's property rows: name TAB value, as the property page shows
// it, and whether it is an error line. The file keeps the rows as plain
// strings, the errors by their indices beside them.
struct ManifestRow {
    std::string text;
    bool error = false;

    bool operator==(const ManifestRow&) const = default;
};

struct ManifestNode {
    ManifestNodeKind kind = ManifestNodeKind::Data;
    std::string label;  // the tree text when saved; for readers of the file only
    ManifestFormat format;
    uint32_t medium = 0;  // the TYMED that arrived
    std::string type;
    std::string name;
    std::string displayName;
    ManifestIcon icon = ManifestIcon::Data;
    ManifestPage defaultPage = ManifestPage::Hex;
    int32_t codePage = 0;
    uint64_t size = 0;
    std::string entry;  // the entry of the node's bytes; empty when it has none
    std::vector<ManifestRow> rows;
    std::optional<ManifestPicture> picture;
    // A node that was given a child list, even an empty one, keeps it.
    std::optional<std::vector<ManifestNode>> children;

    bool operator==(const ManifestNode&) const = default;
};

struct ManifestOwner {
    uint32_t window = 0;  // 0: the clipboard had no owner
    std::string className;
    std::string caption;
    uint32_t processId = 0;
    std::string imagePath;
    uint32_t imageError = 0;

    bool operator==(const ManifestOwner&) const = default;
};

struct SnapshotManifest {
    int formatVersion = kManifestFormatVersion;
    std::string plexaVersion;
    std::string title;
    std::string taken;  // when the capture started: UTC, ISO 8601
    std::string finished;  // when it ended, the same way; empty when not known
    std::string computer;  // the machine it was taken on
    std::optional<ManifestOwner> owner;  // a paste's only
    // Taken although the source asked clipboard monitors to leave it alone.
    bool takenDespitePrivacyRequest = false;
    std::optional<uint32_t> sequenceNumber;  // a paste's: the clipboard's sequence number
    std::optional<uint32_t> dropEffects;  // a drop's: the DROPEFFECT bits the source offered
    std::optional<AsyncTransfer> asyncTransfer;  // a drop's
    std::vector<std::string> offeredFormats;
    std::vector<ManifestNode> nodes;

    bool operator==(const SnapshotManifest&) const = default;
};

struct ManifestProblem {
    enum class Kind {
        NotJson,             // not JSON, or not UTF-8
        TooLarge,            // more bytes or values than the limits
        TooDeep,             // nested past the node depth limit
        TooManyFormatNames,  // more distinct registered names than kMaxRegisteredNames
        NotSnapshot,         // JSON, but not a snapshot's manifest
        UnknownVersion,      // a format version this Plexa does not read
        BadField,            // a field missing, of the wrong type or out of range
    };
    Kind kind;
    // The field, as a path such as nodes[2].children[0].size; for an unknown
    // version, the version found.
    std::string where;
};

// The manifest as UTF-8 JSON, indented for people who open it.
std::string WriteManifest(const SnapshotManifest& manifest);
// Fills `manifest` from `json`, or says what is wrong and leaves it empty.
std::optional<ManifestProblem> ReadManifest(ByteSpan json, SnapshotManifest& manifest);

// The bytes of the nodes' own entries, their children's included: what
// opening copies into files. The largest value when they add up past it.
uint64_t NodeEntryBytes(const std::vector<ManifestNode>& nodes);
