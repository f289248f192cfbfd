// How long a whole capture of a data object takes, as a drop takes it: with
// the progress dialog, without deleting what it took.
#pragma once

#include "BenchReport.h"
#include "capture/CaptureDriver.h"
#include "framework/OleDataObject.h"
#include "viewers/DialogCaptureProgress.h"

inline double SecondsToCapture(IDataObject* source, const ICaptureHost& host)
{
    COleDataObject dataObject(source);
    CFormatEtcArray formats;
    EnumFormats(&dataObject, formats);
    CCBDataArray result;
    return SecondsOf([&] {
        CDialogCaptureProgress progress(nullptr);
        CaptureAll(result, &dataObject, formats, host, progress);
    });
}
