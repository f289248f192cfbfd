#include "capture/SnapshotPictures.h"

#include "portable/DibLayout.h"

#include <climits>
#include <cstddef>
#include <cstring>

namespace {

constexpr size_t kFileHeaderSize = sizeof(BITMAPFILEHEADER);
constexpr WORD kBitmapFileType = 0x4D42;  // "BM"
// GetPaletteEntries counts in WORDs.
constexpr size_t kMaxPaletteEntries = 65535;

// Depths GetDIBits writes as they are; the others are kept as 32 bits.
WORD StoredBitCount(WORD bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 24:
        return bitsPerPixel;
    default:
        return 32;
    }
}

}

CByteVector BitmapFileBytes(HBITMAP bitmap)
{
    BITMAP description{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(description), &description) || description.bmWidth <= 0 ||
        description.bmHeight <= 0)
        return {};
    BITMAPINFOHEADER header{sizeof(header)};
    header.biWidth = description.bmWidth;
    header.biHeight = description.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = StoredBitCount(description.bmBitsPixel * description.bmPlanes);
    header.biCompression = BI_RGB;
    const size_t colors = header.biBitCount <= 8 ? size_t{1} << header.biBitCount : 0;
    const size_t stride = ((static_cast<size_t>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    const size_t bitsSize = stride * static_cast<size_t>(header.biHeight);
    const size_t bitsOffset = kFileHeaderSize + sizeof(header) + colors * sizeof(RGBQUAD);
    CByteVector bytes(bitsOffset + bitsSize);
    auto* info = reinterpret_cast<BITMAPINFO*>(bytes.data() + kFileHeaderSize);
    info->bmiHeader = header;
    const int lines = ::GetDIBits(CClientDC(nullptr), bitmap, 0, static_cast<UINT>(header.biHeight),
                                  bytes.data() + bitsOffset, info, DIB_RGB_COLORS);
    if (lines != header.biHeight)
        return {};
    BITMAPFILEHEADER fileHeader{kBitmapFileType, static_cast<DWORD>(bytes.size()), 0, 0,
                                static_cast<DWORD>(bitsOffset)};
    std::memcpy(bytes.data(), &fileHeader, sizeof(fileHeader));
    return bytes;
}

CBitmapHandle BitmapFromFileBytes(ByteSpan bytes, int bitsPerPixel)
{
    if (bytes.size() < kFileHeaderSize || ReadU16(bytes, 0) != kBitmapFileType)
        return {};
    const ByteSpan packed = bytes.subspan(kFileHeaderSize);
    const auto layout = ReadDibLayout(packed);
    if (!layout || layout->compression != BI_RGB || layout->height < 0)
        return {};
    const auto* info = reinterpret_cast<const BITMAPINFO*>(packed.data());
    const void* bits = packed.data() + layout->bitsOffset;
    if (bitsPerPixel == 1) {
        CBitmapHandle bitmap(::CreateBitmap(layout->width, layout->height, 1, 1, nullptr));
        const int lines = ::SetDIBits(CClientDC(nullptr), bitmap, 0, static_cast<UINT>(layout->height), bits, info,
                                      DIB_RGB_COLORS);
        return lines == layout->height ? std::move(bitmap) : CBitmapHandle();
    }
    return CBitmapHandle(
        ::CreateDIBitmap(CClientDC(nullptr), &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS));
}

CByteVector PaletteEntryBytes(HPALETTE palette)
{
    const UINT count = palette ? ::GetPaletteEntries(palette, 0, 0, nullptr) : 0;
    CByteVector bytes(count * sizeof(PALETTEENTRY));
    if (count && ::GetPaletteEntries(palette, 0, count, reinterpret_cast<PALETTEENTRY*>(bytes.data())) != count)
        return {};
    return bytes;
}

CPaletteHandle PaletteFromEntryBytes(ByteSpan bytes)
{
    const size_t count = bytes.size() / sizeof(PALETTEENTRY);
    if (count == 0 || count > kMaxPaletteEntries || bytes.size() % sizeof(PALETTEENTRY) != 0)
        return {};
    std::vector<uint8_t> logical(offsetof(LOGPALETTE, palPalEntry) + bytes.size());
    auto* palette = reinterpret_cast<LOGPALETTE*>(logical.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    std::memcpy(palette->palPalEntry, bytes.data(), bytes.size());
    return CPaletteHandle(::CreatePalette(palette));
}

CByteVector EnhMetaFileBytes(HENHMETAFILE metafile)
{
    const UINT size = metafile ? ::GetEnhMetaFileBits(metafile, 0, nullptr) : 0;
    CByteVector bytes(size);
    if (size && ::GetEnhMetaFileBits(metafile, size, bytes.data()) != size)
        return {};
    return bytes;
}

CEnhMetaFileHandle EnhMetaFileFromBytes(ByteSpan bytes)
{
    if (bytes.empty() || bytes.size() > UINT_MAX)
        return {};
    return CEnhMetaFileHandle(::SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data()));
}

CByteVector MetaFileBytes(HMETAFILE metafile)
{
    const UINT size = metafile ? ::GetMetaFileBitsEx(metafile, 0, nullptr) : 0;
    CByteVector bytes(size);
    if (size && ::GetMetaFileBitsEx(metafile, size, bytes.data()) != size)
        return {};
    return bytes;
}

CMetaFileHandle MetaFileFromBytes(ByteSpan bytes)
{
    if (bytes.empty() || bytes.size() > UINT_MAX)
        return {};
    return CMetaFileHandle(::SetMetaFileBitsEx(static_cast<UINT>(bytes.size()), bytes.data()));
}
