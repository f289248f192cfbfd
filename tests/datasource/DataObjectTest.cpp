// The test data object against the contract of IDataObject as callers use it.
#include "support/NoLeakTest.h"
#include "framework/StgMedium.h"
#include "support/TestDataObject.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using DataObjectTest = CNoLeakTest;

constexpr CLIPFORMAT kBytes = 0xC0F0;
constexpr CLIPFORMAT kContents = 0xC0F1;

HRESULT GetData(IDataObject* source, const CTestFormat& format, CStgMedium& medium)
{
    FORMATETC request = format.ToFormatEtc();
    return source->GetData(&request, &medium);
}

HRESULT QueryGetData(IDataObject* source, const CTestFormat& format)
{
    FORMATETC request = format.ToFormatEtc();
    return source->QueryGetData(&request);
}

std::vector<CTestFormat> Enumerate(IDataObject* source)
{
    std::vector<CTestFormat> formats;
    CComPtr<IEnumFORMATETC> formatEnum;
    EXPECT_EQ(source->EnumFormatEtc(DATADIR_GET, &formatEnum), S_OK);
    FORMATETC format;
    while (formatEnum && formatEnum->Next(1, &format, nullptr) == S_OK) {
        EXPECT_EQ(format.ptd, nullptr);
        formats.push_back(CTestFormat::From(format));
    }
    return formats;
}

TEST_F(DataObjectTest, EnumeratesEveryOfferInOrderWithDuplicates)
{
    auto source = CTestDataObject::Create();
    ASSERT_TRUE(source);
    const std::vector<CTestFormat> offered{
        {.cf = CF_UNICODETEXT},
        {.cf = kContents, .tymed = TYMED_ISTREAM | TYMED_ISTORAGE, .aspect = DVASPECT_ICON, .lindex = 3},
        {.cf = CF_UNICODETEXT},
        {.cf = CF_BITMAP, .tymed = 0},
    };
    for (const CTestFormat& format : offered)
        source->Offer(format);

    EXPECT_EQ(Enumerate(source), offered);
}

