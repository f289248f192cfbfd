// Plexa.exe started as a separate process, the way a person runs it, with
// its own TEMP folder; ended by closing its main window.
#pragma once

#include "framework/Handles.h"

#include <string>

// The visible top-level window of process `processId` that no other window
// owns (its main window), or null.
HWND FindMainWindowOf(DWORD processId);

// Removes the settings Plexa.exe saves, and the company key when nothing else
// is left in it, so that a start is a first start and leaves nothing behind.
void ClearPlexaSettings();

// Starts the Plexa.exe beside the test program with `arguments` after its
// name and `tempRoot` as its TEMP; standard output and error go to the
// inheritable `output` and `error` when given, and CreateProcess takes
// `creationFlags`. `info.hThread` is closed already.
bool StartPlexa(const std::wstring& tempRoot, const std::wstring& arguments, HANDLE output, HANDLE error,
                PROCESS_INFORMATION& info, DWORD creationFlags = 0);

// Plexa.exe run as a command, its standard output and error written to files.
class CPlexaCommand {
public:
    CPlexaCommand(const std::wstring& tempRoot, const std::wstring& arguments, DWORD creationFlags = 0);
    ~CPlexaCommand();
    CPlexaCommand(const CPlexaCommand&) = delete;
    CPlexaCommand& operator=(const CPlexaCommand&) = delete;

    DWORD ProcessId() const { return m_processId; }
    // Waits for the end, answering messages meanwhile: the test may own the
    // clipboard Plexa reads. The exit status, or -1 when it did not end in time.
    int Wait(DWORD timeoutMs = 60000);
    // What it wrote, as written (UTF-8).
    std::string Out() const;
    std::string Err() const;

private:
    std::wstring m_outPath;
    std::wstring m_errPath;
    CHandle m_process;
    DWORD m_processId = 0;
};

class CPlexaProcess {
public:
    // Starts the Plexa.exe beside the test program, with `arguments` after
    // its name on the command line.
    explicit CPlexaProcess(const std::wstring& tempRoot, const std::wstring& arguments = {});
    ~CPlexaProcess();
    CPlexaProcess(const CPlexaProcess&) = delete;
    CPlexaProcess& operator=(const CPlexaProcess&) = delete;

    bool IsStarted() const { return m_process.IsValid(); }
    // The visible top-level window of the process, once it exists.
    HWND WaitForMainWindow(DWORD timeoutMs = 20000) const;
    // Closes the main window and waits for the process to end; its exit code, or -1.
    int Close(DWORD timeoutMs = 20000);

private:
    CHandle m_process;
    DWORD m_processId = 0;
};
