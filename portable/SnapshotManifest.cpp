#include "portable/SnapshotManifest.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>
#include <set>
#include <string_view>
#include <utility>

using nlohmann::json;

namespace {

constexpr char kFormatName[] = "Plexa snapshot";

template <class Enum, size_t N>
using NameTable = std::array<std::pair<Enum, const char*>, N>;

constexpr NameTable<ManifestNodeKind, 6> kKindNames{{
    {ManifestNodeKind::Data, "data"},
    {ManifestNodeKind::Dib, "dib"},
    {ManifestNodeKind::DragImage, "dragImage"},
    {ManifestNodeKind::Bitmap, "bitmap"},
    {ManifestNodeKind::EnhMetafile, "enhMetafile"},
    {ManifestNodeKind::MetafilePict, "metafilePict"},
}};
constexpr NameTable<AsyncTransfer, 4> kAsyncTransferNames{{
    {AsyncTransfer::NotOffered, "notOffered"},
    {AsyncTransfer::Off, "off"},
    {AsyncTransfer::StartFailed, "startFailed"},
    {AsyncTransfer::Used, "used"},
}};
constexpr NameTable<ManifestPage, 4> kPageNames{{
    {ManifestPage::Hex, "hex"},
    {ManifestPage::Text, "text"},
    {ManifestPage::Image, "image"},
    {ManifestPage::Property, "property"},
}};
constexpr NameTable<ManifestIcon, 4> kIconNames{{
    {ManifestIcon::Folder, "folder"},
    {ManifestIcon::Data, "data"},
    {ManifestIcon::Picture, "picture"},
    {ManifestIcon::Unknown, "unknown"},
}};

template <class Enum, size_t N>
const char* NameOf(const NameTable<Enum, N>& table, Enum value)
{
    for (const auto& [item, name] : table) {
        if (item == value)
            return name;
    }
    return "";
}

bool IsPictureKind(ManifestNodeKind kind)
{
    return kind == ManifestNodeKind::Bitmap || kind == ManifestNodeKind::EnhMetafile ||
           kind == ManifestNodeKind::MetafilePict;
}

// ---- Writing

json FormatJson(const ManifestFormat& format)
{
    json out = {{"number", format.number}};
    if (!format.registeredName.empty())
        out["registeredName"] = format.registeredName;
    out["aspect"] = format.aspect;
    out["lindex"] = format.lindex;
    out["tymed"] = format.tymed;
    return out;
}

json PictureJson(const ManifestPicture& picture)
{
    json out = {{"width", picture.width}, {"height", picture.height}, {"bitsPerPixel", picture.bitsPerPixel}};
    if (!picture.entry.empty()) {
        out["entry"] = picture.entry;
        out["size"] = picture.size;
    }
    if (!picture.paletteEntry.empty()) {
        out["paletteEntry"] = picture.paletteEntry;
        out["paletteSize"] = picture.paletteSize;
    }
    return out;
}

// Rows stay the strings readers of the file have always taken; which of them
// are errors goes beside them, only when some are.
void PutRows(json& out, const std::vector<ManifestRow>& rows)
{
    json texts = json::array();
    json errors = json::array();
    for (size_t i = 0; i < rows.size(); ++i) {
        texts.push_back(rows[i].text);
        if (rows[i].error)
            errors.push_back(i);
    }
    out["rows"] = std::move(texts);
    if (!errors.empty())
        out["errorRows"] = std::move(errors);
}

void PutText(json& out, const char* key, const std::string& text)
{
    if (!text.empty())
        out[key] = text;
}

json NodeJson(const ManifestNode& node)
{
    json out = {{"kind", NameOf(kKindNames, node.kind)}, {"label", node.label}, {"format", FormatJson(node.format)},
                {"medium", node.medium}};
    PutText(out, "type", node.type);
    PutText(out, "name", node.name);
    PutText(out, "displayName", node.displayName);
    out["icon"] = NameOf(kIconNames, node.icon);
    out["defaultPage"] = NameOf(kPageNames, node.defaultPage);
    out["codePage"] = node.codePage;
    out["size"] = node.size;
    PutText(out, "entry", node.entry);
    PutRows(out, node.rows);
    if (node.picture)
        out["picture"] = PictureJson(*node.picture);
    if (node.children) {
        json children = json::array();
        for (const ManifestNode& child : *node.children)
            children.push_back(NodeJson(child));
        out["children"] = std::move(children);
    }
    return out;
}

// ---- Reading

// Before files listed their error rows, an error row was known by its name,
// in the language the snapshot was taken in.
bool HasFormerErrorName(const std::string& row)
{
    const std::string_view name = std::string_view(row).substr(0, row.find('\t'));
    return name == "\xE3\x82\xA8\xE3\x83\xA9\xE3\x83\xBC" || name == "Error";  // エラー in UTF-8
}

// The manifest's top level, a node's two (itself and its child list) per
// level below, and the objects inside a node.
constexpr int kMaxJsonDepth = 2 + 2 * kMaxNodeDepth + 2;

// Parses without building anything, stopping at the first problem: whether
// the text is JSON, nests within the depth limit and holds no more values
// than their limit. Only then is the tree built and walked.
class CShapeCheck final : public json::json_sax_t {
public:
    std::optional<ManifestProblem> m_problem;

