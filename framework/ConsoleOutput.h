// Standard output and standard error for a GUI program that runs a command
// without a window: the handles it was started with (files and pipes get
// UTF-8), else the console of the program that started it.
#pragma once

#include "framework/Handles.h"

#include <string_view>

class CConsoleOutput {
public:
    CConsoleOutput();
    CConsoleOutput(const CConsoleOutput&) = delete;
    CConsoleOutput& operator=(const CConsoleOutput&) = delete;

    void Out(std::wstring_view text) const { Write(m_out, text); }
    void Error(std::wstring_view text) const { Write(m_error, text); }

private:
    static void Write(HANDLE handle, std::wstring_view text);

    HANDLE m_out;
    HANDLE m_error;
    CFileHandle m_console;  // the parent's console, when attached to it
};
