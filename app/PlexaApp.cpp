#include "app/PlexaApp.h"

#include "framework/DocTemplate.h"
#include "framework/GdiPlus.h"
#include "framework/Registry.h"
#include "res/resource.h"
#include "ui/MainFrame.h"
#include "ui/PlexaDoc.h"

#include <commctrl.h>
#include <ole2.h>
#include <shobjidl.h>
#include <windowsx.h>

UINT g_cfFileContents = 0;
UINT g_cfFileGroupDescriptor = 0;
UINT g_cfFileGroupDescriptorW = 0;

namespace {
constexpr wchar_t kCompanyKey[] = L"Plexa";
}

void RegisterClipboardFormats()
{
    g_cfFileContents = ::RegisterClipboardFormatW(L"FileContents");
    g_cfFileGroupDescriptor = ::RegisterClipboardFormatW(L"FileGroupDescriptor");
    g_cfFileGroupDescriptorW = ::RegisterClipboardFormatW(L"FileGroupDescriptorW");
}

CPlexaApp* GetPlexaApp()
{
    return static_cast<CPlexaApp*>(AfxGetApp());
}

CPlexaApp::CPlexaApp()
{
    // Groups every Plexa window under one taskbar button whatever the version.
    ::SetCurrentProcessExplicitAppUserModelID(L"Plexa.AppID.NoVersion");
}

CPlexaApp::~CPlexaApp()
{
    m_pDocTemplate.reset();
    if (m_bGdiplusStarted)
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
}

BOOL CPlexaApp::InitInstance()
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);

    const Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &gdiplusInput, nullptr);
    m_bGdiplusStarted = TRUE;

    RegisterClipboardFormats();

    if (FAILED(::OleInitialize(nullptr))) {
        AfxMessageBox(IDS_OLE_INIT_FAILED);
        return FALSE;
    }
    m_bOleInitialized = true;

    SetRegistryKey(kCompanyKey);
    m_nSubDirSizeLimit = GetProfileInt(L"Settings", L"SubDirSizeLimit", 128);
    m_nHowToGetShellIDList = GetProfileInt(L"Settings", L"HowToGetShellIDList", 0);

    m_pDocTemplate = std::make_unique<CSingleDocTemplate>(
        IDR_MAINFRAME, [] { return std::make_unique<CPlexaDoc>(); }, [] { return std::make_unique<CMainFrame>(); });

    if (!m_workFolder.Claim(GetTempRoot())) {
        AfxMessageBox(L"作業用ファイルを開けません。\r\n" + m_workFolder.m_strCheckFile, MB_OK);
        return FALSE;
    }

    if (!m_pDocTemplate->OpenDocumentFile(m_nCmdShow))
        return FALSE;
    auto* frame = static_cast<CMainFrame*>(m_pDocTemplate->GetFrame());
    frame->RestoreWindowPlacement();
    ::UpdateWindow(*frame);
    return TRUE;
}

int CPlexaApp::ExitInstance()
{
    if (m_bOleInitialized) {
        ::OleUninitialize();
        m_bOleInitialized = false;
    }
    m_workFolder.Release();
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

bool CPlexaApp::OnCmdMsg(UINT nID)
{
    switch (nID) {
    case ID_DELETE_SETTINGS_AND_EXIT:
        OnDeleteSettingsAndExit();
        return true;
    }
    return false;
}

void CPlexaApp::OnDeleteSettingsAndExit()
{
    if (AfxMessageBox(L"Plexaの設定をレジストリから削除して終了します。\r\n\r\n"
                      L"アンインストールする場合はPlexa.exeファイルを別途削除してください。",
                      MB_OKCANCEL) != IDOK)
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
