#include "viewers/HexSearchRun.h"

#include "framework/Resource.h"
#include "res/strings/viewers.h"
#include "viewers/DelayedProgress.h"

SearchOutcome RunByteSearch(CByteSearch& search, const ByteReadFunction& read, HWND owner)
{
    CDelayedProgress progress(owner, LoadResString(IDS_HEX_SEARCHING));
    while (search.Step(read) == CByteSearch::State::Searching) {
        if (progress.Report(search.Done(), search.Total()))
            return SearchOutcome::Stopped;
    }
    return search.GetState() == CByteSearch::State::Found ? SearchOutcome::Found : SearchOutcome::NotFound;
}
