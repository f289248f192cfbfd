// What Plexa is asked to do by its command line.
#pragma once

#include <string>

struct CCommandLine {
    std::wstring snapshotFile;  // a snapshot file to open at start
};

// Reads a command line as the process received it (the program name first).
CCommandLine ParseCommandLine(const wchar_t* commandLine);
