// Everything a data object offers, captured as a drop takes it but with no
// window: the nodes' bytes go to files of `host`.
#pragma once

#include "capture/CaptureDriver.h"
#include "framework/OleDataObject.h"

#include <gtest/gtest.h>

// `offered`, when given, receives the descriptions the source listed.
inline CCBDataArray CaptureEverything(IDataObject* source, const ICaptureHost& host,
                                      CFormatEtcArray* offered = nullptr)
{
    COleDataObject dataObject(source);
    CFormatEtcArray formats;
    EnumFormats(&dataObject, formats);
    CCBDataArray nodes;
    CHeadlessProgress progress;
    EXPECT_EQ(CaptureAll(nodes, &dataObject, formats, host, progress), CaptureOutcome::Complete);
    if (offered)
        *offered = std::move(formats);
    return nodes;
}
