// Programs of this machine's own (not Windows ones), run through Wine: X11
// programs that put data on the clipboard, and Python to read what Plexa wrote.
#pragma once

#include <windows.h>

#include <string>

// The path Linux knows the file at `path` by; empty outside Wine.
std::string UnixPathOf(const std::wstring& path);

// Starts `commandLine`; false when it could not be started. Wine hands back
// neither its end nor its exit status: a program's result is a file it writes
// whole under its name at the end, which WaitForFile waits for.
bool StartUnixProgram(const std::string& commandLine);
bool WaitForFile(const std::wstring& path, DWORD timeoutMs = 30000);

// A program started on construction that ends once it no longer owns the
// clipboard, which this takes back on destruction.
class CUnixProgram {
public:
    explicit CUnixProgram(const std::string& commandLine) { StartUnixProgram(commandLine); }
    ~CUnixProgram();
};
