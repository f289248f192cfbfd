// Start-up: from CreateProcess to a visible main window waiting for input,
// for Plexa.exe and for the smallest Win32 window program beside it, each
// started several times and the median taken.
#include "BenchReport.h"
#include "framework/Handles.h"
#include "support/PlexaProcess.h"
#include "support/TempDir.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kStarts = 9;

std::wstring Beside(const wchar_t* name)
{
    wchar_t self[MAX_PATH];
    std::wstring path(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH));
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

// Seconds to an idle, visible main window; the program is closed afterwards.
// Every start of Plexa is a first start, and leaves no settings behind.
double SecondsToIdleWindow(const std::wstring& path)
{
    ClearPlexaSettings();
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + path + L"\"";
    HWND window = nullptr;
    const double seconds = SecondsOf([&] {
        if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &info))
            return;
        ::WaitForInputIdle(info.hProcess, 20000);
        while (!(window = FindMainWindowOf(info.dwProcessId)) && ::WaitForSingleObject(info.hProcess, 1) == WAIT_TIMEOUT)
            ;
    });
    const CHandle process(info.hProcess), thread(info.hThread);
    if (window)
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (process && ::WaitForSingleObject(process, 20000) != WAIT_OBJECT_0)
        ::TerminateProcess(process, 1);
    ClearPlexaSettings();
    return window ? seconds : -1;
}

double MedianSecondsToIdleWindow(const std::wstring& path)
{
    SecondsToIdleWindow(path);  // the first start loads what every later one finds cached
    std::vector<double> times;
    for (int i = 0; i < kStarts; ++i)
        times.push_back(SecondsToIdleWindow(path));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
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
    return 0;
}
