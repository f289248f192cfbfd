// Snapshot files: every kind of node the capture makes comes back from its
// file as it was taken, and a file that is not whole, lies or reaches outside
// is refused with a message that names the problem, leaving nothing behind.
#include "support/EveryKindOfSource.h"
#include "ShellSource.h"
#include "support/TreeDescription.h"

#include "capture/SnapshotFile.h"
#include "capture/SnapshotSource.h"
#include "capture/ZipFiles.h"
#include "framework/Resource.h"
#include "framework/Utf8.h"
#include "portable/SnapshotManifest.h"
#include "portable/ZipTestArchive.h"
#include "res/strings/capture.h"
#include "support/CaptureEverything.h"
#include "support/NoLeakTest.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using CEntries = std::vector<std::pair<std::string, std::string>>;

// An archive of `entries` in that order, written as Plexa writes its own.
void WriteArchive(const std::wstring& path, const CEntries& entries)
{
    const CFileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    CZipFileSink sink(file);
    CZipWriter writer(sink, 0x5A21, 0);
    for (const auto& [name, bytes] : entries) {
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
        ASSERT_TRUE(writer.BeginEntry(name, bytes.size()) && writer.WriteData({data, bytes.size()}) &&
                    writer.EndEntry());
    }
    ASSERT_TRUE(writer.Finish() && sink.Flush());
}

ManifestNode TextNode(const std::string& entry, uint64_t size)
{
    ManifestNode node;
    node.format = {CF_TEXT, {}, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    node.medium = TYMED_HGLOBAL;
    node.size = size;
    node.entry = entry;
    return node;
}

std::string ManifestOf(std::vector<ManifestNode> nodes)
{
    SnapshotManifest manifest;
    manifest.nodes = std::move(nodes);
    return WriteManifest(manifest);
}

class SnapshotFileTest : public CNoLeakTest {
protected:
    void SetUp() override
    {
        CNoLeakTest::SetUp();
        m_app.ClaimWorkFolder();
    }

    SnapshotResult Save(const CCBDataArray& nodes, const CSnapshotInfo& info = {},
                        const SnapshotProgress& progress = {})
    {
        std::wstring error;
        const SnapshotResult result = SaveSnapshotFile(Path(), info, nodes, progress, error);
        EXPECT_EQ(error.empty(), result != SnapshotResult::Failed) << error;
        return result;
    }

    SnapshotResult Open(CCBDataArray& nodes, CSnapshotInfo& info, std::wstring& error,
                        const SnapshotProgress& progress = {})
    {
        return OpenSnapshotFile(Path(), m_app, progress, info, nodes, error);
    }

    std::wstring RoundTrip(const CCBDataArray& nodes)
    {
        EXPECT_EQ(Save(nodes), SnapshotResult::Done);
        CCBDataArray opened;
        CSnapshotInfo info;
        std::wstring error;
        EXPECT_EQ(Open(opened, info, error), SnapshotResult::Done) << error;
        return DescribeTree(opened);
    }

    // Opening the file fails with a message holding `message`, keeping the
    // current snapshot and leaving no file in the working folder.
    void ExpectRefused(const std::wstring& message)
    {
        const size_t before = WorkFiles();
        CCBDataArray nodes;
        nodes.push_back(std::make_unique<CCBData>());
        CSnapshotInfo info{L"current"};
        std::wstring error;
        EXPECT_EQ(Open(nodes, info, error), SnapshotResult::Failed);
        EXPECT_NE(error.find(message), std::wstring::npos) << error;
        EXPECT_EQ(nodes.size(), 1u) << "the current snapshot stays";
        EXPECT_EQ(info.title, L"current");
        EXPECT_EQ(WorkFiles(), before) << "no file is left in the working folder";
    }

    std::wstring Path() const { return m_files / L"snapshot.plexa"; }
    size_t WorkFiles() const { return ListFolder(m_app.m_workFolder.m_strWorkDir).size(); }

    CTestApp m_app;
    CTempDir m_files;
    CTempDir m_dropped;
};

}

