// Nodes whose captured bytes are a picture layout: device-independent
// bitmaps (CF_DIB, CF_DIBV5) and shell drag images (DragImageBits). The bytes
// are loaded once, on the first picture, and kept: the picture refers to them.
#pragma once

#include "portable/ByteReaderLayout.h"
#include "capture/CBData.h"

class CCBData_ImageBytes : public CCBData {
public:
    CCBData_ImageBytes() { m_nDefaultTab = kTabImage; }

    std::unique_ptr<BYTE[]> m_pBytes;
    // How the latest load went: the page that asked for the picture tells
    // the user when the file fell short.
    LoadResult m_loadResult = LoadResult::NoData;

protected:
    // The node's bytes, loaded on first use; empty when it has none.
    ByteSpan Bytes();
};

class CCBData_DIB : public CCBData_ImageBytes {
public:
    CImagePtr CreateImage(int& width, int& height, int& bitsPerPixel) override;
};

class CCBData_DragImageBits : public CCBData_ImageBytes {
public:
    CImagePtr CreateImage(int& width, int& height, int& bitsPerPixel) override;
};
