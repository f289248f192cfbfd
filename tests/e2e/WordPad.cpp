#include "WordPad.h"

#include "support/PlexaProcess.h"

#include <richedit.h>

#include <cwchar>

CWordPad::CWordPad()
{
    wchar_t path[MAX_PATH]{};
    ::ExpandEnvironmentStringsW(L"%ProgramFiles%\\Windows NT\\Accessories\\wordpad.exe", path, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(path) + L"\"";
    STARTUPINFOW startup{.cb = sizeof(startup)};
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return;
    ::CloseHandle(info.hThread);
    m_process.Attach(info.hProcess);
    ::WaitForInputIdle(info.hProcess, 20000);
    for (int tries = 0; tries < 200 && !m_editor; ++tries) {
        if (const HWND frame = FindMainWindowOf(info.dwProcessId))
            ::EnumChildWindows(frame, FindEditor, reinterpret_cast<LPARAM>(&m_editor));
        if (!m_editor)
            ::Sleep(50);
    }
}

CWordPad::~CWordPad()
{
    if (m_process)
        ::TerminateProcess(m_process, 0);
}

bool CWordPad::Send(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(m_editor, msg, wParam, lParam, SMTO_ABORTIFHUNG, 20000, &result) != 0;
}

bool CWordPad::Paste() const
{
    return Send(WM_PASTE, 0, 0);
}

bool CWordPad::CopyRichText(const std::string& rtf) const
{
    // A rich edit control reads text that starts with {\rtf as rich text.
    const std::wstring text(rtf.begin(), rtf.end());
    return Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) && Send(EM_SETSEL, 0, -1) &&
           Send(WM_COPY, 0, 0);
}

std::wstring CWordPad::Text() const
{
    std::wstring text(4096, L'\0');
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(m_editor, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                          5000, &length);
    text.resize(length);
    return text;
}

BOOL CALLBACK CWordPad::FindEditor(HWND window, LPARAM editor)
{
    wchar_t className[64]{};
    ::GetClassNameW(window, className, 64);
    // RichEdit20W in Wine's WordPad, RICHEDIT50W in Windows'.
    if (_wcsnicmp(className, L"RichEdit", 8) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(editor) = window;
    return FALSE;
}
