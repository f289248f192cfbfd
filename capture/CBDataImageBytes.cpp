#include "capture/CBDataImageBytes.h"

#include "portable/DibLayout.h"
#include "portable/DragImageLayout.h"
#include "framework/GdiPlus.h"

ByteSpan CCBData_ImageBytes::Bytes()
{
    if (!m_pBytes)
        m_pBytes = LoadData();
    return m_pBytes ? ByteSpan(m_pBytes.get(), static_cast<size_t>(m_nSize)) : ByteSpan();
}

CImagePtr CCBData_DIB::CreateImage(int& width, int& height, int& bitsPerPixel)
{
    width = height = bitsPerPixel = 0;
    // Only a bitmap whose table and bits lie inside the captured bytes is drawn.
    const ByteSpan bytes = Bytes();
    const std::optional<DibLayout> layout = ReadDibLayout(bytes);
    if (!layout)
        return nullptr;
    width = layout->width;
    height = layout->height;
    bitsPerPixel = layout->planes * layout->bitCount;
    auto* info = reinterpret_cast<const BITMAPINFO*>(m_pBytes.get());
    return CImagePtr(new Gdiplus::Bitmap(info, m_pBytes.get() + layout->bitsOffset));
}

CImagePtr CCBData_DragImageBits::CreateImage(int& width, int& height, int& bitsPerPixel)
{
    width = height = bitsPerPixel = 0;
    const std::optional<DragImageLayout> layout = ReadDragImageLayout(Bytes());
    if (!layout)
        return nullptr;
    width = layout->width;
    height = layout->height;
    bitsPerPixel = 32;
    // Over the kept bytes, upwards from the last stored row, so the picture stands upright.
    return CImagePtr(new Gdiplus::Bitmap(layout->width, layout->height, layout->stride, PixelFormat32bppPARGB,
                                         m_pBytes.get() + layout->scan0Offset));
}
