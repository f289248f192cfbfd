// Each kind of medium the test source delivers, as the platform sees it, and
// what the caller's ReleaseStgMedium leaves behind.
#include "framework/Handles.h"
#include "support/NoLeakTest.h"
#include "framework/StgMedium.h"
#include "support/TempDir.h"
#include "support/TestDataObject.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using MediumTest = CNoLeakTest;

constexpr CLIPFORMAT kFormat = 0xC0F2;

// The medium of one GetData for an object offering only `medium`.
void Deliver(CTestMedium medium, CStgMedium& out)
{
    auto source = CTestDataObject::Create();
    ASSERT_TRUE(source);
    source->Offer({.cf = kFormat, .tymed = kEveryTymed}, std::move(medium));
    FORMATETC request = CTestFormat{.cf = kFormat, .tymed = kEveryTymed}.ToFormatEtc();
    ASSERT_EQ(source->GetData(&request, &out), S_OK);
    EXPECT_EQ(out.pUnkForRelease, nullptr) << "the caller owns what it is given";
}

TEST_F(MediumTest, GlobalMemoryHoldsTheBytesAndIsFreedOnRelease)
{
    CStgMedium medium;
    ASSERT_NO_FATAL_FAILURE(Deliver(CTestMedium::Global(BytesOf(L"漢字")), medium));
    ASSERT_EQ(medium.tymed, DWORD{TYMED_HGLOBAL});
    EXPECT_EQ(::GlobalSize(medium.hGlobal), 4u);
    EXPECT_EQ(GlobalBytes(medium.hGlobal), (CBytes{0x22, 0x6F, 0x57, 0x5B}));

    const HGLOBAL global = medium.hGlobal;
    medium.Release();
    EXPECT_EQ(::GlobalFlags(global), UINT{GMEM_INVALID_HANDLE});
}

TEST_F(MediumTest, AnEmptyGlobalBlockIsDiscarded)
{
    CStgMedium medium;
    ASSERT_NO_FATAL_FAILURE(Deliver(CTestMedium::Global({}), medium));
    ASSERT_NE(medium.hGlobal, nullptr);
    EXPECT_EQ(::GlobalSize(medium.hGlobal), 0u);
    EXPECT_EQ(::GlobalLock(medium.hGlobal), nullptr);
}

TEST_F(MediumTest, EachFileIsNewAndDeletedOnRelease)
{
    CStgMedium first;
    CStgMedium second;
    ASSERT_NO_FATAL_FAILURE(Deliver(CTestMedium::File(PatternBytes(5000)), first));
    ASSERT_NO_FATAL_FAILURE(Deliver(CTestMedium::File({}), second));
    ASSERT_EQ(first.tymed, DWORD{TYMED_FILE});
    ASSERT_NE(first.lpszFileName, nullptr);
    const std::wstring path = first.lpszFileName;
    EXPECT_NE(path, second.lpszFileName);
    const CBytes expected = PatternBytes(5000);
    EXPECT_EQ(ReadFileBytes(path), std::string(expected.begin(), expected.end()));
    EXPECT_EQ(ReadFileBytes(second.lpszFileName), "");

    first.Release();
    EXPECT_FALSE(FileExists(path));
}

TEST_F(MediumTest, AStreamIsReadFromItsStartAndReleasedByTheCaller)
{
    CStgMedium medium;
    ASSERT_NO_FATAL_FAILURE(Deliver(CTestMedium::Stream(PatternBytes(1'500'000)), medium));
    ASSERT_EQ(medium.tymed, DWORD{TYMED_ISTREAM});
    STATSTG stat{};
    ASSERT_EQ(medium.pstm->Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(stat.cbSize.QuadPart, 1'500'000u);
    EXPECT_EQ(StreamBytes(medium.pstm), PatternBytes(1'500'000));

    const long live = LiveTestObjects();
    medium.Release();
    EXPECT_EQ(LiveTestObjects(), live - 1);
}

TEST_F(MediumTest, ABitmapHasItsSizeAndColourAndIsDeletedOnRelease)
{
    CStgMedium medium;
    ASSERT_NO_FATAL_FAILURE(Deliver(CTestMedium::Bitmap(3, 2, RGB(0x10, 0x20, 0x30)), medium));
    ASSERT_EQ(medium.tymed, DWORD{TYMED_GDI});
    BITMAP info{};
    ASSERT_EQ(::GetObjectW(medium.hBitmap, sizeof info, &info), int{sizeof info});
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 2);
    EXPECT_EQ(info.bmBitsPixel, 32);
    DWORD pixels[6]{};
    ASSERT_EQ(::GetBitmapBits(medium.hBitmap, sizeof pixels, pixels), LONG{sizeof pixels});
    EXPECT_EQ(pixels[5], 0x102030u);

    const HBITMAP bitmap = medium.hBitmap;
    medium.Release();
    EXPECT_EQ(::GetObjectType(bitmap), 0u);
}

