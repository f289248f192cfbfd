#include "framework/WinApp.h"

#include "framework/Registry.h"
#include "framework/StartupTrace.h"
#include "framework/Wnd.h"
#include "framework/FrameworkIds.h"

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

int AfxMessageBox(const std::wstring& text, UINT type)
{
    return AfxGetApp()->DoMessageBox(text, type);
}

int AfxMessageBox(UINT stringId, UINT type)
{
    return AfxMessageBox(LoadResString(stringId), type);
}

CWinApp::CWinApp() : m_strAppName(LoadResString(IDS_APP_TITLE))
{
    m_strProfileName = m_strAppName;
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

HWND CWinApp::GetMainHwnd() const
{
    return m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr;
}

int CWinApp::DoMessageBox(const std::wstring& text, UINT type)
{
    HWND owner = GetMainHwnd();
    if (owner)
        owner = ::GetLastActivePopup(owner);
    // The buttons speak the interface's language too, where the system has it.
    return ::MessageBoxExW(owner, text.c_str(), m_strAppName.c_str(), type, GetUiLanguage());
}

BOOL CWinApp::PreTranslateMessage(MSG& msg)
{
    for (HWND hWnd = msg.hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* wnd = CWnd::FromHandle(hWnd); wnd && wnd->PreTranslateMessage(msg))
            return TRUE;
    }
    return FALSE;
}

bool CWinApp::PumpMessage()
{
    startup_trace::BeforeWaiting();
    MSG msg;
    if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
        m_nExitCode = static_cast<int>(msg.wParam);
        return false;
    }
    if (!PreTranslateMessage(msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

int CWinApp::Run()
{
    // As in every framework of this kind, a failed start still runs ExitInstance.
    if (InitInstance())
        while (PumpMessage()) {
        }
    return ExitInstance();
}

void CWinApp::EndSession()
{
    if (m_pMainWnd)
        m_pMainWnd->DestroyWindow();
    m_nExitCode = ExitInstance();
}

void CWinApp::SetRegistryKey(const wchar_t* company)
{
    m_strRegistryKey = company;
}

std::wstring CWinApp::GetAppRegistryKey() const
{
    return L"Software\\" + m_strRegistryKey + L"\\" + m_strProfileName;
}

int CWinApp::GetProfileInt(const wchar_t* section, const wchar_t* entry, int defaultValue) const
{
    return registry::ReadInt(GetAppRegistryKey() + L"\\" + section, entry, defaultValue);
}

bool CWinApp::WriteProfileInt(const wchar_t* section, const wchar_t* entry, int value) const
{
    return registry::WriteInt(GetAppRegistryKey() + L"\\" + section, entry, value);
}

std::wstring CWinApp::GetProfileString(const wchar_t* section, const wchar_t* entry,
                                       const wchar_t* defaultValue) const
{
    return registry::ReadString(GetAppRegistryKey() + L"\\" + section, entry, defaultValue);
}

bool CWinApp::WriteProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* value) const
{
    return registry::WriteString(GetAppRegistryKey() + L"\\" + section, entry, value);
}
