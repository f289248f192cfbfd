// Taking a whole snapshot: listing what a source offers, then capturing
// every listed description under a progress that can stop the run.
#pragma once

#include "capture/CBData.h"
#include "capture/CaptureHost.h"
#include "capture/CaptureProgress.h"
#include "capture/FormatNames.h"

class CClipboard;
class COleDataObject;

// Appends the descriptions the data object offers, or, without one, those of
// the clipboard the caller has opened; repeated descriptions are listed once.
void EnumFormats(const COleDataObject* dataObject, CFormatEtcArray& formats);

enum class CaptureOutcome { Complete, Stopped };

// Captures every description into `result` under the settings and into the
// files of `host`, showing the run in `progress` and ending it early once
// that says so: the nodes taken until then stay.
// A paste passes the clipboard it opened as `pasted`: the Win32 clipboard
// holds one block for all virtual files, so once every format is taken it is
// closed and the files are asked of the OLE clipboard one index at a time.
CaptureOutcome CaptureAll(CCBDataArray& result, COleDataObject* dataObject, const CFormatEtcArray& formats,
                          const ICaptureHost& host, ICaptureProgress& progress, CClipboard* pasted = nullptr);
