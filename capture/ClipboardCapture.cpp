#include "capture/ClipboardCapture.h"

#include "capture/ClipboardPrivacy.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"

std::wstring ClipboardSnapshotTitle(DWORD sequence)
{
    return FormatResString(IDS_CLIPBOARD_SNAPSHOT_TITLE, static_cast<unsigned>(sequence));
}

CClipboardPaste::CClipboardPaste() : m_nSequence(::GetClipboardSequenceNumber()), m_clipboard(nullptr)
{
    if (!m_clipboard)
        return;
    EnumFormats(nullptr, m_offered);
    m_bPrivacyRequest = ReadClipboardPrivacy().AsksToBeLeftAlone();
}

ClipboardCaptureResult CClipboardPaste::Check(const CPrivacyConsent& consent) const
{
    if (!m_clipboard)
        return ClipboardCaptureResult::CannotOpen;
    if (m_offered.empty())
        return ClipboardCaptureResult::Empty;
    if (m_bPrivacyRequest && !consent.Covers(m_nSequence))
        return ClipboardCaptureResult::LeftAlone;
    return ClipboardCaptureResult::Done;
}

ClipboardCaptureResult CClipboardPaste::Capture(const CFormatEtcArray& formats, const ICaptureHost& host,
                                                ICaptureProgress& progress, CSnapshotInfo& info, CCBDataArray& nodes)
{
    info = {ClipboardSnapshotTitle(m_nSequence), CurrentTimestamp(), {}, ThisComputer(), ReadClipboardOwner(), {},
            m_bPrivacyRequest, m_nSequence};
    GetFormatNames(m_offered, info.formatNames);
    const CaptureOutcome outcome = CaptureAll(nodes, nullptr, formats, host, progress, &m_clipboard);
    info.finished = CurrentTimestamp();
    return outcome == CaptureOutcome::Complete ? ClipboardCaptureResult::Done : ClipboardCaptureResult::Stopped;
}

ClipboardCaptureResult CaptureClipboard(const ICaptureHost& host, ICaptureProgress& progress,
                                        bool despitePrivacyRequest, CSnapshotInfo& info, CCBDataArray& nodes)
{
    CClipboardPaste paste;
    if (const ClipboardCaptureResult checked = paste.Check({despitePrivacyRequest}); checked != ClipboardCaptureResult::Done)
        return checked;
    return paste.Capture(paste.Offered(), host, progress, info, nodes);
}
