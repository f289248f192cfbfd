#include "viewers/DelayedProgress.h"

#include "framework/Resource.h"
#include "res/strings/viewers.h"
#include "viewers/CopyingDialog.h"

namespace {
constexpr ULONGLONG kDialogDelayMs = 300;
}

class CDelayedProgress::CShown {
public:
    CShown(HWND owner, const std::wstring& heading) : m_run(m_dialog, ::GetAncestor(owner, GA_ROOT))
    {
        m_dialog.m_static.SetWindowText(heading);
    }

    bool Show(uint64_t done, uint64_t total)
    {
        const uint64_t whole = total ? total : 1;
        m_dialog.ShowItem(FormatResString(IDS_PROGRESS_BYTES, static_cast<unsigned long long>(done * 100 / whole),
                                          static_cast<unsigned long long>(done >> 20),
                                          static_cast<unsigned long long>(total >> 20)));
        m_dialog.ShowPendingItem();
        PumpWaitingMessages(m_dialog);
        return m_dialog.m_bAbort != 0;
    }

private:
    CCopyingDialog m_dialog;
    const CProgressRun m_run;
};

CDelayedProgress::CDelayedProgress(HWND owner, std::wstring heading)
    : m_hOwner(owner), m_strHeading(std::move(heading)), m_nStarted(::GetTickCount64()), m_nLastPump(m_nStarted)
{
}

CDelayedProgress::~CDelayedProgress() = default;

bool CDelayedProgress::Report(uint64_t done, uint64_t total)
{
    const ULONGLONG now = ::GetTickCount64();
    if (now - m_nLastPump < kPumpIntervalMs)
        return false;
    m_nLastPump = now;
    if (!m_pShown && now - m_nStarted >= kDialogDelayMs)
        m_pShown = std::make_unique<CShown>(m_hOwner, m_strHeading);
    return m_pShown && m_pShown->Show(done, total);
}
