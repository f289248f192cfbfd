#include "support/TestPictures.h"

#include "framework/Handles.h"

#include <vector>

HBITMAP CreateTestBitmap(int cx, int cy, COLORREF color)
{
    // 32-bit pixels are stored blue, green, red, unused; COLORREF is red first.
    const DWORD pixel = RGB(GetBValue(color), GetGValue(color), GetRValue(color));
    const std::vector<DWORD> pixels(static_cast<size_t>(cx) * cy, pixel);
    return ::CreateBitmap(cx, cy, 1, 32, pixels.data());
}

HGLOBAL CreateTestMetafilePict(LONG xExt, LONG yExt)
{
    HDC dc = ::CreateMetaFileW(nullptr);
    if (!dc)
        return nullptr;
    ::Rectangle(dc, 0, 0, 100, 100);
    CMetaFileHandle metafile(::CloseMetaFile(dc));
    CGlobalHandle global(::GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT)));
    if (!metafile || !global)
        return nullptr;
    {
        CGlobalLock lock(global);
        if (!lock)
            return nullptr;
        *static_cast<METAFILEPICT*>(lock.Get()) = {MM_ANISOTROPIC, xExt, yExt, metafile.Detach()};
    }
    return global.Detach();
}

HENHMETAFILE CreateTestEnhMetafile(const RECT& frame)
{
    HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
    if (!dc)
        return nullptr;
    ::Rectangle(dc, 0, 0, 100, 100);
    return ::CloseEnhMetaFile(dc);
}