TEST_F(SnapshotFileTest, EveryKindOfNodeComesBackAsItWasTaken)
{
    const CCBDataArray nodes = CaptureEverything(EveryKindOfSource(m_dropped.Path()), m_app);
    const std::wstring taken = DescribeTree(nodes);
    EXPECT_EQ(RoundTrip(nodes), taken);
    // The description is a real one: pictures, nested storages, virtual files and failures.
    for (const wchar_t* part : {L"| picture 3x2x", L"| picture 0x0x0 01 00 09 00", L"\n    Deep | IStream",
                                L"\n  b.txt | IStream", L"\"Plexa Test Format\" | ", L"エラー\t"})
        EXPECT_NE(taken.find(part), std::wstring::npos) << part;
}

TEST_F(SnapshotFileTest, DroppedFoldersAndShellItemsComeBackAsTheyWereTaken)
{
    ::CreateDirectoryW((m_files / L"sub").c_str(), nullptr);
    WriteFileBytes(m_files / L"a.txt", "alpha");
    WriteFileBytes(m_files / L"sub\\b.txt", "beta");
    const CCBDataArray nodes = CaptureEverything(CreateShellDataObject(m_files.Path(), {L"a.txt", L"sub"}), m_app);
    const std::wstring taken = DescribeTree(nodes);
    EXPECT_NE(taken.find(L"ディレクトリ"), std::wstring::npos);
    EXPECT_EQ(RoundTrip(nodes), taken);
}

TEST_F(SnapshotFileTest, ThePasteItCameFromComesBackWithIt)
{
    CSnapshotInfo info{L"クリップボード#42", L"2026-12-10T06:42:17.042Z", L"2026-12-10T06:42:17.350Z", L"開発機",
                       CClipboardOwner{reinterpret_cast<HWND>(0x10042), L"Notepad", L"無題 - メモ帳", 1234,
                                       L"C:\\windows\\notepad.exe", ERROR_SUCCESS},
                       {L"CF_UNICODETEXT", L"\"HTML Format\""}, true, 42, std::nullopt};
    ASSERT_EQ(Save({}, info), SnapshotResult::Done);
    CCBDataArray nodes;
    CSnapshotInfo opened;
    std::wstring error;
    ASSERT_EQ(Open(nodes, opened, error), SnapshotResult::Done) << error;
    EXPECT_EQ(opened.title, info.title);
    EXPECT_EQ(opened.taken, info.taken);
    EXPECT_EQ(opened.finished, info.finished);
    EXPECT_EQ(opened.computer, info.computer);
    EXPECT_EQ(opened.formatNames, info.formatNames);
    EXPECT_TRUE(opened.takenDespitePrivacyRequest);
    EXPECT_EQ(opened.sequenceNumber, info.sequenceNumber);
    EXPECT_EQ(opened.dropEffects, std::nullopt);
    ASSERT_TRUE(opened.owner);
    EXPECT_EQ(opened.owner->hWnd, info.owner->hWnd);
    EXPECT_EQ(opened.owner->caption, info.owner->caption);
    EXPECT_EQ(opened.owner->imagePath, info.owner->imagePath);
}

TEST_F(SnapshotFileTest, RegisteredFormatsAreRegisteredAgainByName)
{
    ManifestNode node = TextNode("nodes/000001.bin", 2);
    node.format.registeredName = "Plexa Renumbered Format";
    node.format.number = 0xC0FE;
    WriteArchive(Path(), {{kManifestEntryName, ManifestOf({node})}, {"nodes/000001.bin", "ab"}});
    CCBDataArray nodes;
    CSnapshotInfo info;
    std::wstring error;
    ASSERT_EQ(Open(nodes, info, error), SnapshotResult::Done) << error;
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0]->m_fmt.cfFormat, ::RegisterClipboardFormatW(L"Plexa Renumbered Format"));
    EXPECT_EQ(ReadFileBytes(nodes[0]->m_strTempFile), "ab");
}

