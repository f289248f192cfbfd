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

bool StartPlexa(const std::wstring& tempRoot, const std::wstring& arguments, HANDLE output, HANDLE error,
                PROCESS_INFORMATION& info, DWORD creationFlags)
{
    // The child inherits TEMP from us; put ours back right after.
    std::vector<wchar_t> saved(32768);
    const DWORD savedLength = ::GetEnvironmentVariableW(L"TEMP", saved.data(), static_cast<DWORD>(saved.size()));
    ::SetEnvironmentVariableW(L"TEMP", tempRoot.c_str());
    STARTUPINFOW startup{sizeof(startup)};
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = error;
    }
    std::wstring commandLine = L"\"" + PlexaPath() + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    const bool started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, output != nullptr,
                                          creationFlags, nullptr, nullptr, &startup, &info) != FALSE;
    ::SetEnvironmentVariableW(L"TEMP", savedLength ? saved.data() : nullptr);
    if (started)
        ::CloseHandle(info.hThread);
    return started;
}

CPlexaProcess::CPlexaProcess(const std::wstring& tempRoot, const std::wstring& arguments)
{
    PROCESS_INFORMATION info{};
    if (StartPlexa(tempRoot, arguments, nullptr, nullptr, info)) {
        m_process.Attach(info.hProcess);
        m_processId = info.dwProcessId;
        ::WaitForInputIdle(info.hProcess, 20000);
    }
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

namespace {

CFileHandle CreateOutputFile(const std::wstring& path)
{
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    return CFileHandle(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::string ReadWholeFile(const std::wstring& path)
{
    const CFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (file && ::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    return bytes;
}

}

CPlexaCommand::CPlexaCommand(const std::wstring& tempRoot, const std::wstring& arguments, DWORD creationFlags)
{
    static int s_nRun = 0;
    const std::wstring stem = tempRoot + L"\\command" + std::to_wstring(++s_nRun);
    m_outPath = stem + L".out";
    m_errPath = stem + L".err";
    const CFileHandle out = CreateOutputFile(m_outPath);
    const CFileHandle err = CreateOutputFile(m_errPath);
    PROCESS_INFORMATION info{};
    if (out && err && StartPlexa(tempRoot, arguments, out, err, info, creationFlags)) {
        m_process.Attach(info.hProcess);
        m_processId = info.dwProcessId;
    }
}

CPlexaCommand::~CPlexaCommand()
{
    if (m_process && ::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT)
        ::TerminateProcess(m_process, 1);
    if (m_process)
        ::WaitForSingleObject(m_process, 5000);
    ::DeleteFileW(m_outPath.c_str());
    ::DeleteFileW(m_errPath.c_str());
}

int CPlexaCommand::Wait(DWORD timeoutMs)
{
    if (!m_process)
        return -1;
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            return -1;
        const HANDLE process = m_process;
        if (::MsgWaitForMultipleObjects(1, &process, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT) ==
            WAIT_OBJECT_0)
            break;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }
    DWORD exitCode = 0;
    return ::GetExitCodeProcess(m_process, &exitCode) ? static_cast<int>(exitCode) : -1;
}

std::string CPlexaCommand::Out() const
{
    return ReadWholeFile(m_outPath);
}

std::string CPlexaCommand::Err() const
{
    return ReadWholeFile(m_errPath);
}
