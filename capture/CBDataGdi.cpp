#include "capture/CBDataGdi.h"

#include "framework/GdiPlus.h"

#include <ole2.h>

#include <cstring>

namespace {

// A copy of `handle` in `Owner`, the owner of its kind; empty for none.
template <class Owner, class H>
Owner Duplicate(H handle, CLIPFORMAT format)
{
    return Owner(handle ? static_cast<H>(::OleDuplicateData(handle, format, 0)) : nullptr);
}

}

CCBData_GDI::CCBData_GDI()
{
    m_nIcon = kIconPicture;
    m_nDefaultTab = kTabImage;
}

CImagePtr CCBData_GDI::CreateImage(int& width, int& height, int& bitsPerPixel)
{
    CImagePtr image = CreateGdiImage();
    if (m_nWidth != 0) {
        width = m_nWidth;
        height = m_nHeight;
        bitsPerPixel = m_nBitsPerPixel;
    } else if (image) {
        width = static_cast<int>(image->GetWidth());
        height = static_cast<int>(image->GetHeight());
        bitsPerPixel = 0;
    } else {
        width = height = bitsPerPixel = 0;
    }
    return image;
}

CImagePtr CCBData_GDI::CreateGdiImage()
{
    return nullptr;
}

CCBData_HBITMAP::CCBData_HBITMAP(HBITMAP hBitmap, HPALETTE hPalette)
    : m_hBitmap(Duplicate<CBitmapHandle>(hBitmap, CF_BITMAP)),
      m_hPalette(Duplicate<CPaletteHandle>(hPalette, CF_PALETTE))
{
    BITMAP description{};
    if (hBitmap && ::GetObjectW(hBitmap, sizeof(description), &description)) {
        m_nWidth = description.bmWidth;
        m_nHeight = description.bmHeight;
        m_nBitsPerPixel = description.bmPlanes * description.bmBitsPixel;
    }
}

CImagePtr CCBData_HBITMAP::CreateGdiImage()
{
    if (!m_hBitmap)
        return nullptr;
    return CImagePtr(new Gdiplus::Bitmap(m_hBitmap, m_hPalette));
}

CCBData_HENHMF::CCBData_HENHMF(HENHMETAFILE hEnhMetaFile)
    : m_hEnhMetaFile(Duplicate<CEnhMetaFileHandle>(hEnhMetaFile, CF_ENHMETAFILE))
{
}

CImagePtr CCBData_HENHMF::CreateGdiImage()
{
    if (!m_hEnhMetaFile)
        return nullptr;
    return CImagePtr(new Gdiplus::Metafile(m_hEnhMetaFile.Get(), FALSE));
}

// Copies the METAFILEPICT block and the metafile inside it, the copy's block
// naming the copied metafile. Done by hand: Wine's OleDuplicateData takes this
// format's handle for the metafile itself and fails.
namespace {

CGlobalHandle DuplicateMetaFilePict(HGLOBAL source)
{
    CGlobalLock from(source);
    const auto* picture = static_cast<const METAFILEPICT*>(from.Get());
    if (!picture || from.Size() < sizeof(METAFILEPICT))
        return {};
    CGlobalHandle copy(::GlobalAlloc(GMEM_MOVEABLE, from.Size()));
    CGlobalLock to(copy);
    if (!to)
        return {};
    std::memcpy(to.Get(), picture, from.Size());
    static_cast<METAFILEPICT*>(to.Get())->hMF = picture->hMF ? ::CopyMetaFileW(picture->hMF, nullptr) : nullptr;
    return copy;
}

}

CCBData_HMETAFILEPICT::CCBData_HMETAFILEPICT(HGLOBAL hMetaFilePict, const ICaptureHost& host)
    : m_hMetaFilePict(hMetaFilePict ? DuplicateMetaFilePict(hMetaFilePict) : CGlobalHandle())
{
    CGlobalLock block(m_hMetaFilePict);
    const auto* picture = static_cast<const METAFILEPICT*>(block.Get());
    if (!picture || !picture->hMF)
        return;
    m_hMetaFile.Attach(picture->hMF);
    m_nSize = block.Size();
    CFileHandle file = host.CreateTempFile(m_strTempFile);
    DWORD written = 0;
    if (file)
        ::WriteFile(file, picture, static_cast<DWORD>(m_nSize), &written, nullptr);
}

CImagePtr CCBData_HMETAFILEPICT::CreateGdiImage()
{
    if (!m_hMetaFile)
        return nullptr;
    return CImagePtr(new Gdiplus::Metafile(m_hMetaFile, nullptr, FALSE));
}
