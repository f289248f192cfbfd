// Application object: start-up and shutdown hooks, the message loop, the
// end of the command route, per-user profile values and message boxes.
#pragma once

#include "framework/Resource.h"
#include "framework/CmdTarget.h"

#include <windows.h>

#include <string>

class CWnd;

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Overridables
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return m_nExitCode; }
    // The default offers the message to the windows from its target up to
    // the top-level window (accelerators, dialog navigation).
    virtual BOOL PreTranslateMessage(MSG& msg);
    // Every message box of the application goes through here.
    virtual int DoMessageBox(const std::wstring& text, UINT type);

    // Runs InitInstance, the message loop and ExitInstance; returns the exit code.
    int Run();
    // The log-on ends and the process with it: closes the main window and
    // runs ExitInstance at once (the loop runs it again after; it must
    // allow that).
    void EndSession();
    // Handles one waiting message the way the loop does; false once WM_QUIT arrives.
    bool PumpMessage();

    // Profile values under HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section>.
    void SetRegistryKey(const wchar_t* company);
    std::wstring GetAppRegistryKey() const;
    int GetProfileInt(const wchar_t* section, const wchar_t* entry, int defaultValue) const;
    bool WriteProfileInt(const wchar_t* section, const wchar_t* entry, int value) const;
    std::wstring GetProfileString(const wchar_t* section, const wchar_t* entry,
                                  const wchar_t* defaultValue = L"") const;
    bool WriteProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* value) const;

    // The main window's handle, the owner of the application's dialogs; null when there is none.
    HWND GetMainHwnd() const;

    // Attributes
    CWnd* m_pMainWnd = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;  // how the process was asked to show its window
    std::wstring m_strAppName;      // string 57344, the message-box title
    std::wstring m_strProfileName;  // the application's subkey; the application name unless changed
    std::wstring m_strRegistryKey;  // the company subkey set by SetRegistryKey

protected:
    int m_nExitCode = 0;
};

// The application object of this process (the most recently constructed one).
CWinApp* AfxGetApp();

int AfxMessageBox(const std::wstring& text, UINT type = MB_OK);
int AfxMessageBox(UINT stringId, UINT type = MB_OK);

