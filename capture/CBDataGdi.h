// Nodes that keep their own copies of GDI handles a source delivered:
// bitmaps (with palette), enhanced metafiles and metafile pictures.
#pragma once

#include "capture/CBData.h"
#include "capture/CaptureHost.h"
#include "framework/Handles.h"

class CCBData_GDI : public CCBData {
public:
    CCBData_GDI();

    // The size taken at capture when there is one, else the picture's own.
    CImagePtr CreateImage(int& width, int& height, int& bitsPerPixel) override;
    // A picture over the held handle; the handle stays the node's.
    virtual CImagePtr CreateGdiImage();

    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nBitsPerPixel = 0;
};

class CCBData_HBITMAP : public CCBData_GDI {
public:
    // Copies both handles; either may be null.
    CCBData_HBITMAP(HBITMAP hBitmap, HPALETTE hPalette);
    CImagePtr CreateGdiImage() override;

    CBitmapHandle m_hBitmap;
    CPaletteHandle m_hPalette;
};

class CCBData_HENHMF : public CCBData_GDI {
public:
    explicit CCBData_HENHMF(HENHMETAFILE hEnhMetaFile);
    CImagePtr CreateGdiImage() override;

    CEnhMetaFileHandle m_hEnhMetaFile;
};

class CCBData_HMETAFILEPICT : public CCBData_GDI {
public:
    // Copies the METAFILEPICT block with its metafile and writes the block's
    // bytes to a temporary file of `host`.
    CCBData_HMETAFILEPICT(HGLOBAL hMetaFilePict, const ICaptureHost& host);
    CImagePtr CreateGdiImage() override;

    CGlobalHandle m_hMetaFilePict;
    CMetaFileHandle m_hMetaFile;  // the copy that m_hMetaFilePict's block names
};
