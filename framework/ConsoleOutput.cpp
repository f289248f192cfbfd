#include "framework/ConsoleOutput.h"

#include "framework/Utf8.h"

namespace {

bool IsUsable(HANDLE handle)
{
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

}

CConsoleOutput::CConsoleOutput()
    : m_out(::GetStdHandle(STD_OUTPUT_HANDLE)), m_error(::GetStdHandle(STD_ERROR_HANDLE))
{
    // A GUI program started from a console without redirection has no
    // handles of its own; it writes to that console.
    if ((IsUsable(m_out) && IsUsable(m_error)) || !::AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    m_console.Attach(::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
    if (!IsUsable(m_out))
        m_out = m_console;
    if (!IsUsable(m_error))
        m_error = m_console;
}

void CConsoleOutput::Write(HANDLE handle, std::wstring_view text)
{
    if (!IsUsable(handle) || text.empty())
        return;
    DWORD mode = 0;
    DWORD written = 0;
    if (::GetConsoleMode(handle, &mode)) {
        ::WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const std::string utf8 = ToUtf8(std::wstring(text));
    ::WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}
