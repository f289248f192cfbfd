// What Plexa is asked to do by its command line: open its window, or run one
// command without it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

enum class CommandKind { Window, Help, Dump, Save, Load, Compare, Check };

struct CCommandLine {
    CommandKind command = CommandKind::Window;
    std::wstring snapshotFile;  // Window: a snapshot file to open at start
    // Dump: the folder; Save, Load: the file; Compare: the two snapshots;
    // Check: the snapshot file or dump folder, none for the clipboard.
    std::vector<std::wstring> paths;
    int holdSeconds = 30;  // Load: how long the clipboard is served
    bool json = false;  // Dump, Compare, Check: the result as JSON
    bool force = false;  // Dump, Save, Check: take data its source asks monitors to leave alone
    bool strict = false;  // Check: warnings fail too
    LANGID language = 0;  // kJapaneseUi or kEnglishUi by /lang; 0 leaves Windows' choice
    // Why the arguments are wrong, in the language above; empty when they are right.
    std::wstring error;
};

// How the headless commands end; also the process's exit code. kExitDifferent
// is also /check's "errors found".
enum ExitStatus : int { kExitDone = 0, kExitDifferent = 1, kExitFailed = 2, kExitLeftAlone = 3 };

// Reads a command line as the process received it (the program name first).
// Options start with '/' or '-' and are not case-sensitive. Sets no language:
// the caller does, from the result, before anything is said.
CCommandLine ParseCommandLine(const wchar_t* commandLine);
