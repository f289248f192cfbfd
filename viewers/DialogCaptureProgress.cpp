#include "viewers/DialogCaptureProgress.h"

CDialogCaptureProgress::CDialogCaptureProgress(HWND owner)
    : m_run(std::in_place, m_dialog, owner), m_filter(std::in_place, *this)
{
}

CDialogCaptureProgress::~CDialogCaptureProgress()
{
    m_filter.reset();
    m_run.reset();
    PumpWaitingMessages(nullptr);
}

void CDialogCaptureProgress::ShowItem(const std::wstring& text)
{
    m_dialog.ShowItem(text);
}

bool CDialogCaptureProgress::ShouldStop()
{
    const ULONGLONG now = ::GetTickCount64();
    if (now - m_nLastPump >= kPumpIntervalMs) {
        m_nLastPump = now;
        m_dialog.ShowPendingItem();
        PumpWaitingMessages(m_dialog);
    }
    return IsAborted();
}