    bool null() override { return Value(); }
    bool boolean(bool) override { return Value(); }
    bool number_integer(number_integer_t) override { return Value(); }
    bool number_unsigned(number_unsigned_t) override { return Value(); }
    bool number_float(number_float_t, const string_t&) override { return Value(); }
    bool string(string_t&) override { return Value(); }
    bool binary(binary_t&) override { return Value(); }
    bool start_object(std::size_t) override { return Open(); }
    bool key(string_t&) override { return true; }
    bool end_object() override { return Close(); }
    bool start_array(std::size_t) override { return Open(); }
    bool end_array() override { return Close(); }
    bool parse_error(std::size_t, const std::string&, const json::exception&) override
    {
        return Stop(ManifestProblem::Kind::NotJson);
    }

private:
    uint64_t m_values = 0;
    int m_depth = 0;

    bool Value() { return ++m_values <= kMaxManifestValues || Stop(ManifestProblem::Kind::TooLarge); }
    bool Open() { return Value() && (++m_depth <= kMaxJsonDepth || Stop(ManifestProblem::Kind::TooDeep)); }
    bool Close()
    {
        --m_depth;
        return true;
    }
    bool Stop(ManifestProblem::Kind kind)
    {
        m_problem = ManifestProblem{kind, {}};
        return false;
    }
};

// Reads the manifest's tree field by field. The first refusal is kept, with
// the path of the field it is about; what is read after it is not used, and
// lists stop at it.
class CReader {
public:
    const std::optional<ManifestProblem>& Problem() const { return m_problem; }

    const json& Member(const json& object, const char* key, const std::string& where)
    {
        const auto found = object.find(key);
        if (found != object.end())
            return *found;
        Refuse(ManifestProblem::Kind::BadField, Path(where, key));
        return kNull;
    }

    bool Object(const json& value, const std::string& where)
    {
        return value.is_object() || Refuse(ManifestProblem::Kind::BadField, where);
    }

    bool Array(const json& value, const std::string& where)
    {
        return value.is_array() || Refuse(ManifestProblem::Kind::BadField, where);
    }

    std::string Text(const json& object, const char* key, const std::string& where)
    {
        const json& value = Member(object, key, where);
        if (value.is_string())
            return value.get<std::string>();
        Refuse(ManifestProblem::Kind::BadField, Path(where, key));
        return {};
    }

    std::string OptionalText(const json& object, const char* key, const std::string& where)
    {
        return object.contains(key) ? Text(object, key, where) : std::string();
    }

    // An integer of the field's own range; JSON numbers with a fraction or
    // outside the range are refused, not rounded or wrapped.
    template <class T>
    T Integer(const json& object, const char* key, const std::string& where, T low = std::numeric_limits<T>::min(),
              T high = std::numeric_limits<T>::max())
    {
        const json& value = Member(object, key, where);
        bool fits = false;
        T result{};
        if (value.is_number_unsigned()) {
            const auto number = value.get<uint64_t>();
            fits = number <= static_cast<uint64_t>(high) && (low <= 0 || number >= static_cast<uint64_t>(low));
            result = static_cast<T>(number);
        } else if (value.is_number_integer()) {
            const auto number = value.get<int64_t>();
            fits = std::cmp_greater_equal(number, low) && std::cmp_less_equal(number, high);
            result = static_cast<T>(number);
        }
        if (!fits)
            Refuse(ManifestProblem::Kind::BadField, Path(where, key));
        return result;
    }

