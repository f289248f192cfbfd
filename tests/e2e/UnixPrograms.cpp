#include "UnixPrograms.h"

#include "framework/Utf8.h"

std::string UnixPathOf(const std::wstring& path)
{
    using Convert = char*(CDECL*)(const wchar_t*);
    const auto convert =
        reinterpret_cast<Convert>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
    char* unix = convert ? convert(path.c_str()) : nullptr;
    std::string result = unix ? unix : "";
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return result;
}

bool StartUnixProgram(const std::string& commandLine)
{
    std::wstring line = L"start.exe /unix " + FromUtf8(commandLine);
    STARTUPINFOW startup{.cb = sizeof(startup)};
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                          &info))
        return false;
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return true;
}

bool WaitForFile(const std::wstring& path, DWORD timeoutMs)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        ::Sleep(50);
    }
    return false;
}

CUnixProgram::~CUnixProgram()
{
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
    // Wine takes the X selection a moment later: a program started meanwhile
    // would lose what it set.
    ::Sleep(500);
}
