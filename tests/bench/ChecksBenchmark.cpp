// What the checks add to a capture: a 256 MiB PNG and a 256 MiB CF_DIBV5
// taken from a data object, against the same bytes offered under formats
// that no check reads, so that the copies are the same and only the
// checking differs.
#include "CaptureTiming.h"
#include "support/TestApp.h"
#include "support/TestDataObject.h"

#include <ole2.h>
#include <zlib.h>

#include <cstring>

namespace {

constexpr uint32_t kPngChunk = 1u << 20;
constexpr LONG kDibSide = 8192;  // 32-bit pixels: 256 MiB

void AddPngChunk(CBytes& png, const char* type, const CBytes& data)
{
    const auto put32 = [&](uint32_t value) {
        for (int shift : {24, 16, 8, 0})
            png.push_back(static_cast<BYTE>(value >> shift));
    };
    put32(static_cast<uint32_t>(data.size()));
    const size_t typeAt = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    put32(static_cast<uint32_t>(crc32(0, png.data() + typeAt, static_cast<uInt>(data.size() + 4))));
}

// A well-formed PNG of 256 IDAT chunks of 1 MiB (the checks inflate nothing).
CBytes LargePng()
{
    CBytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    AddPngChunk(png, "IHDR", {0, 0, 0x10, 0, 0, 0, 0x10, 0, 8, 6, 0, 0, 0});
    const CBytes data = PatternBytes(kPngChunk);
    for (int i = 0; i < 256; ++i)
        AddPngChunk(png, "IDAT", data);
    AddPngChunk(png, "IEND", {});
    return png;
}

// A V5 bitmap with premultiplied alpha, as a careful source writes one.
CBytes LargeDibV5()
{
    BITMAPV5HEADER header{sizeof(header), kDibSide, kDibSide, 1, 32, BI_BITFIELDS, kDibSide * kDibSide * 4};
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    header.bV5CSType = LCS_sRGB;
    CBytes dib(sizeof(header) + header.bV5SizeImage);
    std::memcpy(dib.data(), &header, sizeof(header));
    for (size_t at = sizeof(header); at < dib.size(); at += 4) {
        const BYTE alpha = static_cast<BYTE>(at >> 10);
        const BYTE pixel[4] = {static_cast<BYTE>(alpha / 2), static_cast<BYTE>(alpha / 3), alpha, alpha};
        std::memcpy(dib.data() + at, pixel, 4);
    }
    return dib;
}

}  // namespace

int main()
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ::OleInitialize(nullptr);
    {
        CTestApp app;
        app.ClaimWorkFolder();
        app.m_nSubDirSizeLimit = 1024;
        const CBytes png = LargePng();
        const CBytes dib = LargeDibV5();
        auto checked = CTestDataObject::Create();
        checked->Offer({.cf = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"PNG"))}, CTestMedium::Global(png));
        checked->Offer({.cf = CF_DIBV5}, CTestMedium::Global(dib));
        auto unchecked = CTestDataObject::Create();
        unchecked->Offer({.cf = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Plexa bench picture"))},
                         CTestMedium::Global(png));
        unchecked->Offer({.cf = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Plexa bench bitmap"))},
                         CTestMedium::Global(dib));
        SecondsToCapture(unchecked, app);  // warms the file system up
        std::vector<double> with, without;
        for (int run = 0; run < 9; ++run) {
            without.push_back(SecondsToCapture(unchecked, app));
            with.push_back(SecondsToCapture(checked, app));
        }
        std::sort(with.begin(), with.end());
        std::sort(without.begin(), without.end());
        const double withSeconds = with[with.size() / 2], withoutSeconds = without[without.size() / 2];
        const double pngSeconds = SecondsOf([&] { CheckBytes(CheckKind::Png, png, {}, 1u << 20); });
        const double dibSeconds = SecondsOf([&] { CheckBytes(CheckKind::DibV5, dib, {}, 1u << 20); });
        PrintRatio("checks", withSeconds / withoutSeconds, 1.05);
        PrintDetail("a 256 MiB PNG and a 256 MiB CF_DIBV5 captured: %.0f ms with their checks, %.0f ms under "
                    "formats no check reads (median of 9 each)", withSeconds * 1000, withoutSeconds * 1000);
        PrintDetail("the checks alone, in the pieces of a copy: %.0f ms for the PNG, %.0f ms for the bitmap",
                    pngSeconds * 1000, dibSeconds * 1000);
    }
    ::OleUninitialize();
    return 0;
}
