// Work that handles messages while it reads what the window shows (a
// capture, a save, an open, a search, a drag of the program's own): while
// any runs on this thread, nothing may start that would replace it.
#pragma once

class CWorkInProgress {
public:
    CWorkInProgress() { ++s_nRunning; }
    ~CWorkInProgress() { --s_nRunning; }
    CWorkInProgress(const CWorkInProgress&) = delete;
    CWorkInProgress& operator=(const CWorkInProgress&) = delete;

    static bool Any() { return s_nRunning > 0; }

private:
    static inline thread_local int s_nRunning = 0;
};
