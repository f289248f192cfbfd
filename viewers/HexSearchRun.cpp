#include "viewers/HexSearchRun.h"

#include "capture/CopyingDialog.h"
#include "framework/Format.h"

#include <memory>

namespace {

constexpr ULONGLONG kDialogDelayMs = 300;
constexpr ULONGLONG kPumpIntervalMs = 50;

// The progress dialog with the top-level window disabled, for as long as it lives.
class CSearchProgress {
public:
    explicit CSearchProgress(HWND owner) : m_run(m_dialog, ::GetAncestor(owner, GA_ROOT))
    {
        m_dialog.m_static.SetWindowText(L"検索中...");
    }

    void Show(const CByteSearch& search)
    {
        const uint64_t total = search.Total() ? search.Total() : 1;
        m_dialog.ShowItem(FormatString(L"%llu%% (%llu MB / %llu MB)",
                                       static_cast<unsigned long long>(search.Done() * 100 / total),
                                       static_cast<unsigned long long>(search.Done() >> 20),
                                       static_cast<unsigned long long>(search.Total() >> 20)));
        m_dialog.ShowPendingItem();
    }

    // Lets the dialog and the windows repaint; true once "中止" was pressed.
    bool Pump()
    {
        PumpWaitingMessages(m_dialog);
        return m_dialog.m_bAbort != 0;
    }

private:
    CCopyingDialog m_dialog;
    const CProgressRun m_run;
};

}

SearchOutcome RunByteSearch(CByteSearch& search, const ByteReadFunction& read, HWND owner)
{
    const ULONGLONG started = ::GetTickCount64();
    ULONGLONG lastPump = started;
    // Messages are pumped only while the dialog disables the window: before
    // that, nothing may close the page whose data is being read.
    std::unique_ptr<CSearchProgress> progress;
    while (search.Step(read) == CByteSearch::State::Searching) {
        const ULONGLONG now = ::GetTickCount64();
        if (now - lastPump < kPumpIntervalMs)
            continue;
        lastPump = now;
        if (!progress && now - started >= kDialogDelayMs)
            progress = std::make_unique<CSearchProgress>(owner);
        if (progress) {
            progress->Show(search);
            if (progress->Pump())
                return SearchOutcome::Stopped;
        }
    }
    return search.GetState() == CByteSearch::State::Found ? SearchOutcome::Found : SearchOutcome::NotFound;
}
