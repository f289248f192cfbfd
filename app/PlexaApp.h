// Plexa's application object: start-up, the working folder, the capture
// settings, delete-settings-and-exit, and wheel routing.
#pragma once

#include "app/WorkFolder.h"
#include "framework/WinApp.h"

#include <memory>

class CMainFrame;
class CSingleDocTemplate;

class CPlexaApp : public CWinApp {
public:
    CPlexaApp();
    ~CPlexaApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL PreTranslateMessage(MSG& msg) override;
    bool OnCmdMsg(UINT nID) override;

    // A new empty file in the working folder; empty when none could be made.
    std::wstring MakeTempFileName() const { return m_workFolder.MakeTempFileName(); }

    // Removes this application's registry settings, and the company key when
    // nothing else is left in it.
    void Unregister() const;

    CWorkFolder m_workFolder;
    BOOL m_bGdiplusStarted = FALSE;
    BOOL m_bDeleteSettingsOnExit = FALSE;
    int m_nSubDirSizeLimit = 128;
    int m_nHowToGetShellIDList = 0;

protected:
    // Where the working folder goes; tests point it elsewhere.
    virtual std::wstring GetTempRoot() const { return CWorkFolder::GetTempRoot(); }

private:
    void OnDeleteSettingsAndExit();

    ULONG_PTR m_gdiplusToken = 0;
    bool m_bOleInitialized = false;
    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
};

// The running application object.
CPlexaApp* GetPlexaApp();

// Registers the formats below; the start-up does it once.
void RegisterClipboardFormats();

// Clipboard formats registered at start-up.
extern UINT g_cfFileContents;
extern UINT g_cfFileGroupDescriptor;
extern UINT g_cfFileGroupDescriptorW;
