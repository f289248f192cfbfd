// The container against the archivers users have: Info-ZIP's unzip and zip,
// and Python's zipfile, each way round.
#include "portable/SnapshotManifest.h"
#include "portable/ZipArchive.h"
#include "ZipTestArchive.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

bool Have(const std::string& tool)
{
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs `command` and says whether it exited with 0; `output` gets what it printed.
bool RunCommand(const std::string& command, std::string* output = nullptr)
{
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return false;
    char buffer[4096];
    for (size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        if (output)
            output->append(buffer, read);
    }
    return pclose(pipe) == 0;
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, std::string_view bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Bytes that do not deflate.
std::string Noise(size_t size)
{
    std::string text(size, '\0');
    uint32_t state = 12345;
    for (char& c : text)
        c = static_cast<char>((state = state * 1103515245 + 12345) >> 24);
    return text;
}

// What our reader makes of the archive at `path`: every entry's name and bytes.
ZipError ReadWithPlexa(const fs::path& path, EntryTexts& read)
{
    const std::string bytes = ReadFile(path);
    return ReadArchive(ByteSpan(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), read);
}

class ZipInterop : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* tool : {"unzip", "zip", "python3"}) {
            if (!Have(tool))
                GTEST_SKIP() << tool << " is not installed";
        }
        const std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
        m_dir = fs::temp_directory_path() / ("plexa-zip-" + std::to_string(getpid()) + "-" + test);
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        if (!m_dir.empty())
            fs::remove_all(m_dir);
    }

    // `path` in single quotes for the shell; our paths hold none.
    static std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

    fs::path m_dir;
};

// A manifest as Plexa writes it, for the JSON readers of other tools.
std::string SnapshotManifestText()
{
    SnapshotManifest manifest;
    manifest.title = "クリップボード#42";
    ManifestNode node;
    node.label = "CF_UNICODETEXT";
    node.format = {13, {}, 1, -1, 1};
    node.size = 12;
    node.entry = "nodes/クリップボード.txt";
    node.rows = {{"エラー\t読めません", true}, {"名前\ta.txt"}};
    manifest.nodes = {node};
    return WriteManifest(manifest);
}