TEST_F(SnapshotFileTest, AFileNamingTooManyRegisteredFormatsIsRefusedBeforeOneIsRegistered)
{
    std::vector<ManifestNode> nodes(20'000, TextNode({}, 0));
    for (size_t i = 0; i < nodes.size(); ++i)
        nodes[i].format.registeredName = "Plexa Flood Format " + std::to_string(i);
    WriteArchive(Path(), {{kManifestEntryName, ManifestOf(std::move(nodes))}});
    CCBDataArray opened;
    CSnapshotInfo info;
    std::wstring error;
    EXPECT_EQ(Open(opened, info, error), SnapshotResult::Failed);
    EXPECT_EQ(error, FormatResString(IDS_MANIFEST_TOO_MANY_FORMAT_NAMES, static_cast<unsigned>(kMaxRegisteredNames)));
    EXPECT_NE(::RegisterClipboardFormatW(L"Plexa Format After A Flood"), 0u);
}

TEST_F(SnapshotFileTest, ErrorRowsAreMarkedInTheFileAndOpenAsErrors)
{
    CCBDataArray nodes;
    nodes.push_back(std::make_unique<CCBData>());
    nodes[0]->m_arrInfo = {L"名前\ta.txt", ErrorRow(L"読めません")};
    ASSERT_EQ(Save(nodes), SnapshotResult::Done);
    std::wstring error;
    {
        const auto source = OpenSnapshotSource(Path(), error);
        ASSERT_TRUE(source) << error;
        const std::vector<ManifestRow> saved = {{"名前\ta.txt", false}, {ToUtf8(ErrorRow(L"読めません")), true}};
        EXPECT_EQ(source->Manifest().nodes.at(0).rows, saved);
    }

    // Marked, whatever its words.
    ManifestNode marked = TextNode({}, 0);
    marked.rows = {{"読めません", true}};
    WriteArchive(Path(), {{kManifestEntryName, ManifestOf({marked})}});
    CCBDataArray opened;
    CSnapshotInfo info;
    ASSERT_EQ(Open(opened, info, error), SnapshotResult::Done) << error;
    EXPECT_EQ(opened.at(0)->m_arrInfo, CStringArray{ErrorRow(L"読めません")});
}

TEST_F(SnapshotFileTest, StoppingASaveOrAnOpenLeavesNoFile)
{
    const CCBDataArray nodes = CaptureEverything(EveryKindOfSource(m_dropped.Path()), m_app);
    const auto stop = [](uint64_t, uint64_t) { return true; };
    EXPECT_EQ(Save(nodes, {}, stop), SnapshotResult::Stopped);
    EXPECT_FALSE(FileExists(Path()));
    EXPECT_EQ(ListFolder(m_files.Path()).size(), 0u) << "no partial file";

    ASSERT_EQ(Save(nodes), SnapshotResult::Done);
    const size_t before = WorkFiles();
    CCBDataArray opened;
    CSnapshotInfo info;
    std::wstring error;
    EXPECT_EQ(Open(opened, info, error, stop), SnapshotResult::Stopped);
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(WorkFiles(), before);
}

TEST_F(SnapshotFileTest, ADumpFolderHoldsTheSnapshotAndReplacesOnlyAnEarlierDump)
{
    const CCBDataArray nodes = CaptureEverything(EveryKindOfSource(m_dropped.Path()), m_app);
    const std::wstring folder = m_files / L"dump";
    std::wstring error;
    for (int time = 0; time < 2; ++time)  // the second replaces the first
        ASSERT_EQ(SaveSnapshotFolder(folder, {}, nodes, {}, error), SnapshotResult::Done) << error;
    EXPECT_EQ(ListFolder(m_files.Path()), std::vector<std::wstring>{L"dump"}) << "no partial folder";
    CCBDataArray opened;
    CSnapshotInfo info;
    ASSERT_EQ(OpenSnapshotFile(folder, m_app, {}, info, opened, error), SnapshotResult::Done) << error;
    EXPECT_EQ(DescribeTree(opened), DescribeTree(nodes));

    WriteFileBytes(folder + L"\\notes.txt", "mine");
    EXPECT_EQ(SaveSnapshotFolder(folder, {}, nodes, {}, error), SnapshotResult::Failed);
    EXPECT_EQ(ReadFileBytes(folder + L"\\notes.txt"), "mine") << "a folder with other files is left alone";
}

TEST_F(SnapshotFileTest, ADumpFolderWhoseManifestNamesOtherThanPlexasEntriesIsRefused)
{
    const std::wstring folder = m_files / L"dump";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    ::CreateDirectoryW((folder + L"\\nodes").c_str(), nullptr);
    WriteFileBytes(m_files / L"secret.bin", "ab");
    WriteFileBytes(folder + L"\\nodes\\notes.txt", "ab");
    for (const char* name : {"../secret.bin", "nodes/notes.txt", "nodes/CON.bin", "nodes/1.bin."}) {
        WriteFileBytes(folder + L"\\manifest.json", ManifestOf({TextNode(name, 2)}));
        CCBDataArray opened;
        CSnapshotInfo info;
        std::wstring error;
        EXPECT_EQ(OpenSnapshotFile(folder, m_app, {}, info, opened, error), SnapshotResult::Failed) << name;
        EXPECT_EQ(error, FormatResString(IDS_DUMP_ENTRY_NAME_UNEXPECTED, FromUtf8(name).c_str()));
    }
}

TEST_F(SnapshotFileTest, ASaveThatCannotWriteSaysSoAndLeavesNothing)
{
    CSnapshotInfo info;
    std::wstring error;
    EXPECT_EQ(SaveSnapshotFile(m_files / L"missing\\s.plexa", info, {}, {}, error), SnapshotResult::Failed);
    EXPECT_NE(error.find(L"ファイルを作成できません"), std::wstring::npos) << error;
}

TEST_F(SnapshotFileTest, ASnapshotTooLargeToOpenAgainIsNotSavedAndLeavesNothing)
{
    CCBDataArray nodes;
    nodes.push_back(std::make_unique<CCBData>());
    nodes[0]->m_arrInfo = {std::wstring(kMaxManifestBytes, L'a')};
    const auto limit = static_cast<unsigned long long>(kMaxManifestBytes >> 20);
    for (const auto save : {&SaveSnapshotFile, &SaveSnapshotFolder}) {
        std::wstring error;
        EXPECT_EQ(save(Path(), {}, nodes, {}, error), SnapshotResult::Failed);
        EXPECT_EQ(error, FormatResString(IDS_SNAPSHOT_TOO_LARGE_TO_SAVE, limit + 1, limit));
        EXPECT_EQ(ListFolder(m_files.Path()).size(), 0u) << "nothing is left behind";
    }
}

struct HostileFile {
    const char* name;
    std::function<CEntries()> entries;  // empty: the bytes of `raw`
    std::string raw;
    const wchar_t* message;  // a part of the message
    // Names the writer refuses to write are put in afterwards, in the local
    // headers and the directory alike: every `from` in the file becomes `to`.
    std::string from = {};
    std::string to = {};
};

void ReplaceAll(std::string& bytes, const std::string& from, const std::string& to)
{
    for (size_t at = bytes.find(from); !from.empty() && at != std::string::npos; at = bytes.find(from, at + to.size()))
        bytes.replace(at, from.size(), to);
}

class HostileSnapshotFileTest : public SnapshotFileTest, public testing::WithParamInterface<HostileFile> {};

TEST_P(HostileSnapshotFileTest, IsRefusedWithItsProblemAndLeavesNothing)
{
    const HostileFile& file = GetParam();
    if (file.entries) {
        WriteArchive(Path(), file.entries());
        std::string bytes = ReadFileBytes(Path());
        ReplaceAll(bytes, file.from, file.to);
        WriteFileBytes(Path(), bytes);
    } else {
        WriteFileBytes(Path(), file.raw);
    }
    ExpectRefused(file.message);
}

CEntries WithManifest(std::vector<ManifestNode> nodes, CEntries entries)
{
    entries.insert(entries.begin(), {kManifestEntryName, ManifestOf(std::move(nodes))});
    return entries;
}

ManifestNode BitmapNode(const std::string& entry, uint64_t size)
{
    ManifestNode node;
    node.kind = ManifestNodeKind::Bitmap;
    node.format = {CF_BITMAP, {}, DVASPECT_CONTENT, -1, TYMED_GDI};
    node.picture = ManifestPicture{2, 2, 32, entry, size};
    return node;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileSnapshotFileTest,
    testing::Values(
        HostileFile{"NotAnArchive", {}, "just some text", L"ZIP 形式"},
        HostileFile{"Empty", {}, "", L"ZIP 形式"},
        HostileFile{"NoManifest", [] { return CEntries{{"nodes/000001.bin", "ab"}}; }, {}, L"manifest.json がありません"},
        HostileFile{"ManifestNotJson", [] { return CEntries{{kManifestEntryName, "{"}}; }, {}, L"JSON ではありません"},
        HostileFile{"EntryMissing", [] { return WithManifest({TextNode("nodes/000001.bin", 2)}, {}); }, {},
                    L"「nodes/000001.bin」がありません"},
        HostileFile{"ManifestAsANode",
                    [] { return WithManifest({TextNode(kManifestEntryName, 0)}, {}); }, {}, L"がありません"},
        HostileFile{"SizeLies",
                    [] { return WithManifest({TextNode("nodes/000001.bin", 5)}, {{"nodes/000001.bin", "ab"}}); },
                    {}, L"大きさ"},
        HostileFile{"EntryNamedTwice",
                    [] {
                        return WithManifest({TextNode("nodes/1.bin", 2), TextNode("nodes/1.bin", 2)},
                                            {{"nodes/1.bin", "ab"}});
                    },
                    {}, L"二度"},
        HostileFile{"PictureNotABitmap",
                    [] { return WithManifest({BitmapNode("nodes/1.bmp", 3)}, {{"nodes/1.bmp", "BM!"}}); }, {},
                    L"図を読めません"},
        HostileFile{"ParentFolderInName",
                    [] { return WithManifest({TextNode("xx/evil.bin", 2)}, {{"xx/evil.bin", "ab"}}); }, {},
                    L"使えません", "xx/", "../"},
        HostileFile{"DriveInName",
                    [] { return WithManifest({TextNode("Cx/evil.bin", 2)}, {{"Cx/evil.bin", "ab"}}); }, {},
                    L"使えません", "Cx/", "C:/"},
        HostileFile{"DuplicateEntries",
                    [] {
                        return WithManifest({TextNode("nodes/1.bin", 2)}, {{"nodes/1.bin", "ab"}, {"nodes/2.bin", "cd"}});
                    },
                    {}, L"重複", "nodes/2.bin", "nodes/1.bin"}),
    [](const auto& info) { return std::string(info.param.name); });

std::string TextOf(const HandArchive& archive)
{
    return {archive.bytes.begin(), archive.bytes.end()};
}

TEST_F(SnapshotFileTest, AManifestInflatingPastItsLimitIsRefusedUnread)
{
    const std::string padded = ManifestOf({}) + std::string(kMaxManifestBytes, ' ');
    const std::string file = TextOf(BuildArchive({DeflatedEntry(kManifestEntryName, padded)}));
    EXPECT_LT(file.size(), 300'000u);
    WriteFileBytes(Path(), file);
    ExpectRefused(LoadResString(IDS_MANIFEST_TOO_LARGE));
}

TEST_F(SnapshotFileTest, EntriesLargerThanTheWorkingFolderDriveAreRefusedBeforeOneIsWritten)
{
    constexpr uint64_t kClaimed = 1ull << 50;
    HandEntry entry = DeflatedEntry("nodes/000001.bin", "ab");
    entry.size = kClaimed;
    const std::string manifest = ManifestOf({TextNode(entry.name, kClaimed)});
    WriteFileBytes(Path(), TextOf(BuildArchive({StoredEntry(kManifestEntryName, manifest), entry}, true)));
    ExpectRefused(FormatResString(IDS_NO_ROOM_FOR_SNAPSHOT, static_cast<unsigned long long>(kClaimed >> 20)));
}

TEST_F(SnapshotFileTest, ATruncatedOrAlteredFileIsRefused)
{
    WriteArchive(Path(), WithManifest({TextNode("nodes/1.bin", 10)}, {{"nodes/1.bin", "0123456789"}}));
    const std::string whole = ReadFileBytes(Path());
    const size_t data = whole.find("0123456789");
    ASSERT_NE(data, std::string::npos);
    std::string altered = whole;
    altered[data + 4] = 'X';
    for (const auto& [bytes, message] : {std::pair{whole.substr(0, whole.size() / 2), L"ZIP 形式"},
                                         std::pair{altered, L"CRC"}}) {
        WriteFileBytes(Path(), bytes);
        const size_t before = WorkFiles();
        CCBDataArray nodes;
        CSnapshotInfo info;
        std::wstring error;
        EXPECT_EQ(Open(nodes, info, error), SnapshotResult::Failed);
        EXPECT_NE(error.find(message), std::wstring::npos) << error;
        EXPECT_EQ(WorkFiles(), before);
    }
}
