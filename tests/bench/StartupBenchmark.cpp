// Start-up: from CreateProcess to a visible main window waiting for input,
// for Plexa.exe and for the smallest Win32 window program beside it, each
// started several times and the median taken.
#include "BenchReport.h"
#include "ProgramStart.h"
#include "support/TempDir.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kStarts = 9;

double MedianSecondsToIdleWindow(const std::wstring& path)
{
    SecondsToIdleWindow(path);  // the first start loads what every later one finds cached
    return MedianOf(kStarts, [&] { return SecondsToIdleWindow(path); });
}

// Plexa's own account of one start: the phases its start-up trace prints.
std::string TracedStart(const std::wstring& path, const std::wstring& traceFile)
{
    ::SetEnvironmentVariableW(L"PLEXA_STARTUP_TRACE", L"1");
    {
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        const CFileHandle trace(::CreateFileW(traceFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        SecondsToIdleWindow(path, trace);
    }
    ::SetEnvironmentVariableW(L"PLEXA_STARTUP_TRACE", nullptr);
    return ReadFileBytes(traceFile);
}

}  // namespace

int main()
{
    // Plexa's working folder goes under a TEMP of its own.
    const CTempDir temp;
    ::SetEnvironmentVariableW(L"TEMP", temp.Path().c_str());
    const double plexa = MedianSecondsToIdleWindow(Beside(L"Plexa.exe"));
    const double minimal = MedianSecondsToIdleWindow(Beside(L"minimal_window.exe"));
    if (plexa <= 0 || minimal <= 0)
        return 1;
    PrintRatio("startup", plexa / minimal, 1.3);
    PrintDetail("median of %d starts to an idle main window: Plexa.exe %.1f ms, the smallest window program %.1f ms",
                kStarts, plexa * 1000, minimal * 1000);
    PrintDetail("one start as Plexa traces it (from the process's creation; each phase's own time):");
    const std::string trace = TracedStart(Beside(L"Plexa.exe"), temp / L"trace.txt");
    for (size_t line = 0, end; line < trace.size(); line = end + 1) {
        end = std::min(trace.find('\n', line), trace.size());
        PrintDetail("  %s", trace.substr(line, end - line - (end > line && trace[end - 1] == '\r')).c_str());
    }
    return 0;
}
