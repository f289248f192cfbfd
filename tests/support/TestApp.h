// The real application object with the seams tests need: message boxes are
// recorded and answered, settings live under a test key, and the working
// folder goes under a private temporary folder.
#pragma once

#include "app/PlexaApp.h"
#include "support/TempDir.h"

#include <functional>
#include <vector>

class CTestApp : public CPlexaApp {
public:
    CTestApp();
    ~CTestApp() override;

    int DoMessageBox(const std::wstring& text, UINT type) override;

    // Claims the working folder without starting the rest of the application.
    void ClaimWorkFolder();
    // Handles waiting messages until none is left or WM_QUIT arrives.
    void PumpWaitingMessages();
    // Handles messages until WM_QUIT; false when it has not come within the time.
    bool PumpUntilQuit(DWORD timeoutMs = 10000);

    CTempDir m_tempRoot;
    std::wstring m_strTempRootOverride;  // used instead of m_tempRoot when set
    std::vector<std::wstring> m_messages;
    std::vector<UINT> m_messageTypes;
    int m_nMessageAnswer = IDOK;
    // Called with each message box's text, while it would be on screen.
    std::function<void(const std::wstring&)> m_onMessageBox;

protected:
    std::wstring GetTempRoot() const override;
};
