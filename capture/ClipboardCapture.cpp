#include "capture/ClipboardCapture.h"

#include "framework/Clipboard.h"
#include "framework/Format.h"

std::wstring ClipboardSnapshotTitle(DWORD sequence)
{
    return FormatString(L"クリップボード#%u", static_cast<unsigned>(sequence));
}

ClipboardCaptureResult CaptureClipboard(const ICaptureHost& host, ICaptureProgress& progress, CSnapshotInfo& info,
                                        CCBDataArray& nodes)
{
    const DWORD sequence = ::GetClipboardSequenceNumber();
    CClipboard clipboard(nullptr);
    if (!clipboard)
        return ClipboardCaptureResult::CannotOpen;
    CFormatEtcArray all;
    EnumFormats(nullptr, all);
    if (all.empty())
        return ClipboardCaptureResult::Empty;
    info = {ClipboardSnapshotTitle(sequence), CurrentTimestamp(), ThisComputer(), ReadClipboardOwner(), {}};
    GetFormatNames(all, info.formatNames);
    return CaptureAll(nodes, nullptr, all, host, progress, &clipboard) == CaptureOutcome::Complete
               ? ClipboardCaptureResult::Done
               : ClipboardCaptureResult::Stopped;
}
