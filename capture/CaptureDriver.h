// Taking a whole snapshot: listing what a source offers, then capturing
// every listed description under the progress dialog.
#pragma once

#include "capture/CBData.h"
#include "capture/CaptureHost.h"
#include "capture/FormatNames.h"

class COleDataObject;

// Appends the descriptions the data object offers, or, without one, those of
// the clipboard the caller has opened; repeated descriptions are listed once.
void EnumFormats(const COleDataObject* dataObject, CFormatEtcArray& formats);

// Captures every description into `result` under the settings and into the
// files of `host`, with the main window disabled for the run. std::bad_alloc
// leaves it after the dialog is gone and the window enabled.
void CaptureAll(CCBDataArray& result, COleDataObject* dataObject, const CFormatEtcArray& formats,
                const ICaptureHost& host);
