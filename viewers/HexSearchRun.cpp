#include "viewers/HexSearchRun.h"

#include "viewers/DelayedProgress.h"

SearchOutcome RunByteSearch(CByteSearch& search, const ByteReadFunction& read, HWND owner)
{
    CDelayedProgress progress(owner, L"検索中...");
    while (search.Step(read) == CByteSearch::State::Searching) {
        if (progress.Report(search.Done(), search.Total()))
            return SearchOutcome::Stopped;
    }
    return search.GetState() == CByteSearch::State::Found ? SearchOutcome::Found : SearchOutcome::NotFound;
}