const EntryTexts kNodes = {{"manifest.json", SnapshotManifestText()}, {"nodes/000001.bin", ""},
                           {"nodes/000002.bin", "x"}, {"nodes/000003.bin", Noise(100'000)},
                           {"nodes/クリップボード.txt", "テキスト"}};

} // namespace

TEST_F(ZipInterop, UnzipAndPythonReadWhatPlexaWrote)
{
    CMemorySink sink;
    ASSERT_TRUE(WriteEntries(sink, kNodes));
    const fs::path archive = m_dir / "snapshot.plexa";
    WriteFile(archive, std::string(sink.Bytes().begin(), sink.Bytes().end()));

    EXPECT_TRUE(RunCommand("unzip -tqq " + Quoted(archive)));
    std::string names, expectedNames, listed, expectedListed;
    EXPECT_TRUE(RunCommand("unzip -Z1 " + Quoted(archive), &names));
    ASSERT_TRUE(RunCommand("unzip -qo " + Quoted(archive) + " -d " + Quoted(m_dir / "out")));
    for (const auto& [name, text] : kNodes) {
        expectedNames += name + "\n";
        expectedListed += name + " " + std::to_string(text.size()) + " " + std::to_string(Crc(text));
        expectedListed += " 0 2025-1-1 12:0:0\n";
        EXPECT_EQ(ReadFile(m_dir / "out" / name), text) << name;
    }
    EXPECT_EQ(names, expectedNames);

    // zipfile checks each CRC as it reads; the stamp is the DOS one we gave.
    EXPECT_TRUE(RunCommand("python3 -c 'import sys, zipfile, zlib\n"
                           "z = zipfile.ZipFile(sys.argv[1])\n"
                           "for i in z.infolist():\n"
                           "    d = z.read(i)\n"
                           "    t = \"%d-%d-%d %d:%d:%d\" % i.date_time\n"
                           "    print(i.filename, len(d), zlib.crc32(d), i.compress_type, t)' " +
                               Quoted(archive),
                           &listed));
    EXPECT_EQ(listed, expectedListed);

    std::string manifest;
    EXPECT_TRUE(RunCommand("python3 -c 'import json, sys, zipfile\n"
                           "m = json.loads(zipfile.ZipFile(sys.argv[1]).read(\"manifest.json\"))\n"
                           "rows = m[\"nodes\"][0][\"rows\"]\n"
                           "errors = [rows[i] for i in m[\"nodes\"][0][\"errorRows\"]]\n"
                           "print(m[\"format\"], m[\"title\"], m[\"nodes\"][0][\"entry\"], errors)' " +
                               Quoted(archive),
                           &manifest));
    EXPECT_EQ(manifest, "Plexa snapshot クリップボード#42 nodes/クリップボード.txt ['エラー\\t読めません']\n");
}

TEST_F(ZipInterop, PlexaReadsWhatPythonDeflated)
{
    const EntryTexts files = {{"empty.bin", ""}, {"pattern.bin", Pattern(300'000)}, {"noise.bin", Noise(70'000)},
                           {"日本語.txt", "テキスト"}};
    EntryTexts expected;
    std::string arguments;
    for (const auto& [name, text] : files) {
        WriteFile(m_dir / "in" / name, text);
        expected.emplace_back("nodes/" + name, text);
        arguments += " " + Quoted(name);
    }
    const fs::path archive = m_dir / "python.zip";
    ASSERT_TRUE(RunCommand("cd " + Quoted(m_dir / "in") + " && python3 -c 'import sys, zipfile\n"
                           "with zipfile.ZipFile(sys.argv[1], \"w\", zipfile.ZIP_DEFLATED) as z:\n"
                           "    [z.write(name, \"nodes/\" + name) for name in sys.argv[2:]]' " +
                           Quoted(archive) + arguments));
    EntryTexts read;
    EXPECT_EQ(ReadWithPlexa(archive, read), ZipError::None);
    EXPECT_EQ(read, expected);
}

TEST_F(ZipInterop, PlexaReadsWhatZipPackedWithFolders)
{
    WriteFile(m_dir / "in/nodes/000001.bin", Pattern(50'000));
    WriteFile(m_dir / "in/nodes/sub/000002.bin", Noise(1000));
    WriteFile(m_dir / "in/nodes/sub/empty.bin", "");
    const fs::path archive = m_dir / "zip.zip";
    ASSERT_TRUE(RunCommand("cd " + Quoted(m_dir / "in") + " && zip -qr " + Quoted(archive) + " nodes"));
    EntryTexts read;
    EXPECT_EQ(ReadWithPlexa(archive, read), ZipError::None);
    std::sort(read.begin(), read.end());
    EXPECT_EQ(read, (EntryTexts{{"nodes/", ""}, {"nodes/000001.bin", Pattern(50'000)}, {"nodes/sub/", ""},
                             {"nodes/sub/000002.bin", Noise(1000)}, {"nodes/sub/empty.bin", ""}}));
}

TEST_F(ZipInterop, UnzipAndPythonReadPlexaZip64Records)
{
    // On disk as a sparse file: only the kept pieces take space.
    LargeArchive& large = SharedLargeArchive();
    ASSERT_TRUE(large.written);
    {
        std::ofstream file(m_dir / "large.plexa", std::ios::binary);
        for (const auto& [offset, bytes] : large.archive.Pieces()) {
            file.seekp(static_cast<std::streamoff>(offset));
            file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        }
    }
    fs::resize_file(m_dir / "large.plexa", large.archive.Size());

    std::string after, listed;
    EXPECT_TRUE(RunCommand("unzip -p " + Quoted(m_dir / "large.plexa") + " nodes/000003.bin", &after));
    EXPECT_EQ(after, "after");
    EXPECT_TRUE(RunCommand("python3 -c 'import sys, zipfile\n"
                           "z = zipfile.ZipFile(sys.argv[1])\n"
                           "print([(i.filename, i.file_size) for i in z.infolist()], z.read(\"nodes/000003.bin\"))' " +
                               Quoted(m_dir / "large.plexa"),
                           &listed));
    const std::string size = std::to_string(kLargeEntrySize);
    EXPECT_EQ(listed, "[('manifest.json', 2), ('nodes/000001.bin', " + size + "), ('nodes/000002.bin', " + size +
                          "), ('nodes/000003.bin', 5)] b'after'\n");
}
