// Timing a program's start from outside it, as a person waits for it.
#pragma once

#include "BenchReport.h"
#include "framework/Handles.h"
#include "support/PlexaProcess.h"

#include <string>

// A program beside the benchmark.
inline std::wstring Beside(const wchar_t* name)
{
    wchar_t self[MAX_PATH];
    std::wstring path(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH));
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

// Seconds to an idle, visible main window; the program is closed afterwards.
// Every start of Plexa is a first start, and leaves no settings behind. The
// program's standard error goes to the inheritable `errorOutput` when given.
inline double SecondsToIdleWindow(const std::wstring& path, HANDLE errorOutput = nullptr)
{
    ClearPlexaSettings();
    STARTUPINFOW startup{sizeof(startup)};
    if (errorOutput) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdError = errorOutput;
    }
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + path + L"\"";
    HWND window = nullptr;
    const double seconds = SecondsOf([&] {
        if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, errorOutput != nullptr, 0, nullptr,
                              nullptr, &startup, &info))
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
