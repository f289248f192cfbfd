// Compound files delivered as storages, read back element by element the way
// a reader walks them.
#include "support/NoLeakTest.h"
#include "framework/CoTaskMem.h"
#include "framework/StgMedium.h"
#include "support/TempDir.h"
#include "support/TestDataObject.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace {

using StorageTest = CNoLeakTest;

constexpr CLIPFORMAT kEmbedded = 0xC0F3;
// Elements below the root open only exclusively.
constexpr DWORD kReadElement = STGM_READ | STGM_SHARE_EXCLUSIVE;

// Element names with their types (STGTY_*).
std::map<std::wstring, DWORD> Elements(IStorage* storage)
{
    std::map<std::wstring, DWORD> elements;
    CComPtr<IEnumSTATSTG> elementEnum;
    EXPECT_EQ(storage->EnumElements(0, nullptr, 0, &elementEnum), S_OK);
    STATSTG stat;
    while (elementEnum && elementEnum->Next(1, &stat, nullptr) == S_OK) {
        const CCoTaskMemPtr<wchar_t> name(stat.pwcsName);
        elements[name.get()] = stat.type;
    }
    return elements;
}

CBytes StreamElement(IStorage* storage, const wchar_t* name)
{
    CComPtr<IStream> stream;
    EXPECT_EQ(storage->OpenStream(name, nullptr, kReadElement, 0, &stream), S_OK);
    return stream ? StreamBytes(stream) : CBytes{};
}

TEST_F(StorageTest, NestedStoragesAndStreamsReadBack)
{
    CTestStorage deeper;
    deeper.AddStream(L"Empty", {});
    CTestStorage sub;
    sub.AddStream(L"Inner", PatternBytes(70'000)).AddStorage(L"Deeper", deeper);
    CTestStorage root;
    root.AddStream(L"Contents", BytesOf("top")).AddStorage(L"Sub", sub).AddStorage(L"Hollow", {});

    auto source = CTestDataObject::Create();
    ASSERT_TRUE(source);
    source->Offer({.cf = kEmbedded, .tymed = TYMED_ISTORAGE}, CTestMedium::Storage(root));
    CStgMedium medium;
    FORMATETC request = CTestFormat{.cf = kEmbedded, .tymed = TYMED_ISTORAGE}.ToFormatEtc();
    ASSERT_EQ(source->GetData(&request, &medium), S_OK);
    ASSERT_EQ(medium.tymed, DWORD{TYMED_ISTORAGE});
    IStorage* const storage = medium.pstg;

    EXPECT_EQ(Elements(storage), (std::map<std::wstring, DWORD>{
                                     {L"Contents", STGTY_STREAM},
                                     {L"Sub", STGTY_STORAGE},
                                     {L"Hollow", STGTY_STORAGE},
                                 }));
    EXPECT_EQ(StreamElement(storage, L"Contents"), BytesOf("top"));

    CComPtr<IStorage> opened;
    ASSERT_EQ(storage->OpenStorage(L"Sub", nullptr, kReadElement, nullptr, 0, &opened), S_OK);
    EXPECT_EQ(Elements(opened), (std::map<std::wstring, DWORD>{
                                    {L"Inner", STGTY_STREAM},
                                    {L"Deeper", STGTY_STORAGE},
                                }));
    EXPECT_EQ(StreamElement(opened, L"Inner"), PatternBytes(70'000));
    CComPtr<IStorage> deepest;
    ASSERT_EQ(opened->OpenStorage(L"Deeper", nullptr, kReadElement, nullptr, 0, &deepest), S_OK);
    EXPECT_EQ(StreamElement(deepest, L"Empty"), CBytes{});

    ASSERT_EQ(storage->OpenStorage(L"Hollow", nullptr, kReadElement, nullptr, 0, &opened), S_OK);
    EXPECT_TRUE(Elements(opened).empty());
}

TEST_F(StorageTest, EachDeliveryIsANewCompoundFileDeletedOnRelease)
{
    auto source = CTestDataObject::Create();
    ASSERT_TRUE(source);
    source->Offer({.cf = kEmbedded, .tymed = TYMED_ISTORAGE},
                  CTestMedium::Storage(CTestStorage().AddStream(L"S", BytesOf("x"))));
    FORMATETC request = CTestFormat{.cf = kEmbedded, .tymed = TYMED_ISTORAGE}.ToFormatEtc();
    CStgMedium first;
    CStgMedium second;
    ASSERT_EQ(source->GetData(&request, &first), S_OK);
    ASSERT_EQ(source->GetData(&request, &second), S_OK);
    ASSERT_NE(first.pstg, second.pstg);

    STATSTG stat{};
    ASSERT_EQ(first.pstg->Stat(&stat, STATFLAG_DEFAULT), S_OK);
    const CCoTaskMemPtr<wchar_t> name(stat.pwcsName);
    ASSERT_TRUE(name);
    EXPECT_TRUE(FileExists(name.get()));
    EXPECT_EQ(stat.type, DWORD{STGTY_STORAGE});

    first.Release();
    EXPECT_FALSE(FileExists(name.get()));
    EXPECT_EQ(StreamElement(second.pstg, L"S"), BytesOf("x"));
}

}
