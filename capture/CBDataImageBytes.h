// Nodes whose captured bytes are a picture layout: device-independent
// bitmaps (CF_DIB, CF_DIBV5) and shell drag images (DragImageBits). The bytes
// are loaded once, on the first picture, and kept: the picture refers to them.
#pragma once

#include "capture/CBData.h"

class CCBData_ImageBytes : public CCBData {
public:
    CCBData_ImageBytes() { m_nDefaultTab = kTabImage; }

protected:
    // Loads m_pBytes on first use; false when the node has no bytes.
    bool EnsureBytes();

public:
    std::unique_ptr<BYTE[]> m_pBytes;
};

class CCBData_DIB : public CCBData_ImageBytes {
};

class CCBData_DragImageBits : public CCBData_ImageBytes {
};
