// Taking what the clipboard holds now, as a paste does, for a caller with no
// window of its own.
#pragma once

#include "capture/CaptureDriver.h"
#include "capture/SnapshotFile.h"

// The title a paste gives its snapshot: the clipboard's sequence number.
std::wstring ClipboardSnapshotTitle(DWORD sequence);

enum class ClipboardCaptureResult { Done, Stopped, Empty, CannotOpen, LeftAlone };

// Captures every format on the clipboard into `nodes`, describing the
// snapshot in `info`. Data its source asks clipboard monitors to leave
// alone is taken only with `despitePrivacyRequest`, and is LeftAlone
// untouched otherwise. Throws std::bad_alloc when memory runs out.
ClipboardCaptureResult CaptureClipboard(const ICaptureHost& host, ICaptureProgress& progress,
                                        bool despitePrivacyRequest, CSnapshotInfo& info, CCBDataArray& nodes);
