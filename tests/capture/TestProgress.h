// A progress for the capture tests, with no window: it keeps what the run
// showed and stops the run at a chosen poll or when a test says so.
#pragma once

#include "capture/CaptureProgress.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class CTestProgress final : public ICaptureProgress {
public:
    // Stops from the `poll`-th poll on (1 is the first); never by default.
    explicit CTestProgress(size_t stopAtPoll = SIZE_MAX) : m_nStopAtPoll(stopAtPoll) {}

    void ShowItem(const std::wstring& text) override { m_strItem = text; }
    void ShowProgress(uint64_t done, uint64_t total) override { m_progress.emplace_back(done, total); }
    bool ShouldStop() override
    {
        ++m_nPolls;
        m_bStop = m_bStop || m_nPolls >= m_nStopAtPoll;
        return m_bStop;
    }
    // Stops from the next poll on, as a press of "中止" does.
    void Stop() { m_bStop = true; }

    std::wstring m_strItem;  // the last item shown
    std::vector<std::pair<uint64_t, uint64_t>> m_progress;
    size_t m_nPolls = 0;

private:
    size_t m_nStopAtPoll;
    bool m_bStop = false;
};
