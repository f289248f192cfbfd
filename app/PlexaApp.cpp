#include "app/PlexaApp.h"

#include "app/AboutDlg.h"
#include "app/HeadlessCommands.h"
#include "app/SettingDialog.h"
#include "capture/RegisteredFormats.h"
#include "common/SettingsNames.h"
#include "framework/DocTemplate.h"
#include "framework/Registry.h"
#include "framework/Resource.h"
#include "framework/StartupTrace.h"
#include "res/resource.h"
#include "res/strings/app.h"
#include "ui/MainFrame.h"
#include "ui/PlexaDoc.h"

#include <commctrl.h>
#include <shobjidl.h>
#include <windowsx.h>

namespace {
constexpr wchar_t kCompanyKey[] = L"Plexa";
}

CPlexaApp::CPlexaApp()
{
    // Groups every Plexa window under one taskbar button whatever the version.
    ::SetCurrentProcessExplicitAppUserModelID(L"Plexa.AppID.NoVersion");
}

// Out of line: the template's type is complete only here. The members go
// in reverse order: the document before OLE and GDI+.
CPlexaApp::~CPlexaApp() = default;

BOOL CPlexaApp::InitInstance()
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    startup_trace::Mark(L"common controls");

    m_pLibraries = std::make_unique<CLibraries>();
    RegisterClipboardFormats();
    startup_trace::Mark(L"OLE, GDI+ and clipboard formats");
    if (!m_pLibraries->ole.Succeeded()) {
        AfxMessageBox(IDS_OLE_INIT_FAILED);
        return FALSE;
    }

    LoadSettings();

    m_pDocTemplate = std::make_unique<CSingleDocTemplate>(
        IDR_MAINFRAME, [this] { return std::make_unique<CPlexaDoc>(*this); }, [] { return std::make_unique<CMainFrame>(); });

    if (!m_workFolder.Claim(GetTempRoot())) {
        AfxMessageBox(FormatResString(IDS_WORK_FILE_CANNOT_OPEN, m_workFolder.m_strCheckFile.c_str()), MB_OK);
        return FALSE;
    }

    startup_trace::Mark(L"settings and working folder");
    if (!m_pDocTemplate->OpenDocumentFile(m_nCmdShow))
        return FALSE;
    auto* frame = static_cast<CMainFrame*>(m_pDocTemplate->GetFrame());
    frame->RestoreWindowPlacement();
    startup_trace::Mark(L"placed");
    ::UpdateWindow(*frame);
    startup_trace::Mark(L"painted");
    // Opened in front of the user, who sees the progress and any message.
    if (!m_commandLine.snapshotFile.empty())
        static_cast<CPlexaDoc*>(m_pDocTemplate->GetDocument())->OpenSnapshot(m_commandLine.snapshotFile);
    return TRUE;
}

int CPlexaApp::RunHeadless()
{
    const CConsoleOutput console;
    if (m_commandLine.command == CommandKind::Help) {
        console.Out(L"Plexa " + CAboutDlg::VersionLine() + L"\r\n\r\n" + LoadResString(IDS_CMDLINE_HELP));
        return kExitDone;
    }
    if (!m_commandLine.error.empty()) {
        console.Error(L"Plexa: " + m_commandLine.error + L"\r\n" + LoadResString(IDS_CMDLINE_SEE_HELP) + L"\r\n");
        return kExitFailed;
    }
    const CScopedOle ole;
    RegisterClipboardFormats();
    if (!ole.Succeeded()) {
        console.Error(L"Plexa: " + LoadResString(IDS_OLE_CANNOT_START) + L"\r\n");
        return kExitFailed;
    }
    LoadSettings();
    // Claimed as every instance claims it, so that a running window keeps its files.
    if (!m_workFolder.Claim(GetTempRoot())) {
        const std::wstring& file = m_workFolder.m_strCheckFile;
        console.Error(L"Plexa: " + FormatResString(IDS_WORK_FILE_CANNOT_OPEN_LINE, file.c_str()) + L"\r\n");
        return kExitFailed;
    }
    const int status = CHeadlessCommands(*this, console).Run(m_commandLine);
    m_workFolder.Release();
    return status;
}

void CPlexaApp::LoadSettings()
{
    SetRegistryKey(kCompanyKey);
    m_nSubDirSizeLimit = GetProfileInt(settings::kSettingsSection, settings::kSubDirSizeLimit, 128);
    m_nHowToGetShellIDList = GetProfileInt(settings::kSettingsSection, settings::kHowToGetShellIDList, 0);
}

int CPlexaApp::ExitInstance()
{
    // The nodes delete their own files and release their COM objects while
    // OLE still runs; the folder is cleaned once they are gone. Safe to run
    // twice: a log-off runs it before the message loop ends.
    m_pDocTemplate.reset();
    m_workFolder.Release();
    m_pLibraries.reset();
    const int exitCode = CWinApp::ExitInstance();
    // Last, so that nothing written while closing survives.
    if (m_bDeleteSettingsOnExit)
        Unregister();
    return exitCode;
}

BOOL CPlexaApp::PreTranslateMessage(MSG& msg)
{
    // The wheel scrolls the pane under the pointer, not the one with the focus.
    if (msg.message == WM_MOUSEWHEEL && m_pMainWnd) {
        const POINT pt{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
        if (HWND target = ::WindowFromPoint(pt)) {
            ::SendMessageW(target, msg.message, msg.wParam, msg.lParam);
            return TRUE;
        }
    }
    return CWinApp::PreTranslateMessage(msg);
}

CaptureOptions CPlexaApp::GetCaptureOptions() const
{
    return {static_cast<int64_t>(m_nSubDirSizeLimit) * 1048576, m_nHowToGetShellIDList == 1};
}

bool CPlexaApp::OnCmdMsg(UINT nID)
{
    switch (nID) {
    case ID_SETTINGS:
        OnSettings();
        return true;
    case ID_APP_ABOUT:
        OnAppAbout();
        return true;
    case ID_DELETE_SETTINGS_AND_EXIT:
        OnDeleteSettingsAndExit();
        return true;
    }
    return false;
}

void CPlexaApp::OnSettings()
{
    CSettingDialog dialog;
    dialog.m_nSizeLimit = m_nSubDirSizeLimit;
    dialog.m_nShellIDListMode = m_nHowToGetShellIDList;
    if (dialog.DoModal(GetMainHwnd()) != IDOK)
        return;
    // The next capture uses them; the snapshot on screen stays as it was taken.
    m_nSubDirSizeLimit = dialog.m_nSizeLimit;
    m_nHowToGetShellIDList = dialog.m_nShellIDListMode;
    WriteProfileInt(settings::kSettingsSection, settings::kSubDirSizeLimit, m_nSubDirSizeLimit);
    WriteProfileInt(settings::kSettingsSection, settings::kHowToGetShellIDList, m_nHowToGetShellIDList);
}

void CPlexaApp::OnAppAbout()
{
    CAboutDlg dialog;
    dialog.DoModal(GetMainHwnd());
}

void CPlexaApp::OnDeleteSettingsAndExit()
{
    if (AfxMessageBox(IDS_DELETE_SETTINGS_QUESTION, MB_OKCANCEL) != IDOK)
        return;
    m_bDeleteSettingsOnExit = TRUE;
    if (m_pMainWnd)
        ::PostMessageW(*m_pMainWnd, WM_CLOSE, 0, 0);
}

void CPlexaApp::Unregister() const
{
    registry::DeleteTree(GetAppRegistryKey());
    registry::DeleteIfNoSubkeys(L"Software\\" + m_strRegistryKey);
}
