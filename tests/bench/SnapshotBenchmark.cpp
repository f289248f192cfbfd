// The time to save and to open a snapshot of one 1 GiB node and 10,000 nodes
// of 1 KiB, against a plain copy of the same bytes between the same files.
#include "BenchReport.h"
#include "capture/SnapshotFile.h"
#include "framework/Handles.h"
#include "support/TestApp.h"

#include <ole2.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr uint64_t kLargeSize = 1ull << 30;
constexpr size_t kSmallCount = 10'000;
constexpr DWORD kSmallSize = 1024;
constexpr DWORD kPiece = 1u << 20;

void WriteNode(CCBData& node, const CTestApp& app, uint64_t size, BYTE seed)
{
    const CFileHandle file = app.CreateTempFile(node.m_strTempFile);
    std::vector<BYTE> piece(kPiece);
    for (size_t i = 0; i < piece.size(); ++i)
        piece[i] = static_cast<BYTE>(i * 131 + seed);
    for (uint64_t done = 0; done < size;) {
        const DWORD length = static_cast<DWORD>(std::min<uint64_t>(size - done, kPiece));
        DWORD written = 0;
        ::WriteFile(file, piece.data(), length, &written, nullptr);
        done += length;
    }
    node.m_nSize = size;
}

CCBDataArray MakeSnapshot(const CTestApp& app)
{
    CCBDataArray nodes;
    auto large = std::make_unique<CCBData>();
    large->m_fmt.cfFormat = CF_TEXT;
    WriteNode(*large, app, kLargeSize, 1);
    nodes.push_back(std::move(large));
    auto folder = std::make_unique<CCBData>();
    folder->m_fmt.cfFormat = CF_HDROP;
    folder->m_pChildren = std::make_unique<CCBDataArray>();
    for (size_t i = 0; i < kSmallCount; ++i) {
        auto small = std::make_unique<CCBData>();
        small->m_strName = L"file" + std::to_wstring(i);
        WriteNode(*small, app, kSmallSize, static_cast<BYTE>(i));
        folder->m_pChildren->push_back(std::move(small));
    }
    nodes.push_back(std::move(folder));
    return nodes;
}

void AppendFile(HANDLE to, const std::wstring& from, std::vector<BYTE>& piece)
{
    const CFileHandle file(::CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD read = 0;
    while (::ReadFile(file, piece.data(), kPiece, &read, nullptr) && read > 0) {
        DWORD written = 0;
        ::WriteFile(to, piece.data(), read, &written, nullptr);
    }
}

void ForEachFile(const CCBDataArray& nodes, const std::function<void(const CCBData&)>& visit)
{
    for (const auto& node : nodes) {
        if (!node->m_strTempFile.empty())
            visit(*node);
        if (node->m_pChildren)
            ForEachFile(*node->m_pChildren, visit);
    }
}

// Every node's file appended to one file, as the save gathers them.
void PlainGather(const CCBDataArray& nodes, const std::wstring& path)
{
    std::vector<BYTE> piece(kPiece);
    const CFileHandle to(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ForEachFile(nodes, [&](const CCBData& node) { AppendFile(to, node.m_strTempFile, piece); });
}

// That one file split again into a new file per node, as the open does.
void PlainSplit(const CCBDataArray& nodes, const std::wstring& path, const CTestApp& app,
                std::vector<std::wstring>& made)
{
    std::vector<BYTE> piece(kPiece);
    const CFileHandle from(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ForEachFile(nodes, [&](const CCBData& node) {
        std::wstring name;
        const CFileHandle to = app.CreateTempFile(name);
        made.push_back(name);
        for (uint64_t done = 0; done < node.m_nSize;) {
            const DWORD length = static_cast<DWORD>(std::min<uint64_t>(node.m_nSize - done, kPiece));
            DWORD read = 0, written = 0;
            ::ReadFile(from, piece.data(), length, &read, nullptr);
            ::WriteFile(to, piece.data(), read, &written, nullptr);
            done += length;
        }
    });
}

constexpr int kSaveRuns = 3;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Report(const char* name, const char* what, double seconds, double plain)
{
    const double mib = (kLargeSize + kSmallCount * kSmallSize) / double(1 << 20);
    PrintRatio(name, seconds / plain, 1.20);
    PrintDetail("%s: %.2f s (%.0f MiB/s); the plain copy %.2f s (%.0f MiB/s)", what, seconds, mib / seconds, plain,
                mib / plain);
}

}

int main()
{
    ::OleInitialize(nullptr);
    {
        CTestApp app;
        app.ClaimWorkFolder();
        const CCBDataArray nodes = MakeSnapshot(app);
        const std::wstring plainPath = app.MakeTempFileName();
        const std::wstring snapshotPath = app.MakeTempFileName() + L".plexa";
        const CSnapshotInfo info{L"bench", CurrentTimestamp()};
        std::wstring error;

        PlainGather(nodes, plainPath);  // warms the file system up
        // Gigabytes written just before are still being flushed: turns
        // alternate, each into a file that does not exist yet, and the
        // median of three counts.
        std::vector<double> plainSaves, saves;
        for (int run = 0; run < kSaveRuns; ++run) {
            ::DeleteFileW(plainPath.c_str());
            plainSaves.push_back(SecondsOf([&] { PlainGather(nodes, plainPath); }));
            ::DeleteFileW(snapshotPath.c_str());
            saves.push_back(SecondsOf([&] { SaveSnapshotFile(snapshotPath, info, nodes, {}, error); }));
        }
        const double plainSave = Median(plainSaves);
        Report("snapshot-save", "SaveSnapshotFile, median of 3", Median(saves), plainSave);

        std::vector<std::wstring> made;
        const double plainOpen = SecondsOf([&] { PlainSplit(nodes, plainPath, app, made); });
        for (const std::wstring& path : made)
            ::DeleteFileW(path.c_str());
        CCBDataArray opened;
        CSnapshotInfo openedInfo;
        const double open =
            SecondsOf([&] { OpenSnapshotFile(snapshotPath, app, {}, openedInfo, opened, error); });
        Report("snapshot-open", "OpenSnapshotFile", open, plainOpen);
        if (!error.empty())
            std::printf("failed: %ls\n", error.c_str());
        ::DeleteFileW(plainPath.c_str());
        ::DeleteFileW(snapshotPath.c_str());
    }
    ::OleUninitialize();
    return 0;
}
