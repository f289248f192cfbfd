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
    explicit CSearchProgress(HWND owner) : m_hTop(::GetAncestor(owner, GA_ROOT))
    {
        m_dialog.Create(m_hTop);
        m_dialog.m_static.SetWindowText(L"検索中...");
        ::ShowWindow(m_dialog, SW_SHOW);
        if (m_hTop)
            ::EnableWindow(m_hTop, FALSE);
        ::SetFocus(m_dialog);
    }
    ~CSearchProgress()
    {
        // The top window first, so that activation passes back to it.
        if (m_hTop)
            ::EnableWindow(m_hTop, TRUE);
        m_dialog.DestroyWindow();
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
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // Left for the main loop, which ends once the search is over.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (::IsDialogMessageW(m_dialog, &msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        return m_dialog.m_bAbort != 0;
    }

private:
    HWND m_hTop;
    CCopyingDialog m_dialog;
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
