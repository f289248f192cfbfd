// The window's side of a capture run: the progress dialog over its owner,
// which stays disabled for the run, and the "中止" button that stops it,
// also while a call into the source waits for its answer.
#pragma once

#include "capture/CaptureProgress.h"
#include "viewers/CaptureMessageFilter.h"
#include "viewers/CopyingDialog.h"

#include <optional>

class CDialogCaptureProgress final : public ICaptureProgress {
public:
    explicit CDialogCaptureProgress(HWND owner);
    // The dialog goes and the owner is enabled; then the messages that
    // waited for the run are handled, before the caller goes on.
    ~CDialogCaptureProgress();
    CDialogCaptureProgress(const CDialogCaptureProgress&) = delete;
    CDialogCaptureProgress& operator=(const CDialogCaptureProgress&) = delete;

    void ShowItem(const std::wstring& text) override;
    // The dialog names the item being taken, not how many are left.
    void ShowProgress(uint64_t, uint64_t) override {}
    // Handles every waiting message, dialog navigation going to the dialog,
    // and shows the latest item, when the last time is a twentieth of a
    // second ago or more: small items then cost no repaint each and the
    // button still answers.
    bool ShouldStop() override;

    // "中止" was pressed.
    bool IsAborted() const { return m_dialog.m_bAbort != 0; }
    // The dialog, whose own messages are handled while a call into the source waits.
    HWND GetDialogWindow() const { return m_dialog.GetSafeHwnd(); }

private:
    CCopyingDialog m_dialog;
    std::optional<CProgressRun> m_run;
    std::optional<CCaptureMessageFilter> m_filter;
    ULONGLONG m_nLastPump = 0;  // GetTickCount64 of the last pump
};
