#include "framework/ScaledImageList.h"

#include "framework/GdiPlus.h"
#include "framework/Resource.h"

#include <memory>

namespace {

// The strip in 32-bit ARGB, its key colour made transparent.
std::unique_ptr<Gdiplus::Bitmap> LoadKeyedStrip(UINT bitmapId, COLORREF key)
{
    const CBitmapHandle bitmap = LoadBitmapResource(bitmapId);
    if (!bitmap)
        return nullptr;
    Gdiplus::Bitmap opaque(bitmap, nullptr);
    const int width = static_cast<int>(opaque.GetWidth());
    const int height = static_cast<int>(opaque.GetHeight());
    auto strip = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
    const Gdiplus::Rect all(0, 0, width, height);
    Gdiplus::BitmapData in{};
    Gdiplus::BitmapData out{};
    if (width == 0 || strip->GetLastStatus() != Gdiplus::Ok ||
        opaque.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &in) != Gdiplus::Ok)
        return nullptr;
    const bool writable = strip->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &out) == Gdiplus::Ok;
    if (writable) {
        const Gdiplus::ARGB keyArgb = 0xFF000000 | (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
        for (int y = 0; y < height; ++y) {
            const auto* from = reinterpret_cast<const Gdiplus::ARGB*>(static_cast<const BYTE*>(in.Scan0) + y * in.Stride);
            auto* to = reinterpret_cast<Gdiplus::ARGB*>(static_cast<BYTE*>(out.Scan0) + y * out.Stride);
            for (int x = 0; x < width; ++x)
                to[x] = from[x] == keyArgb ? 0 : from[x];
        }
        strip->UnlockBits(&out);
    }
    opaque.UnlockBits(&in);
    return writable ? std::move(strip) : nullptr;
}

// A top-down 32-bit DIB section holding the premultiplied pixels of `image`.
CBitmapHandle MakePremultipliedDib(Gdiplus::Bitmap& image)
{
    const int width = static_cast<int>(image.GetWidth());
    const int height = static_cast<int>(image.GetHeight());
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    CBitmapHandle dib(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib)
        return {};
    // Read straight into the section: GDI+ writes the rows at the stride given.
    Gdiplus::BitmapData data{};
    data.Width = width;
    data.Height = height;
    data.Stride = width * 4;
    data.PixelFormat = PixelFormat32bppPARGB;
    data.Scan0 = bits;
    const Gdiplus::Rect all(0, 0, width, height);
    if (image.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppPARGB,
                       &data) != Gdiplus::Ok)
        return {};
    image.UnlockBits(&data);
    return dib;
}

}  // namespace

CImageListHandle CreateScaledImageList(UINT bitmapId, int count, SIZE size, COLORREF key)
{
    if (count <= 0 || size.cx <= 0 || size.cy <= 0)
        return {};
    const std::unique_ptr<Gdiplus::Bitmap> strip = LoadKeyedStrip(bitmapId, key);
    if (!strip)
        return {};
    const int cellWidth = static_cast<int>(strip->GetWidth()) / count;
    const int cellHeight = static_cast<int>(strip->GetHeight());
    Gdiplus::Bitmap scaled(size.cx * count, size.cy, PixelFormat32bppPARGB);
    {
        Gdiplus::Graphics canvas(&scaled);
        canvas.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        canvas.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        canvas.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        // Each image on its own, mirrored at its edges, so that no edge takes
        // colour from a neighbour or fades into nothing.
        Gdiplus::ImageAttributes edges;
        edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        for (int i = 0; i < count; ++i) {
            const std::unique_ptr<Gdiplus::Bitmap> cell(
                strip->Clone(i * cellWidth, 0, cellWidth, cellHeight, PixelFormat32bppARGB));
            if (!cell)
                return {};
            const Gdiplus::Rect target(i * size.cx, 0, size.cx, size.cy);
            canvas.DrawImage(cell.get(), target, 0, 0, cellWidth, cellHeight, Gdiplus::UnitPixel, &edges);
        }
    }
    const CBitmapHandle dib = MakePremultipliedDib(scaled);
    if (!dib)
        return {};
    CImageListHandle list(::ImageList_Create(size.cx, size.cy, ILC_COLOR32, count, 0));
    if (list && ::ImageList_Add(list, dib, nullptr) < 0)
        list.Close();
    return list;
}

CImageListHandle CreateImageList(UINT bitmapId, int count, SIZE size, COLORREF key)
{
    const CBitmapHandle bitmap = LoadBitmapResource(bitmapId);
    CImageListHandle images(bitmap ? ::ImageList_Create(size.cx, size.cy, ILC_COLOR24 | ILC_MASK, count, 0) : nullptr);
    if (images && ::ImageList_AddMasked(images.Get(), bitmap, key) < 0)
        images = CImageListHandle();
    return images;
}
