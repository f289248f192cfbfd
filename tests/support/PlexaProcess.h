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
