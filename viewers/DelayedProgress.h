// The progress of a long piece of work over bytes (a search, a save): for
// its first moments nothing, then the progress dialog, with the top-level
// window of `owner` disabled, whose "中止" button stops the work.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

class CDelayedProgress {
public:
    CDelayedProgress(HWND owner, std::wstring heading);
    ~CDelayedProgress();
    CDelayedProgress(const CDelayedProgress&) = delete;
    CDelayedProgress& operator=(const CDelayedProgress&) = delete;

    // Called often by the work; true once "中止" was pressed. Messages are
    // handled only while the dialog disables the window: before that,
    // nothing may close what the work reads.
    bool Report(uint64_t done, uint64_t total);

private:
    class CShown;

    HWND m_hOwner;
    std::wstring m_strHeading;
    ULONGLONG m_nStarted;
    ULONGLONG m_nLastPump;
    std::unique_ptr<CShown> m_pShown;
};
