#include "support/TestApp.h"

#include "capture/RegisteredFormats.h"
#include "framework/Format.h"
#include "framework/Registry.h"

CTestApp::CTestApp()
{
    m_strProfileName = FormatString(L"PlexaTest-%lu", ::GetCurrentProcessId());
    SetRegistryKey(L"Plexa");
    RegisterClipboardFormats();
    registry::DeleteTree(GetAppRegistryKey());
}

CTestApp::~CTestApp()
{
    m_workFolder.Release();
    registry::DeleteTree(GetAppRegistryKey());
    registry::DeleteIfNoSubkeys(L"Software\\Plexa");
}

int CTestApp::DoMessageBox(const std::wstring& text, UINT type)
{
    m_messages.push_back(text);
    m_messageTypes.push_back(type);
    if (m_onMessageBox)
        m_onMessageBox(text);
    return m_nMessageAnswer;
}

std::wstring CTestApp::GetTempRoot() const
{
    return m_strTempRootOverride.empty() ? m_tempRoot.Path() : m_strTempRootOverride;
}

void CTestApp::ClaimWorkFolder()
{
    m_workFolder.Claim(GetTempRoot());
}

void CTestApp::PumpWaitingMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT)
        PumpMessage();
}

bool CTestApp::PumpUntilQuit(DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (::GetTickCount64() < deadline) {
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            continue;
        }
        if (!PumpMessage())
            return true;
    }
    return false;
}
