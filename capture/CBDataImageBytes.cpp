#include "capture/CBDataImageBytes.h"

#include "portable/DibLayout.h"
#include "portable/DragImageLayout.h"
#include "framework/GdiPlus.h"

#include <climits>
#include <cstring>

ByteSpan CCBData_ImageBytes::Bytes()
{
    if (!m_pBytes)
        m_pBytes = LoadData(&m_loadResult);
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
    // The kept copy is the picture's own: a profile it cannot hold is forgotten.
    if (HasProfileOutside(*layout, bytes))
        std::memcpy(m_pBytes.get() + kDibColorSpaceOffset, &kDibColorSpaceSrgb, sizeof(kDibColorSpaceSrgb));
    if (HasAlphaChannel(*layout, bytes) && layout->width <= INT_MAX / 4) {
        // GDI+ reads a DIB as opaque; over the kept bytes the alpha stays.
        // Bottom-up rows start from the last one stored, upwards.
        const int rows = layout->height < 0 ? -layout->height : layout->height;
        const int stride = layout->width * 4;
        BYTE* top = m_pBytes.get() + layout->bitsOffset;
        if (layout->height > 0)
            top += static_cast<size_t>(rows - 1) * stride;
        return CImagePtr(new Gdiplus::Bitmap(layout->width, rows, layout->height > 0 ? -stride : stride,
                                             PixelFormat32bppARGB, top));
    }
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
