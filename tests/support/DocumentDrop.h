// A drop handed to the document as a drop window hands one whose source
// offers no asynchronous transfer: taken during the drop call.
#pragma once

#include "ui/PlexaDoc.h"

// False when nothing was taken or the capture was stopped.
inline bool DropInto(CPlexaDoc& document, COleDataObject& dataObject, bool bChooseFormat)
{
    const auto drop = document.AcceptDrop(&dataObject, bChooseFormat, DROPEFFECT_COPY);
    return drop && document.TakeDrop(*drop) == S_OK;
}
