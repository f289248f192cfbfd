// `Plexa.exe /dump` of a clipboard holding one 256 MiB block, from
// CreateProcess to its exit, against what it cannot do without: writing the
// same bytes to a file, and starting the smallest window program. The
// platform's own cost of handing the block to another process is shown
// beside it.
#include "BenchReport.h"
#include "ProgramStart.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr SIZE_T kBlockSize = 256u << 20;
constexpr int kRuns = 3;
constexpr wchar_t kFormatName[] = L"Plexa Benchmark Block";

bool PutBlockOnClipboard()
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, kBlockSize);
    if (!block)
        return false;
    std::memset(::GlobalLock(block), 0x5A, kBlockSize);
    ::GlobalUnlock(block);
    const UINT format = ::RegisterClipboardFormatW(kFormatName);
    if (!::OpenClipboard(nullptr)) {
        ::GlobalFree(block);
        return false;
    }
    ::EmptyClipboard();
    const bool set = ::SetClipboardData(format, block) != nullptr;
    if (!set)
        ::GlobalFree(block);
    ::CloseClipboard();
    return set;
}

double SecondsToDump(const std::wstring& tempRoot, const std::wstring& folder)
{
    int status = -1;
    const double seconds = SecondsOf([&] { status = CPlexaCommand(tempRoot, L"/dump \"" + folder + L"\"").Wait(600000); });
    RemoveTree(folder);
    return status == 0 ? seconds : -1;
}

double SecondsToRun(const std::wstring& commandLine)
{
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    std::wstring line = commandLine;
    DWORD status = 1;
    const double seconds = SecondsOf([&] {
        if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
            return;
        ::WaitForSingleObject(info.hProcess, INFINITE);
        ::GetExitCodeProcess(info.hProcess, &status);
    });
    const CHandle process(info.hProcess), thread(info.hThread);
    return status == 0 ? seconds : -1;
}

double SecondsToWrite(const std::wstring& path, const std::vector<char>& bytes)
{
    const double seconds = SecondsOf([&] {
        const CFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        for (size_t at = 0; at < bytes.size(); at += written)
            if (!::WriteFile(file, bytes.data() + at, static_cast<DWORD>(std::min<size_t>(bytes.size() - at, 1u << 24)),
                             &written, nullptr))
                break;
    });
    ::DeleteFileW(path.c_str());
    return seconds;
}

}  // namespace

int main()
{
    const CTempDir temp;
    ::SetEnvironmentVariableW(L"TEMP", temp.Path().c_str());
    if (!PutBlockOnClipboard())
        return 1;
    const double dump = MedianOf(kRuns, [&] { return SecondsToDump(temp.Path(), temp / L"dump"); });
    const std::vector<char> bytes(kBlockSize, 0x5A);
    const double write = MedianOf(kRuns, [&] { return SecondsToWrite(temp / L"plain.bin", bytes); });
    SecondsToIdleWindow(Beside(L"minimal_window.exe"));  // the first start loads what later ones find cached
    const double start = MedianOf(kRuns, [] { return SecondsToIdleWindow(Beside(L"minimal_window.exe")); });
    const double read = MedianOf(
        kRuns,
        [] { return SecondsToRun(L"\"" + Beside(L"clipboard_read.exe") + L"\" \"" + kFormatName + L"\""); });
    if (dump <= 0 || start <= 0 || read <= 0)
        return 1;
    PrintRatio("cli-dump", dump / (write + start), 1.3);
    PrintDetail("median of %d runs: /dump of a 256 MiB block %.1f ms; writing it %.1f ms, "
                "the smallest window program's start %.1f ms",
                kRuns, dump * 1000, write * 1000, start * 1000);
    PrintDetail("the platform alone: another process's GetClipboardData of the block, with its start, %.1f ms",
                read * 1000);
    return 0;
}
