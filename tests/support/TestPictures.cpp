#include "support/TestPictures.h"

#include "framework/ComPtr.h"
#include "framework/Handles.h"

#include <cstring>
#include <cwchar>
#include <vector>

namespace {

template <class T>
void Put(std::string& bytes, size_t offset, T value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof(T));
}

}  // namespace

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

std::string CreateTestDib(int cx, int cy, COLORREF color)
{
    std::string bytes(40, '\0');
    Put<uint32_t>(bytes, 0, 40);
    Put<int32_t>(bytes, 4, cx);
    Put<int32_t>(bytes, 8, cy);
    Put<uint16_t>(bytes, 12, 1);
    Put<uint16_t>(bytes, 14, 24);
    std::string row;
    for (int x = 0; x < cx; ++x)
        row += std::string{char(GetBValue(color)), char(GetGValue(color)), char(GetRValue(color))};
    row.resize((row.size() + 3) / 4 * 4, '\0');
    for (int y = 0; y < cy; ++y)
        bytes += row;
    return bytes;
}

std::string EncodePicture(Gdiplus::Image& picture, const wchar_t* mime)
{
    UINT count = 0, size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<BYTE> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, size, encoders);
    CComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        return {};
    for (UINT i = 0; i < count; ++i)
        if (std::wcscmp(encoders[i].MimeType, mime) == 0)
            picture.Save(stream.Get(), &encoders[i].Clsid, nullptr);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::string bytes(static_cast<size_t>(stat.cbSize.QuadPart), '\0');
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
    return bytes;
}

std::string CreateTestPictureFile(const wchar_t* mime, int cx, int cy, COLORREF color)
{
    Gdiplus::Bitmap bitmap(cx, cy, PixelFormat24bppRGB);
    Gdiplus::Graphics(&bitmap).Clear(Gdiplus::Color(255, GetRValue(color), GetGValue(color), GetBValue(color)));
    return EncodePicture(bitmap, mime);
}
