// A test source offering every kind of medium the capture takes: memory,
// streams, storages with sub-storages, GDI pictures and metafiles, a file
// group with virtual files, a drop list, and failures.
#pragma once

#include "support/DropListBytes.h"
#include "support/FileGroupBytes.h"
#include "support/TempDir.h"

#include "support/TestDataObject.h"
#include "support/TestPictures.h"

// The drop list names a file and a folder with a file in it, written into
// `dropFolder`.
inline CComPtr<CTestDataObject> EveryKindOfSource(const std::wstring& dropFolder)
{
    const std::wstring dropped = dropFolder + L"\\dropped.txt";
    const std::wstring folder = dropFolder + L"\\folder";
    WriteFileBytes(dropped, "dropped");
    ::CreateDirectoryW(folder.c_str(), nullptr);
    WriteFileBytes(folder + L"\\inner.txt", "inner");

    const auto contents = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"FileContents"));
    const auto group = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"FileGroupDescriptorW"));
    const auto registered = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Plexa Test Format"));
    const LCID japanese = 0x0411;
    auto source = CTestDataObject::Create();
    source->Offer({.cf = CF_UNICODETEXT}, CTestMedium::Global(BytesOf(L"テキスト")));
    source->Offer({.cf = CF_TEXT}, CTestMedium::Global(BytesOf("text")));
    source->Offer({.cf = CF_LOCALE}, CTestMedium::Global(CBytes(reinterpret_cast<const BYTE*>(&japanese),
                                                                reinterpret_cast<const BYTE*>(&japanese + 1))));
    source->Offer({.cf = registered}, CTestMedium::Global(BytesOf("registered")));
    source->Offer({.cf = 0xC210, .tymed = TYMED_ISTREAM}, CTestMedium::Stream(PatternBytes(3000)));
    source->Offer({.cf = 0xC211, .tymed = TYMED_ISTREAM},
                  CTestMedium::Stream(PatternBytes(2'500'000), {.failReadAt = 1'200'000}));
    source->Offer({.cf = 0xC212, .tymed = TYMED_ISTORAGE},
                  CTestMedium::Storage(CTestStorage()
                                           .AddStream(L"Top", BytesOf("top"))
                                           .AddStorage(L"Inner", CTestStorage().AddStream(L"Deep", BytesOf("deep")))));
    source->Offer({.cf = CF_BITMAP, .tymed = TYMED_GDI}, CTestMedium::Bitmap(3, 2, RGB(1, 2, 3)));
    source->Offer({.cf = CF_PALETTE, .tymed = TYMED_GDI}, CTestMedium::Palette(RGB(1, 2, 3), RGB(200, 100, 50)));
    source->Offer({.cf = CF_ENHMETAFILE, .tymed = TYMED_ENHMF}, CTestMedium::EnhMetafile({0, 0, 500, 300}));
    source->Offer({.cf = CF_METAFILEPICT, .tymed = TYMED_MFPICT}, CTestMedium::MetafilePict(800, 600));
    source->Offer({.cf = CF_DIB}, CTestAnswer::Fail(DV_E_FORMATETC));
    source->Offer({.cf = CF_DIBV5}, CTestMedium::Global(BytesOf(CreateTestDib(4, 3, RGB(9, 8, 7)))));
    source->Offer({.cf = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"DragImageBits"))},
                  CTestMedium::Global(PatternBytes(40)));
    source->Offer({.cf = group}, CTestMedium::Global(FileGroupW({L"a.txt", L"b.txt", L"c.txt"}, 3)));
    source->Offer({.cf = contents, .tymed = TYMED_HGLOBAL | TYMED_ISTREAM})
        .At(0, CTestMedium::Global(BytesOf("first")))
        .At(1, CTestMedium::Stream(BytesOf("second")))
        .At(2, CTestAnswer::Fail(E_FAIL));
    source->Offer({.cf = CF_HDROP}, CTestMedium::Global(DropList({WidePath(dropped), WidePath(folder)}, true)));
    return source;
}
