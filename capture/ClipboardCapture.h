// Taking what the clipboard holds now, as a paste does: the window, the
// watch and the command line check and capture under one opening, so that
// what was checked is what is taken.
#pragma once

#include "capture/CaptureDriver.h"
#include "capture/SnapshotFile.h"
#include "framework/Clipboard.h"

#include <optional>

// The title a paste gives its snapshot: the clipboard's sequence number.
std::wstring ClipboardSnapshotTitle(DWORD sequence);

enum class ClipboardCaptureResult { Done, Stopped, Empty, CannotOpen, LeftAlone };

// Leave to take data whose source asks clipboard monitors to leave it alone.
struct CPrivacyConsent {
    bool given = false;
    // Only for the clipboard as it was when the user was asked; any when empty.
    std::optional<DWORD> sequence;

    bool Covers(DWORD current) const { return given && (!sequence || *sequence == current); }
};

// One paste: the clipboard opened, what it offers listed and what its source
// asks read, until the object goes.
class CClipboardPaste {
public:
    CClipboardPaste();
    CClipboardPaste(const CClipboardPaste&) = delete;
    CClipboardPaste& operator=(const CClipboardPaste&) = delete;

    // Done when the paste may go on; CannotOpen, Empty, or LeftAlone when
    // its source asks to be left alone and `consent` does not cover it.
    ClipboardCaptureResult Check(const CPrivacyConsent& consent) const;
    DWORD Sequence() const { return m_nSequence; }
    const CFormatEtcArray& Offered() const { return m_offered; }

    // Captures `formats`, of those offered, into `nodes`, describing the
    // snapshot in `info`: Done or Stopped. Throws std::bad_alloc when memory
    // runs out.
    ClipboardCaptureResult Capture(const CFormatEtcArray& formats, const ICaptureHost& host,
                                   ICaptureProgress& progress, CSnapshotInfo& info, CCBDataArray& nodes);

private:
    DWORD m_nSequence;  // read before opening: a change while it is open counts as later
    CClipboard m_clipboard;
    CFormatEtcArray m_offered;
    bool m_bPrivacyRequest = false;
};

// Captures every format on the clipboard into `nodes`, describing the
// snapshot in `info`. Data its source asks clipboard monitors to leave
// alone is taken only with `despitePrivacyRequest`, and is LeftAlone
// untouched otherwise. Throws std::bad_alloc when memory runs out.
ClipboardCaptureResult CaptureClipboard(const ICaptureHost& host, ICaptureProgress& progress,
                                        bool despitePrivacyRequest, CSnapshotInfo& info, CCBDataArray& nodes);