    template <class Enum, size_t N>
    Enum Named(const json& object, const char* key, const std::string& where, const NameTable<Enum, N>& table)
    {
        const std::string name = Text(object, key, where);
        for (const auto& [item, itemName] : table) {
            if (name == itemName)
                return item;
        }
        Refuse(ManifestProblem::Kind::BadField, Path(where, key));
        return table.front().first;
    }

    std::vector<std::string> Texts(const json& object, const char* key, const std::string& where)
    {
        const std::string path = Path(where, key);
        const json& list = Member(object, key, where);
        std::vector<std::string> texts;
        if (!Array(list, path))
            return texts;
        for (const json& item : list) {
            if (!item.is_string()) {
                Refuse(ManifestProblem::Kind::BadField, Item(path, texts.size()));
                break;
            }
            texts.push_back(item.get<std::string>());
        }
        return texts;
    }

    // A node's rows: errors are those its errorRows lists (ascending indices
    // of rows), or in files written before that field those named as errors.
    std::vector<ManifestRow> Rows(const json& node, const std::string& where)
    {
        std::vector<ManifestRow> rows;
        const bool listed = node.contains("errorRows");
        for (std::string& text : Texts(node, "rows", where)) {
            const bool error = !listed && HasFormerErrorName(text);
            rows.push_back({std::move(text), error});
        }
        if (m_problem || !listed)
            return rows;
        const std::string path = Path(where, "errorRows");
        const json& list = Member(node, "errorRows", where);
        // An empty list is never written; written again, it would not say the same.
        if (!list.is_array() || list.empty()) {
            Refuse(ManifestProblem::Kind::BadField, path);
            return rows;
        }
        size_t next = 0;  // the lowest index the next item may give
        for (size_t i = 0; i < list.size(); ++i) {
            const json& item = list[i];
            if (!item.is_number_unsigned() || item.get<uint64_t>() < next || item.get<uint64_t>() >= rows.size()) {
                Refuse(ManifestProblem::Kind::BadField, Item(path, i));
                break;
            }
            const size_t index = item.get<size_t>();
            rows[index].error = true;
            next = index + 1;
        }
        return rows;
    }

    // An optional boolean, false when absent.
    bool Flag(const json& object, const char* key, const std::string& where)
    {
        if (!object.contains(key))
            return false;
        const json& value = Member(object, key, where);
        if (value.is_boolean())
            return value.get<bool>();
        Refuse(ManifestProblem::Kind::BadField, Path(where, key));
        return false;
    }

    ManifestFormat Format(const json& value, const std::string& where)
    {
        ManifestFormat format;
        if (!Object(value, where))
            return format;
        format.number = Integer<uint32_t>(value, "number", where, 0, 0xFFFF);
        format.registeredName = OptionalText(value, "registeredName", where);
        if (!format.registeredName.empty() && m_registeredNames.insert(format.registeredName).second &&
            m_registeredNames.size() > kMaxRegisteredNames)
            Refuse(ManifestProblem::Kind::TooManyFormatNames, Path(where, "registeredName"));
        format.aspect = Integer<uint32_t>(value, "aspect", where);
        format.lindex = Integer<int32_t>(value, "lindex", where);
        format.tymed = Integer<uint32_t>(value, "tymed", where);
        return format;
    }

    ManifestPicture Picture(const json& value, const std::string& where)
    {
        ManifestPicture picture;
        if (!Object(value, where))
            return picture;
        picture.width = Integer<int32_t>(value, "width", where);
        picture.height = Integer<int32_t>(value, "height", where);
        picture.bitsPerPixel = Integer<int32_t>(value, "bitsPerPixel", where, 0, 64);
        if (value.contains("entry")) {
            picture.entry = Text(value, "entry", where);
            picture.size = Integer<uint64_t>(value, "size", where);
        }
        if (value.contains("paletteEntry")) {
            picture.paletteEntry = Text(value, "paletteEntry", where);
            picture.paletteSize = Integer<uint64_t>(value, "paletteSize", where);
        }
        return picture;
    }

