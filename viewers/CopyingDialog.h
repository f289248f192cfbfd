// The modeless progress dialog of long work (a capture run, a search, a
// save): what is being taken, and the "中止" button whose flag stops it.
#pragma once

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/WorkInProgress.h"

#include <string>

class CCopyingDialog : public CDialogEx {
public:
    CCopyingDialog();

    // Shows the text now, or as soon as the window exists; while items follow
    // each other faster than the eye can read, the edit is repainted at most
    // every tenth of a second and the rest waits for ShowPendingItem.
    void ShowItem(const std::wstring& text);
    // Shows the latest text that ShowItem kept back.
    void ShowPendingItem();

    std::wstring m_strText;
    int m_bAbort = 0;  // set once by the user, never cleared during a run
    CEdit m_edit;
    CStatic m_static;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;

private:
    void ShowText();

    bool m_bPending = false;  // m_strText is not in the edit yet
    ULONGLONG m_nLastShown = 0;
};

// The dialog shown, and `owner` disabled, for as long as a long piece of work
// lasts; afterwards the owner is enabled and focused again. Meanwhile no new
// snapshot may start.
class CProgressRun {
public:
    CProgressRun(CCopyingDialog& dialog, HWND owner);
    ~CProgressRun();
    CProgressRun(const CProgressRun&) = delete;
    CProgressRun& operator=(const CProgressRun&) = delete;

private:
    CCopyingDialog& m_dialog;
    HWND m_hOwner;
    const CWorkInProgress m_work;
};

// How often a long piece of work handles the messages waiting meanwhile:
// the "中止" button answers at once, and small items cost no repaint each.
inline constexpr ULONGLONG kPumpIntervalMs = 50;

// Handles every waiting message, dialog navigation going to `dialog` when
// there is one. WM_QUIT is left for the main loop, which ends once the work
// is over.
void PumpWaitingMessages(HWND dialog);