TEST_F(MediumTest, AMetafilePictureAndItsMetafileAreDeletedOnRelease)
{
    CStgMedium medium;
    ASSERT_NO_FATAL_FAILURE(Deliver(CTestMedium::MetafilePict(2540, 1270), medium));
    ASSERT_EQ(medium.tymed, DWORD{TYMED_MFPICT});
    HMETAFILE metafile = nullptr;
    {
        CGlobalLock lock(medium.hMetaFilePict);
        ASSERT_TRUE(lock);
        const auto& picture = *static_cast<const METAFILEPICT*>(lock.Get());
        EXPECT_EQ(picture.mm, MM_ANISOTROPIC);
        EXPECT_EQ(picture.xExt, 2540);
        EXPECT_EQ(picture.yExt, 1270);
        metafile = picture.hMF;
    }
    EXPECT_EQ(::GetObjectType(metafile), DWORD{OBJ_METAFILE});
    EXPECT_GT(::GetMetaFileBitsEx(metafile, 0, nullptr), 0u);

    medium.Release();
    EXPECT_EQ(::GetObjectType(metafile), 0u);
}

TEST_F(MediumTest, AnEnhancedMetafileKeepsItsFrameAndIsDeletedOnRelease)
{
    CStgMedium medium;
    ASSERT_NO_FATAL_FAILURE(Deliver(CTestMedium::EnhMetafile({0, 0, 5000, 3000}), medium));
    ASSERT_EQ(medium.tymed, DWORD{TYMED_ENHMF});
    ENHMETAHEADER header{};
    ASSERT_EQ(::GetEnhMetaFileHeader(medium.hEnhMetaFile, sizeof header, &header), UINT{sizeof header});
    EXPECT_EQ(header.rclFrame.right, 5000);
    EXPECT_EQ(header.rclFrame.bottom, 3000);

    const HENHMETAFILE metafile = medium.hEnhMetaFile;
    medium.Release();
    EXPECT_EQ(::GetObjectType(metafile), 0u);
}

TEST_F(MediumTest, NullMediaCarryTheirTymedOnly)
{
    for (DWORD tymed : {TYMED_NULL, TYMED_HGLOBAL, TYMED_FILE, TYMED_ISTREAM, TYMED_ISTORAGE}) {
        CStgMedium medium;
        ASSERT_NO_FATAL_FAILURE(Deliver(CTestMedium::Null(tymed), medium));
        EXPECT_EQ(medium.tymed, tymed);
        EXPECT_EQ(medium.hGlobal, nullptr);
    }
}

TEST_F(MediumTest, ALyingTymedStillReleasesTheTrueMedium)
{
    auto source = CTestDataObject::Create();
    ASSERT_TRUE(source);
    source->Offer({.cf = kFormat}, CTestMedium::Stream(BytesOf("s")).WithExtraTymed(TYMED_HGLOBAL));
    source->Offer({.cf = kFormat, .tymed = TYMED_GDI},
                  CTestMedium::Bitmap(1, 1, 0).WithExtraTymed(TYMED_ISTORAGE | 0x80));
    const long live = LiveTestObjects();

    CStgMedium stream;
    FORMATETC request = CTestFormat{.cf = kFormat}.ToFormatEtc();
    ASSERT_EQ(source->GetData(&request, &stream), S_OK);
    EXPECT_EQ(stream.tymed, DWORD{TYMED_HGLOBAL | TYMED_ISTREAM});
    EXPECT_NE(stream.pUnkForRelease, nullptr);
    EXPECT_EQ(StreamBytes(stream.pstm), BytesOf("s"));
    EXPECT_EQ(LiveTestObjects(), live + 2) << "the stream and its owner";
    stream.Release();
    EXPECT_EQ(LiveTestObjects(), live);

    CStgMedium bitmap;
    request.tymed = TYMED_GDI;
    ASSERT_EQ(source->GetData(&request, &bitmap), S_OK);
    EXPECT_EQ(bitmap.tymed, DWORD{TYMED_GDI | TYMED_ISTORAGE | 0x80});
    const HBITMAP handle = bitmap.hBitmap;
    EXPECT_EQ(::GetObjectType(handle), DWORD{OBJ_BITMAP});
    bitmap.Release();
    EXPECT_EQ(::GetObjectType(handle), 0u);
    EXPECT_EQ(LiveTestObjects(), live);
}

}