    ManifestNode Node(const json& value, const std::string& where, int depth)
    {
        ManifestNode node;
        if (depth > kMaxNodeDepth)
            Refuse(ManifestProblem::Kind::TooDeep, where);
        if (m_problem || !Object(value, where))
            return node;
        node.kind = Named(value, "kind", where, kKindNames);
        node.label = OptionalText(value, "label", where);
        node.format = Format(Member(value, "format", where), Path(where, "format"));
        node.medium = Integer<uint32_t>(value, "medium", where);
        node.type = OptionalText(value, "type", where);
        node.name = OptionalText(value, "name", where);
        node.displayName = OptionalText(value, "displayName", where);
        node.icon = Named(value, "icon", where, kIconNames);
        node.defaultPage = Named(value, "defaultPage", where, kPageNames);
        node.codePage = Integer<int32_t>(value, "codePage", where, -10, 65535);
        node.size = Integer<uint64_t>(value, "size", where);
        node.entry = OptionalText(value, "entry", where);
        node.rows = Rows(value, where);
        if (value.contains("picture")) {
            if (IsPictureKind(node.kind))
                node.picture = Picture(Member(value, "picture", where), Path(where, "picture"));
            else
                Refuse(ManifestProblem::Kind::BadField, Path(where, "picture"));
        }
        if (value.contains("children"))
            node.children = Nodes(Member(value, "children", where), Path(where, "children"), depth + 1);
        return node;
    }

    std::vector<ManifestNode> Nodes(const json& value, const std::string& where, int depth)
    {
        std::vector<ManifestNode> nodes;
        if (!Array(value, where))
            return nodes;
        for (const json& item : value) {
            nodes.push_back(Node(item, Item(where, nodes.size()), depth));
            if (m_problem)
                break;
        }
        return nodes;
    }

    ManifestOwner Owner(const json& value, const std::string& where)
    {
        ManifestOwner owner;
        if (!Object(value, where))
            return owner;
        owner.window = Integer<uint32_t>(value, "window", where);
        owner.className = OptionalText(value, "className", where);
        owner.caption = OptionalText(value, "caption", where);
        owner.processId = Integer<uint32_t>(value, "processId", where);
        owner.imagePath = OptionalText(value, "imagePath", where);
        owner.imageError = Integer<uint32_t>(value, "imageError", where);
        return owner;
    }

    SnapshotManifest Manifest(const json& root)
    {
        SnapshotManifest manifest;
        if (!root.is_object() || !root.contains("format") || root["format"] != kFormatName) {
            Refuse(ManifestProblem::Kind::NotSnapshot, "format");
            return manifest;
        }
        manifest.formatVersion = Integer<int>(root, "formatVersion", "");
        if (m_problem)
            return manifest;
        if (manifest.formatVersion != kManifestFormatVersion) {
            Refuse(ManifestProblem::Kind::UnknownVersion, std::to_string(manifest.formatVersion));
            return manifest;
        }
        manifest.plexaVersion = OptionalText(root, "plexaVersion", "");
        manifest.title = OptionalText(root, "title", "");
        manifest.taken = OptionalText(root, "taken", "");
        manifest.finished = OptionalText(root, "finished", "");
        if (root.contains("sequenceNumber"))
            manifest.sequenceNumber = Integer<uint32_t>(root, "sequenceNumber", "");
        if (root.contains("dropEffects"))
            manifest.dropEffects = Integer<uint32_t>(root, "dropEffects", "");
        if (root.contains("asyncTransfer"))
            manifest.asyncTransfer = Named(root, "asyncTransfer", "", kAsyncTransferNames);
        manifest.computer = OptionalText(root, "computer", "");
        if (root.contains("owner"))
            manifest.owner = Owner(root["owner"], "owner");
        manifest.takenDespitePrivacyRequest = Flag(root, "takenDespitePrivacyRequest", "");
        manifest.offeredFormats = Texts(root, "offeredFormats", "");
        manifest.nodes = Nodes(Member(root, "nodes", ""), "nodes", 1);
        return manifest;
    }

private:
    inline static const json kNull;

