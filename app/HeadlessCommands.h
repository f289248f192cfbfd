// The command line's commands, run without a window: progress and errors as
// lines on standard error, the result on standard output, the outcome as the
// exit status.
#pragma once

#include "app/CommandLine.h"
#include "capture/CaptureHost.h"
#include "capture/SnapshotFile.h"
#include "framework/ConsoleOutput.h"

class CHeadlessCommands {
public:
    CHeadlessCommands(const ICaptureHost& host, const CConsoleOutput& console) : m_host(host), m_console(console) {}

    // The exit status.
    int Run(const CCommandLine& commandLine);

private:
    // Captures the clipboard into `info` and `nodes`; kExitDone, or the status to end with.
    int CaptureClipboardNow(bool force, CSnapshotInfo& info, CCBDataArray& nodes);
    int Dump(const std::wstring& folder, bool json, bool force);
    int Save(const std::wstring& file, bool force);
    int Load(const std::wstring& file, int holdSeconds);
    // Ends serving `replay`: what can be rendered stays on the clipboard,
    // unless another program has replaced it.
    int LeaveOnClipboard(IDataObject& replay) const;
    int Compare(const std::wstring& first, const std::wstring& second, bool json);
    // The findings of the clipboard, or of the snapshot at `path` when one is given.
    int Check(const std::wstring& path, bool json, bool strict, bool force);
    // A line on standard error, after the program's name.
    void Say(const std::wstring& message) const;
    // Says why the command failed; kExitFailed.
    int Fail(const std::wstring& message) const;

    const ICaptureHost& m_host;
    const CConsoleOutput& m_console;
};
