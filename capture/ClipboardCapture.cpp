#include "capture/ClipboardCapture.h"

#include "capture/ClipboardPrivacy.h"
#include "framework/Clipboard.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"

std::wstring ClipboardSnapshotTitle(DWORD sequence)
{
    return FormatResString(IDS_CLIPBOARD_SNAPSHOT_TITLE, static_cast<unsigned>(sequence));
}

ClipboardCaptureResult CaptureClipboard(const ICaptureHost& host, ICaptureProgress& progress,
                                        bool despitePrivacyRequest, CSnapshotInfo& info, CCBDataArray& nodes)
{
    const DWORD sequence = ::GetClipboardSequenceNumber();
    CClipboard clipboard(nullptr);
    if (!clipboard)
        return ClipboardCaptureResult::CannotOpen;
    CFormatEtcArray all;
    EnumFormats(nullptr, all);
    if (all.empty())
        return ClipboardCaptureResult::Empty;
    const bool privacyRequest = ReadClipboardPrivacy().AsksToBeLeftAlone();
    if (privacyRequest && !despitePrivacyRequest)
        return ClipboardCaptureResult::LeftAlone;
    info = {ClipboardSnapshotTitle(sequence), CurrentTimestamp(), {}, ThisComputer(), ReadClipboardOwner(), {},
            privacyRequest, sequence};
    GetFormatNames(all, info.formatNames);
    const CaptureOutcome outcome = CaptureAll(nodes, nullptr, all, host, progress, &clipboard);
    info.finished = CurrentTimestamp();
    return outcome == CaptureOutcome::Complete ? ClipboardCaptureResult::Done : ClipboardCaptureResult::Stopped;
}