TEST_F(DataObjectTest, EnumeratorSkipsResetsAndClonesItsPosition)
{
    auto source = CTestDataObject::Create();
    ASSERT_TRUE(source);
    for (CLIPFORMAT cf : {1, 2, 3, 4})
        source->Offer({.cf = cf});
    CComPtr<IEnumFORMATETC> formatEnum;
    ASSERT_EQ(source->EnumFormatEtc(DATADIR_GET, &formatEnum), S_OK);

    FORMATETC formats[3];
    ULONG fetched = 0;
    EXPECT_EQ(formatEnum->Next(2, formats, nullptr), E_INVALIDARG);
    ASSERT_EQ(formatEnum->Next(2, formats, &fetched), S_OK);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(formats[1].cfFormat, 2);

    CComPtr<IEnumFORMATETC> clone;
    ASSERT_EQ(formatEnum->Clone(&clone), S_OK);
    EXPECT_EQ(formatEnum->Skip(1), S_OK);
    ASSERT_EQ(clone->Next(1, formats, nullptr), S_OK);
    EXPECT_EQ(formats[0].cfFormat, 3) << "a clone starts where its original was";
    ASSERT_EQ(formatEnum->Next(3, formats, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 1u);
    EXPECT_EQ(formats[0].cfFormat, 4);
    EXPECT_EQ(formatEnum->Next(1, formats, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);

    EXPECT_EQ(formatEnum->Reset(), S_OK);
    EXPECT_EQ(formatEnum->Skip(5), S_FALSE);
    EXPECT_EQ(formatEnum->Reset(), S_OK);
    ASSERT_EQ(formatEnum->Next(1, formats, nullptr), S_OK);
    EXPECT_EQ(formats[0].cfFormat, 1);
}

TEST_F(DataObjectTest, OffersNothingForSetting)
{
    auto source = CTestDataObject::Create();
    ASSERT_TRUE(source);
    CComPtr<IEnumFORMATETC> formatEnum;
    EXPECT_EQ(source->EnumFormatEtc(DATADIR_SET, &formatEnum), E_NOTIMPL);
    EXPECT_FALSE(formatEnum);
}

TEST_F(DataObjectTest, QueryMatchesFormatAspectItemAndMediumType)
{
    auto source = CTestDataObject::Create();
    ASSERT_TRUE(source);
    source->Offer({.cf = kBytes, .tymed = TYMED_HGLOBAL | TYMED_ISTREAM}, CTestMedium::Global({1}));
    source->Offer({.cf = kContents}).At(0, CTestMedium::Global({2}));

    EXPECT_EQ(QueryGetData(source, {.cf = kBytes}), S_OK);
    EXPECT_EQ(QueryGetData(source, {.cf = kBytes, .tymed = TYMED_ISTREAM | TYMED_FILE}), S_OK);
    EXPECT_EQ(QueryGetData(source, {.cf = kBytes, .tymed = kEveryTymed}), S_OK);
    EXPECT_EQ(QueryGetData(source, {.cf = kBytes, .tymed = TYMED_FILE}), DV_E_TYMED);
    EXPECT_EQ(QueryGetData(source, {.cf = kBytes, .aspect = DVASPECT_ICON}), DV_E_FORMATETC);
    EXPECT_EQ(QueryGetData(source, {.cf = kBytes, .lindex = 0}), DV_E_FORMATETC);
    EXPECT_EQ(QueryGetData(source, {.cf = CF_TEXT}), DV_E_FORMATETC);
    EXPECT_EQ(QueryGetData(source, {.cf = kContents, .lindex = 0}), S_OK);
    EXPECT_EQ(QueryGetData(source, {.cf = kContents}), DV_E_FORMATETC) << "only item 0 has an answer";
}

TEST_F(DataObjectTest, TheFirstOfferSharingAMediumTypeAnswers)
{
    auto source = CTestDataObject::Create();
    ASSERT_TRUE(source);
    source->Offer({.cf = kBytes}, CTestMedium::Global(BytesOf("first")));
    source->Offer({.cf = kBytes, .tymed = TYMED_ISTREAM}, CTestMedium::Stream(BytesOf("second")));
    source->Offer({.cf = kBytes}, CTestMedium::Global(BytesOf("never")));

    CStgMedium medium;
    ASSERT_EQ(GetData(source, {.cf = kBytes, .tymed = TYMED_ISTREAM}, medium), S_OK);
    ASSERT_EQ(medium.tymed, DWORD{TYMED_ISTREAM});
    EXPECT_EQ(StreamBytes(medium.pstm), BytesOf("second"));
    medium.Release();

    ASSERT_EQ(GetData(source, {.cf = kBytes, .tymed = kEveryTymed}, medium), S_OK);
    ASSERT_EQ(medium.tymed, DWORD{TYMED_HGLOBAL});
    EXPECT_EQ(GlobalBytes(medium.hGlobal), BytesOf("first"));
}

TEST_F(DataObjectTest, ItemsOfFileContentsAreAnsweredByTheirIndex)
{
    auto source = CTestDataObject::Create();
    ASSERT_TRUE(source);
    source->Offer({.cf = kContents, .tymed = TYMED_HGLOBAL | TYMED_ISTREAM})
        .At(0, CTestMedium::Global(BytesOf("file 0")))
        .At(1, CTestMedium::Stream(BytesOf("file 1")))
        .At(2, CTestAnswer::Fail(E_UNEXPECTED));

    CStgMedium medium;
    ASSERT_EQ(GetData(source, {.cf = kContents, .lindex = 1}, medium), S_OK);
    ASSERT_EQ(medium.tymed, DWORD{TYMED_ISTREAM});
    EXPECT_EQ(StreamBytes(medium.pstm), BytesOf("file 1"));
    medium.Release();

    ASSERT_EQ(GetData(source, {.cf = kContents, .lindex = 0}, medium), S_OK);
    EXPECT_EQ(GlobalBytes(medium.hGlobal), BytesOf("file 0"));
    medium.Release();

    EXPECT_EQ(GetData(source, {.cf = kContents, .lindex = 2}, medium), E_UNEXPECTED);
    EXPECT_EQ(GetData(source, {.cf = kContents, .lindex = 3}, medium), DV_E_FORMATETC);
    EXPECT_EQ(GetData(source, {.cf = kContents}, medium), DV_E_FORMATETC);
}

TEST_F(DataObjectTest, AFailingAnswerGivesItsResultAndAnEmptyMedium)
{
    auto source = CTestDataObject::Create();
    ASSERT_TRUE(source);
    source->Offer({.cf = kBytes}, CTestAnswer::Fail(STG_E_MEDIUMFULL));

    EXPECT_EQ(QueryGetData(source, {.cf = kBytes}), S_OK) << "offered, though it cannot be had";
    CStgMedium medium;
    medium.tymed = TYMED_HGLOBAL;
    EXPECT_EQ(GetData(source, {.cf = kBytes}, medium), STG_E_MEDIUMFULL);
    EXPECT_EQ(medium.tymed, DWORD{TYMED_NULL});
    EXPECT_EQ(medium.hGlobal, nullptr);
    EXPECT_EQ(medium.pUnkForRelease, nullptr);
    EXPECT_EQ(GetData(source, {.cf = kBytes}, medium), STG_E_MEDIUMFULL);
}

TEST_F(DataObjectTest, RefusingTheFirstRequestDeliversOnTheNext)
{
    auto source = CTestDataObject::Create();
    ASSERT_TRUE(source);
    source->Offer({.cf = kBytes}, CTestAnswer::RefuseFirst(CTestMedium::Global(BytesOf("late"))));

    CStgMedium medium;
    EXPECT_EQ(GetData(source, {.cf = kBytes}, medium), DV_E_FORMATETC);
    ASSERT_EQ(GetData(source, {.cf = kBytes}, medium), S_OK);
    EXPECT_EQ(GlobalBytes(medium.hGlobal), BytesOf("late"));
}

TEST_F(DataObjectTest, RefusingUnlessEveryTymedDeliversOnlyToThatRequest)
{
    auto source = CTestDataObject::Create();
    ASSERT_TRUE(source);
    source->Offer({.cf = kBytes, .tymed = TYMED_ISTREAM},
                  CTestAnswer::RefuseUnlessEveryTymed(CTestMedium::Global(BytesOf("any")), E_FAIL));

    CStgMedium medium;
    EXPECT_EQ(GetData(source, {.cf = kBytes, .tymed = TYMED_ISTREAM}, medium), E_FAIL);
    EXPECT_EQ(GetData(source, {.cf = kBytes, .tymed = TYMED_ISTREAM}, medium), E_FAIL);
    ASSERT_EQ(GetData(source, {.cf = kBytes, .tymed = kEveryTymed}, medium), S_OK);
    EXPECT_EQ(medium.tymed, DWORD{TYMED_HGLOBAL}) << "the medium need not be the one offered";
    EXPECT_EQ(GlobalBytes(medium.hGlobal), BytesOf("any"));
    medium.Release();
    EXPECT_EQ(GetData(source, {.cf = kBytes, .tymed = TYMED_ISTREAM}, medium), E_FAIL);
}

TEST_F(DataObjectTest, RecordsEveryGetDataRequestAsAsked)
{
    auto source = CTestDataObject::Create();
    ASSERT_TRUE(source);
    source->Offer({.cf = kContents}).At(4, CTestMedium::Global({}));
    const std::vector<CTestFormat> requests{
        {.cf = kContents, .tymed = TYMED_ISTREAM, .lindex = 4},
        {.cf = kContents, .lindex = 4},
        {.cf = CF_TEXT, .tymed = kEveryTymed, .aspect = DVASPECT_THUMBNAIL, .lindex = -1},
    };

    CStgMedium medium;
    EXPECT_EQ(GetData(source, requests[0], medium), DV_E_TYMED);
    EXPECT_EQ(GetData(source, requests[1], medium), S_OK);
    EXPECT_EQ(QueryGetData(source, requests[1]), S_OK);
    EXPECT_EQ(GetData(source, requests[2], medium), DV_E_FORMATETC);

    EXPECT_EQ(source->Requests(), requests) << "QueryGetData is not a request for data";
}

TEST_F(DataObjectTest, KeepsNoAdviseConnectionsAndTakesNoData)
{
    auto source = CTestDataObject::Create();
    ASSERT_TRUE(source);
    FORMATETC format = CTestFormat{.cf = CF_TEXT}.ToFormatEtc();
    DWORD connection = 0;
    EXPECT_EQ(source->DAdvise(&format, 0, nullptr, &connection), E_NOTIMPL);
    EXPECT_EQ(source->DUnadvise(1), E_NOTIMPL);
    CStgMedium medium;
    EXPECT_EQ(source->SetData(&format, &medium, FALSE), E_NOTIMPL);
    EXPECT_EQ(source->GetDataHere(&format, &medium), E_NOTIMPL);

    FORMATETC canonical{};
    EXPECT_EQ(source->GetCanonicalFormatEtc(&format, &canonical), DATA_S_SAMEFORMATETC);
    EXPECT_EQ(canonical.ptd, nullptr);
}

TEST_F(DataObjectTest, CountsItsObjectsWhileTheyLive)
{
    const long before = LiveTestObjects();
    {
        auto source = CTestDataObject::Create();
        ASSERT_TRUE(source);
        source->Offer({.cf = kBytes}, CTestMedium::Stream(BytesOf("s")));
        CComPtr<IEnumFORMATETC> formatEnum;
        ASSERT_EQ(source->EnumFormatEtc(DATADIR_GET, &formatEnum), S_OK);
        CStgMedium medium;
        ASSERT_EQ(GetData(source, {.cf = kBytes}, medium), S_OK);
        EXPECT_EQ(LiveTestObjects(), before + 3);

        CComPtr<IUnknown> unknown;
        ASSERT_EQ(source.QueryInterface(unknown), S_OK);
        CComPtr<IStream> stream;
        EXPECT_EQ(source.QueryInterface(stream), E_NOINTERFACE);
        source.Reset();
        EXPECT_EQ(LiveTestObjects(), before + 3) << "still referenced through IUnknown";
    }
    EXPECT_EQ(LiveTestObjects(), before);
}

}
