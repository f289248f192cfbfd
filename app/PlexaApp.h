// Plexa's application object: start-up, the working folder, the capture
// settings with their dialog, the version dialog, delete-settings-and-exit,
// and wheel routing.
#pragma once

#include "app/CommandLine.h"
#include "app/WorkFolder.h"
#include "capture/CaptureHost.h"
#include "framework/GdiPlus.h"
#include "framework/ScopedOle.h"
#include "framework/WinApp.h"

#include <memory>

class CMainFrame;
class CSingleDocTemplate;

class CPlexaApp : public CWinApp, public ICaptureHost {
public:
    CPlexaApp();
    ~CPlexaApp() override;

    BOOL InitInstance() override;
    // Runs the command line's command without a window, or prints what is
    // wrong with it; the exit status.
    int RunHeadless();
    int ExitInstance() override;
    BOOL PreTranslateMessage(MSG& msg) override;
    bool OnCmdMsg(UINT nID) override;

    // A new empty file in the working folder; empty when none could be made.
    std::wstring MakeTempFileName() const { return m_workFolder.MakeTempFileName(); }

    // The capture's view of the settings and the working folder.
    CaptureOptions GetCaptureOptions() const override;
    CFileHandle CreateTempFile(std::wstring& path) const override { return m_workFolder.CreateTempFile(path); }
    std::wstring WorkFolder() const override { return m_workFolder.m_strWorkDir; }

    // Removes this application's registry settings, and the company key when
    // nothing else is left in it.
    void Unregister() const;

    CCommandLine m_commandLine;  // what the process was started with
    CWorkFolder m_workFolder;
    BOOL m_bDeleteSettingsOnExit = FALSE;
    int m_nSubDirSizeLimit = 128;
    int m_nHowToGetShellIDList = 0;

protected:
    // Where the working folder goes; tests point it elsewhere.
    virtual std::wstring GetTempRoot() const { return CWorkFolder::GetTempRoot(); }

private:
    void LoadSettings();
    void OnSettings();
    void OnAppAbout();
    void OnDeleteSettingsAndExit();

    // The libraries InitInstance starts; ExitInstance ends OLE, then GDI+.
    struct CLibraries {
        CScopedGdiPlus gdiplus;
        CScopedOle ole;
    };
    std::unique_ptr<CLibraries> m_pLibraries;
    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
};
