#include "support/PlexaProcess.h"

#include "framework/Registry.h"

#include <vector>

namespace {

std::wstring PlexaPath()
{
    wchar_t self[MAX_PATH];
    std::wstring path(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH));
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"Plexa.exe";
}

}

void ClearPlexaSettings()
{
    registry::DeleteTree(L"Software\\Plexa\\Plexa");
    registry::DeleteIfNoSubkeys(L"Software\\Plexa");
}

HWND FindMainWindowOf(DWORD processId)
{
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    ::EnumWindows(
        [](HWND hWnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(hWnd, &owner);
            if (owner != s->processId || !::IsWindowVisible(hWnd) || ::GetWindow(hWnd, GW_OWNER))
                return TRUE;
            s->found = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

CPlexaProcess::CPlexaProcess(const std::wstring& tempRoot, const std::wstring& arguments)
{
    // The child inherits TEMP from us; put ours back right after.
    std::vector<wchar_t> saved(32768);
    const DWORD savedLength = ::GetEnvironmentVariableW(L"TEMP", saved.data(), static_cast<DWORD>(saved.size()));
    ::SetEnvironmentVariableW(L"TEMP", tempRoot.c_str());
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + PlexaPath() + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                         &info)) {
        ::CloseHandle(info.hThread);
        m_process.Attach(info.hProcess);
        m_processId = info.dwProcessId;
        ::WaitForInputIdle(info.hProcess, 20000);
    }
    ::SetEnvironmentVariableW(L"TEMP", savedLength ? saved.data() : nullptr);
}

CPlexaProcess::~CPlexaProcess()
{
    if (m_process && ::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT && Close() == -1)
        ::TerminateProcess(m_process, 1);
}

HWND CPlexaProcess::WaitForMainWindow(DWORD timeoutMs) const
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    do {
        if (const HWND found = FindMainWindowOf(m_processId))
            return found;
        ::Sleep(50);
    } while (::GetTickCount64() < deadline);
    return nullptr;
}

int CPlexaProcess::Close(DWORD timeoutMs)
{
    if (HWND window = WaitForMainWindow(0))
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 0;
    if (::WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0 || !::GetExitCodeProcess(m_process, &exitCode))
        return -1;
    return static_cast<int>(exitCode);
}