    std::optional<ManifestProblem> m_problem;
    std::set<std::string> m_registeredNames;

    // Keeps the first refusal; false, so that a check can end in it.
    bool Refuse(ManifestProblem::Kind kind, std::string where)
    {
        if (!m_problem)
            m_problem = ManifestProblem{kind, std::move(where)};
        return false;
    }

    static std::string Path(const std::string& where, const char* key)
    {
        return where.empty() ? key : where + "." + key;
    }

    static std::string Item(const std::string& where, size_t index)
    {
        return where + "[" + std::to_string(index) + "]";
    }
};

}

bool IsSnapshotEntryName(std::string_view name)
{
    constexpr std::string_view kFolder = "nodes/";
    if (!name.starts_with(kFolder))
        return false;
    const std::string_view file = name.substr(kFolder.size());
    const size_t digits = file.find_first_not_of("0123456789");
    return digits > 0 && digits <= 20 && digits != file.npos &&
           std::find(std::begin(kSnapshotEntryExtensions), std::end(kSnapshotEntryExtensions), file.substr(digits)) !=
               std::end(kSnapshotEntryExtensions);
}

std::string WriteManifest(const SnapshotManifest& manifest)
{
    json out = {{"format", kFormatName}, {"formatVersion", manifest.formatVersion},
                {"plexaVersion", manifest.plexaVersion}, {"title", manifest.title}, {"taken", manifest.taken},
                {"computer", manifest.computer}};
    if (const auto& owner = manifest.owner) {
        out["owner"] = {{"window", owner->window},       {"className", owner->className},
                        {"caption", owner->caption},     {"processId", owner->processId},
                        {"imagePath", owner->imagePath}, {"imageError", owner->imageError}};
    }
    if (!manifest.finished.empty())
        out["finished"] = manifest.finished;
    if (manifest.takenDespitePrivacyRequest)
        out["takenDespitePrivacyRequest"] = true;
    if (manifest.sequenceNumber)
        out["sequenceNumber"] = *manifest.sequenceNumber;
    if (manifest.dropEffects)
        out["dropEffects"] = *manifest.dropEffects;
    if (manifest.asyncTransfer)
        out["asyncTransfer"] = NameOf(kAsyncTransferNames, *manifest.asyncTransfer);
    out["offeredFormats"] = manifest.offeredFormats;
    json nodes = json::array();
    for (const ManifestNode& node : manifest.nodes)
        nodes.push_back(NodeJson(node));
    out["nodes"] = std::move(nodes);
    // Text that did not come as UTF-8 is written with U+FFFD rather than refused.
    return out.dump(1, '\t', false, json::error_handler_t::replace);
}

std::optional<ManifestProblem> ReadManifest(ByteSpan text, SnapshotManifest& manifest)
{
    manifest = {};
    if (text.size() > kMaxManifestBytes)
        return ManifestProblem{ManifestProblem::Kind::TooLarge, {}};
    CShapeCheck shape;
    if (!json::sax_parse(text.begin(), text.end(), &shape))
        return shape.m_problem;
    const json root = json::parse(text.begin(), text.end(), nullptr, false);
    if (root.is_discarded())
        return ManifestProblem{ManifestProblem::Kind::NotJson, {}};
    CReader reader;
    SnapshotManifest read = reader.Manifest(root);
    if (!reader.Problem())
        manifest = std::move(read);
    return reader.Problem();
}

uint64_t NodeEntryBytes(const std::vector<ManifestNode>& nodes)
{
    constexpr uint64_t kMost = std::numeric_limits<uint64_t>::max();
    uint64_t total = 0;
    const auto add = [&](uint64_t bytes) { total = bytes > kMost - total ? kMost : total + bytes; };
    for (const ManifestNode& node : nodes) {
        if (!node.entry.empty())
            add(node.size);
        if (node.children)
            add(NodeEntryBytes(*node.children));
    }
    return total;
}
