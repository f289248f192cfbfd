// The state of one capture run: the source, its palette, the byte budget of
// the top-level format being taken, and the progress dialog.
#pragma once

#include "capture/CBData.h"
#include "framework/Handles.h"

class COleDataObject;
class CCopyingDialog;

class CCBDataCreateContext {
public:
    CCBDataCreateContext() = default;
    virtual ~CCBDataCreateContext();
    CCBDataCreateContext(const CCBDataCreateContext&) = delete;
    CCBDataCreateContext& operator=(const CCBDataCreateContext&) = delete;

    COleDataObject* m_pDataObject = nullptr;  // not owned; null for the clipboard
    HPALETTE m_hPalette = nullptr;
    int m_bOwnPalette = 0;  // m_hPalette is our copy, deleted with the context
    uint64_t m_nTotal = 0;
    CCopyingDialog* m_pDialog = nullptr;  // not owned
};
