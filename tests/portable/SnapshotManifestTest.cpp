#include "portable/SnapshotManifest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Kind = ManifestProblem::Kind;

ByteSpan Bytes(const std::string& text)
{
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

ManifestNode Leaf(ManifestNodeKind kind, const std::string& entry, uint64_t size)
{
    ManifestNode node;
    node.kind = kind;
    node.label = "CF_UNICODETEXT";
    node.format = {13, {}, 1, -1, 1};
    node.medium = 1;
    node.codePage = -1;
    node.defaultPage = ManifestPage::Text;
    node.size = size;
    node.entry = entry;
    node.rows = {{"名前\tテスト.txt"}, {"読めません", true}, {"エラー\t名前だけ"}};
    return node;
}

SnapshotManifest FullManifest()
{
    SnapshotManifest manifest;
    manifest.plexaVersion = "0.9.0.1";
    manifest.title = "クリップボード#42";
    manifest.taken = "2026-12-10T06:42:17Z";
    manifest.computer = "開発機";
    manifest.owner = ManifestOwner{0x10042, "Notepad", "無題 - メモ帳", 1234, "C:\\Windows\\notepad.exe", 0};
    manifest.takenDespitePrivacyRequest = true;
    manifest.finished = "2026-12-10T06:42:18.350Z";
    manifest.sequenceNumber = 42;
    manifest.dropEffects = 5;
    manifest.asyncTransfer = AsyncTransfer::Used;
    manifest.offeredFormats = {"CF_UNICODETEXT", "\"HTML Format\"", "CF_BITMAP"};
    ManifestNode registered = Leaf(ManifestNodeKind::Data, "nodes/000002.bin", 10);
    registered.format = {0xC0A1, "HTML Format", 1, -1, 1};
    registered.type = "型";
    registered.name = "a.html";
    registered.displayName = "表示名";
    registered.icon = ManifestIcon::Folder;
    registered.children = std::vector<ManifestNode>{Leaf(ManifestNodeKind::Dib, "nodes/000003.bin", 0)};
    ManifestNode empty = Leaf(ManifestNodeKind::Data, {}, 0);
    empty.children = std::vector<ManifestNode>{};
    ManifestNode bitmap = Leaf(ManifestNodeKind::Bitmap, {}, 0);
    bitmap.picture = ManifestPicture{16, 8, 32, "nodes/000005.bmp", 566, "nodes/000005.palette", 1024};
    manifest.nodes.push_back(Leaf(ManifestNodeKind::Data, "nodes/000001.bin", 4));
    manifest.nodes.push_back(std::move(registered));
    manifest.nodes.push_back(std::move(empty));
    manifest.nodes.push_back(std::move(bitmap));
    return manifest;
}

TEST(SnapshotManifest, EveryFieldComesBackAsWritten)
{
    const SnapshotManifest written = FullManifest();
    SnapshotManifest read;
    const auto problem = ReadManifest(Bytes(WriteManifest(written)), read);
    ASSERT_FALSE(problem) << problem->where;
    EXPECT_EQ(read, written);
}

TEST(SnapshotManifest, AFailedReadLeavesNothingBehind)
{
    SnapshotManifest read = FullManifest();
    EXPECT_TRUE(ReadManifest(Bytes("{"), read));
    EXPECT_EQ(read, SnapshotManifest{});
}

// A field of the first node of a small valid manifest, replaced.
std::string WithFirstNode(const std::string& field, const std::string& value)
{
    SnapshotManifest manifest;
    manifest.nodes = {Leaf(ManifestNodeKind::Data, "nodes/000001.bin", 4)};
    manifest.nodes[0].rows.clear();
    std::string text = WriteManifest(manifest);
    const std::string key = "\"" + field + "\": ";
    const size_t at = text.find(key) + key.size();
    const size_t end = text.find_first_of(",\n", at);
    return text.replace(at, end - at, value);
}

std::string Nested(int depth, const std::string& open, const std::string& inner, const std::string& close)
{
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += open;
    text += inner;
    for (int i = 0; i < depth; ++i)
        text += close;
    return text;
}

// A manifest whose first node has children `levels` deep.
std::string DeepNodes(int levels)
{
    ManifestNode node = Leaf(ManifestNodeKind::Data, {}, 0);
    for (int i = 1; i < levels; ++i) {
        ManifestNode parent = Leaf(ManifestNodeKind::Data, {}, 0);
        parent.children = std::vector<ManifestNode>{std::move(node)};
        node = std::move(parent);
    }
    SnapshotManifest manifest;
    manifest.nodes = {std::move(node)};
    return WriteManifest(manifest);
}

// A manifest of `count` nodes whose formats are registered under `names` names, in turn.
std::string RegisteredNames(size_t count, size_t names)
{
    SnapshotManifest manifest;
    for (size_t i = 0; i < count; ++i) {
        manifest.nodes.push_back(Leaf(ManifestNodeKind::Data, {}, 0));
        manifest.nodes.back().format = {0xC000, "Plexa Format " + std::to_string(i % names), 1, -1, 1};
    }
    return WriteManifest(manifest);
}

// One value past the limit, then text that is no JSON: refused as too large,
// the parse stopped at the limit rather than at the end.
std::string ValuesPastTheLimit()
{
    std::string text = "[";
    for (uint64_t i = 0; i < kMaxManifestValues; ++i)
        text += "0,";
    return text + "not JSON";
}

struct HostileManifest {
    const char* name;
    std::string text;
    Kind kind;
    std::string where;
};

class HostileManifestTest : public testing::TestWithParam<HostileManifest> {};

TEST_P(HostileManifestTest, IsRefusedNamingTheProblem)
{
    SnapshotManifest read;
    const auto problem = ReadManifest(Bytes(GetParam().text), read);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->kind, GetParam().kind);
    EXPECT_EQ(problem->where, GetParam().where);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileManifestTest,
    testing::Values(
        HostileManifest{"NotJson", "manifest", Kind::NotJson, ""},
        HostileManifest{"NotUtf8", WithFirstNode("label", "\"\xff\xfe\""), Kind::NotJson, ""},
        HostileManifest{"AnArray", "[]", Kind::NotSnapshot, "format"},
        HostileManifest{"AnotherFormat", "{\"format\": \"zip\"}", Kind::NotSnapshot, "format"},
        HostileManifest{"NewerVersion", "{\"format\": \"Plexa snapshot\", \"formatVersion\": 2}", Kind::UnknownVersion,
                        "2"},
        HostileManifest{"PrivacyRequestAsText",
                        "{\"format\": \"Plexa snapshot\", \"formatVersion\": 1, \"takenDespitePrivacyRequest\": 1}",
                        Kind::BadField, "takenDespitePrivacyRequest"},
        HostileManifest{"NoNodes", "{\"format\": \"Plexa snapshot\", \"formatVersion\": 1, \"offeredFormats\": []}",
                        Kind::BadField, "nodes"},
        HostileManifest{"UnknownKind", WithFirstNode("kind", "\"folder\""), Kind::BadField, "nodes[0].kind"},
        HostileManifest{"NegativeSize", WithFirstNode("size", "-1"), Kind::BadField, "nodes[0].size"},
        HostileManifest{"FractionalSize", WithFirstNode("size", "1.5"), Kind::BadField, "nodes[0].size"},
        HostileManifest{"SizeAsText", WithFirstNode("size", "\"4\""), Kind::BadField, "nodes[0].size"},
        HostileManifest{"CodePageOutOfRange", WithFirstNode("codePage", "70000"), Kind::BadField,
                        "nodes[0].codePage"},
        HostileManifest{"FormatNumberTooLarge", WithFirstNode("number", "65536"), Kind::BadField,
                        "nodes[0].format.number"},
        HostileManifest{"PictureOnData", WithFirstNode("medium", "1, \"picture\": {}"), Kind::BadField,
                        "nodes[0].picture"},
        HostileManifest{"ChildrenNotAList", WithFirstNode("medium", "1, \"children\": {}"), Kind::BadField,
                        "nodes[0].children"},
        HostileManifest{"RowNotText", WithFirstNode("rows", "[\"a\", 1]"), Kind::BadField, "nodes[0].rows[1]"},
        HostileManifest{"RowAnObject", WithFirstNode("rows", "[{\"text\": \"a\", \"error\": true}]"), Kind::BadField,
                        "nodes[0].rows[0]"},
        HostileManifest{"ErrorRowsEmpty", WithFirstNode("rows", "[\"Error\\ta\"], \"errorRows\": []"), Kind::BadField,
                        "nodes[0].errorRows"},
        HostileManifest{"ErrorRowPastTheRows", WithFirstNode("rows", "[\"a\"], \"errorRows\": [1]"), Kind::BadField,
                        "nodes[0].errorRows[0]"},
        HostileManifest{"ErrorRowTwice", WithFirstNode("rows", "[\"a\", \"b\"], \"errorRows\": [0, 0]"),
                        Kind::BadField, "nodes[0].errorRows[1]"},
        HostileManifest{"ErrorRowFractional", WithFirstNode("rows", "[\"a\", \"b\"], \"errorRows\": [0.5]"),
                        Kind::BadField, "nodes[0].errorRows[0]"},
        HostileManifest{"DeepJson", Nested(100000, "[", "", "]"), Kind::TooDeep, ""},
        HostileManifest{"TooManyValues", ValuesPastTheLimit(), Kind::TooLarge, ""},
        HostileManifest{"DeepObjects", Nested(1000, "{\"a\":", "1", "}"), Kind::TooDeep, ""},
        HostileManifest{"DeepNodes", DeepNodes(kMaxNodeDepth + 1), Kind::TooDeep,
                        "nodes[0]" + Nested(kMaxNodeDepth, ".children[0]", "", "")},
        HostileManifest{"TooManyRegisteredNames",
                        RegisteredNames(kMaxRegisteredNames + 1, kMaxRegisteredNames + 1), Kind::TooManyFormatNames,
                        "nodes[" + std::to_string(kMaxRegisteredNames) + "].format.registeredName"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SnapshotManifest, NodesAsDeepAsTheLimitAreRead)
{
    SnapshotManifest read;
    const auto problem = ReadManifest(Bytes(DeepNodes(kMaxNodeDepth)), read);
    EXPECT_FALSE(problem) << problem->where;
}

TEST(SnapshotManifest, RowsOfFilesThatListNoErrorsAreErrorsWhenNamedSoInEitherLanguage)
{
    SnapshotManifest read;
    const auto problem =
        ReadManifest(Bytes(WithFirstNode("rows", "[\"名前\\tx\", \"エラー\\ty\", \"Error\\tz\", \"Errors\\tw\"]")), read);
    ASSERT_FALSE(problem) << problem->where;
    const std::vector<ManifestRow> expected = {{"名前\tx", false}, {"エラー\ty", true}, {"Error\tz", true},
                                               {"Errors\tw", false}};
    EXPECT_EQ(read.nodes[0].rows, expected);
}

TEST(SnapshotManifest, EntryNamesAreThoseShapedAsPlexaGivesThem)
{
    for (const char* name : {"nodes/000001.bin", "nodes/1.bmp", "nodes/000002.palette", "nodes/42.emf", "nodes/7.wmf"})
        EXPECT_TRUE(IsSnapshotEntryName(name)) << name;
    for (const char* name : {"nodes/.bin", "nodes/abc.bin", "nodes/1.exe", "nodes/1", "nodes/1.bin.bin",
                             "nodes/sub/1.bin", "other/1.bin", "1.bin", "../nodes/1.bin", "nodes/CON.bin",
                             "nodes/123456789012345678901.bin", "nodes/1.bin/"})
        EXPECT_FALSE(IsSnapshotEntryName(name)) << name;
}

TEST(SnapshotManifest, ARegisteredNameCountsOnceHoweverOftenItComes)
{
    SnapshotManifest read;
    const auto problem = ReadManifest(Bytes(RegisteredNames(3 * kMaxRegisteredNames, kMaxRegisteredNames)), read);
    EXPECT_FALSE(problem) << problem->where;
}

} // namespace
