#include "capture/CBDataGdi.h"

#include "app/PlexaApp.h"
#include "framework/GdiPlus.h"

#include <ole2.h>

#include <new>

namespace {

template <class H>
H Duplicate(H handle, CLIPFORMAT format)
{
    return handle ? static_cast<H>(::OleDuplicateData(handle, format, 0)) : nullptr;
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

CCBData_HBITMAP::CCBData_HBITMAP(HBITMAP hBitmap, HPALETTE hPalette)
    : m_hBitmap(Duplicate(hBitmap, CF_BITMAP)), m_hPalette(Duplicate(hPalette, CF_PALETTE))
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

CCBData_HENHMF::CCBData_HENHMF(HENHMETAFILE hEnhMetaFile) : m_hEnhMetaFile(Duplicate(hEnhMetaFile, CF_ENHMETAFILE))
{
}

CImagePtr CCBData_HENHMF::CreateGdiImage()
{
    if (!m_hEnhMetaFile)
        return nullptr;
    return CImagePtr(new Gdiplus::Metafile(m_hEnhMetaFile.Get(), FALSE));
}

CCBData_HMETAFILEPICT::CCBData_HMETAFILEPICT(HGLOBAL hMetaFilePict)
    : m_hMetaFilePict(Duplicate(hMetaFilePict, CF_METAFILEPICT))
{
    CGlobalLock block(m_hMetaFilePict);
    const auto* picture = static_cast<const METAFILEPICT*>(block.Get());
    if (!picture || block.Size() < sizeof(METAFILEPICT) || !picture->hMF)
        return;
    m_hMetaFile = picture->hMF;
    m_nSize = block.Size();
    m_strTempFile = GetPlexaApp()->MakeTempFileName();
    CFileHandle file(::CreateFileW(m_strTempFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file)
        ::WriteFile(file, picture, static_cast<DWORD>(m_nSize), &written, nullptr);
}

CCBData_HMETAFILEPICT::~CCBData_HMETAFILEPICT()
{
    // The copied block owns the copied metafile; both go together.
    if (m_hMetaFile)
        ::DeleteMetaFile(m_hMetaFile);
}

CImagePtr CCBData_HMETAFILEPICT::CreateGdiImage()
{
    if (!m_hMetaFile)
        return nullptr;
    return CImagePtr(new Gdiplus::Metafile(m_hMetaFile, nullptr, FALSE));
}
