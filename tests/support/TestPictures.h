// GDI pictures for test media. Each is new and owned by the caller.
#pragma once

#include "framework/GdiPlus.h"

#include <windows.h>

#include <string>

// A 32-bit device-dependent bitmap filled with one colour.
HBITMAP CreateTestBitmap(int cx, int cy, COLORREF color);
// A metafile picture block (MM_ANISOTROPIC with the given extents in
// 0.01 mm) whose metafile draws one rectangle.
HGLOBAL CreateTestMetafilePict(LONG xExt, LONG yExt);
// An enhanced metafile with the given frame (0.01 mm) that draws one rectangle.
HENHMETAFILE CreateTestEnhMetafile(const RECT& frame);

// A packed 24-bit device-independent bitmap (CF_DIB) of one colour.
std::string CreateTestDib(int cx, int cy, COLORREF color);
// The picture in the file format of `mime` ("image/png" ...), encoded by
// GDI+, which must be running; empty when no encoder takes it.
std::string EncodePicture(Gdiplus::Image& picture, const wchar_t* mime);
// A cx × cy picture of one colour, encoded as EncodePicture does.
std::string CreateTestPictureFile(const wchar_t* mime, int cx, int cy, COLORREF color);
