// Storages walked into subtrees: real compound files and storages with
// elements a compound file cannot hold.
#include "FakeStorage.h"
#include "TraversalFixture.h"

#include "framework/ComPtr.h"
#include "support/TestStorage.h"

namespace {

using TraversalStorageTest = CTraversalTest;

// Element names in the order the storage enumerates them.
std::vector<std::wstring> ElementOrder(IStorage* storage)
{
    std::vector<std::wstring> names;
    CComPtr<IEnumSTATSTG> elements;
    EXPECT_EQ(storage->EnumElements(0, nullptr, 0, &elements), S_OK);
    STATSTG stat;
    while (elements && elements->Next(1, &stat, nullptr) == S_OK) {
        names.push_back(stat.pwcsName);
        ::CoTaskMemFree(stat.pwcsName);
    }
    return names;
}

CComPtr<IStorage> OpenElement(IStorage* storage, const wchar_t* name)
{
    CComPtr<IStorage> element;
    EXPECT_EQ(storage->OpenStorage(name, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &element), S_OK);
    return element;
}

}

TEST_F(TraversalStorageTest, NestedCompoundFileBecomesATreeInEnumerationOrder)
{
    CTestStorage deeper;
    deeper.AddStream(L"Empty", {});
    CTestStorage sub;
    sub.AddStream(L"Inner", PatternBytes(70'000)).AddStorage(L"Deeper", deeper);
    CTestStorage root;
    root.AddStream(L"Contents", BytesOf("top")).AddStorage(L"Sub", sub).AddStorage(L"Hollow", {});
    CComPtr<IStorage> storage;
    ASSERT_EQ(root.Build(&storage), S_OK);

    auto node = m_context.CaptureStorage(storage);

    ExpectOpened(node.get(), L"IStorage");
    EXPECT_EQ(ChildNames(*node), ElementOrder(storage));
    ExpectCopied(Child(*node, L"Contents"), BytesOf("top"), L"IStream");

    const CCBData* subNode = Child(*node, L"Sub");
    ExpectOpened(subNode, L"IStorage");
    {
        CComPtr<IStorage> opened = OpenElement(storage, L"Sub");
        EXPECT_EQ(ChildNames(*subNode), ElementOrder(opened));
    }
    ExpectCopied(Child(*subNode, L"Inner"), PatternBytes(70'000), L"IStream");
    const CCBData* deeperNode = Child(*subNode, L"Deeper");
    ExpectOpened(deeperNode, L"IStorage");
    ExpectCopied(Child(*deeperNode, L"Empty"), {}, L"IStream");
    EXPECT_TRUE(FileExists(Child(*deeperNode, L"Empty")->m_strTempFile)) << "an empty stream still has its file";

    const CCBData* hollow = Child(*node, L"Hollow");
    ExpectOpened(hollow, L"IStorage");
    EXPECT_TRUE(hollow->m_pChildren->empty());

    EXPECT_EQ(m_context.m_nTotal, 3u + 70'000u) << "the budget counts the bytes of every level";
}

TEST_F(TraversalStorageTest, PropertySetOfACompoundFileIsListedAsAStream)
{
    // A compound file keeps a property set in a stream named "\005...", so
    // the type "property" never comes from it; a substitute storage below
    // shows what happens with that type.
    CComPtr<IStorage> storage;
    ASSERT_EQ(CTestStorage().AddStream(L"Plain", BytesOf("p")).Build(&storage), S_OK);
    CComPtr<IPropertySetStorage> sets;
    ASSERT_EQ(storage.QueryInterface(sets), S_OK);
    CComPtr<IPropertyStorage> summary;
    ASSERT_EQ(sets->Create(FMTID_SummaryInformation, nullptr, PROPSETFLAG_ANSI,
                           STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, &summary),
              S_OK);
    PROPSPEC title{PRSPEC_PROPID, {PIDSI_TITLE}};
    PROPVARIANT value{};
    value.vt = VT_LPSTR;
    value.pszVal = const_cast<char*>("title");
    ASSERT_EQ(summary->WriteMultiple(1, &title, &value, PID_FIRST_USABLE), S_OK);
    ASSERT_EQ(summary->Commit(STGC_DEFAULT), S_OK);
    summary.Reset();

    auto node = m_context.CaptureStorage(storage);

    const CCBData* set = Child(*node, L"\005SummaryInformation");
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->m_strType, L"IStream");
    EXPECT_EQ(set->m_arrInfo, CStringArray{});
    EXPECT_GT(set->m_nSize, 0u);
    EXPECT_EQ(Contents(*set).size(), set->m_nSize);
}

TEST_F(TraversalStorageTest, UnsupportedTypesAndElementsThatWillNotOpenBecomeErrorNodes)
{
    CFakeStorage fake;
    fake.AddUnopenable(L"Bytes", STGTY_LOCKBYTES)
        .AddUnopenable(L"Props", STGTY_PROPERTY)
        .AddUnopenable(L"Odd", 9)
        .AddUnopenable(L"Gone", STGTY_STREAM)
        .AddUnopenable(L"Locked", STGTY_STORAGE)
        .AddStream(L"Fine", BytesOf("fine"));
    CComPtr<IStorage> storage;
    ASSERT_EQ(fake.Build(&storage), S_OK);

    auto node = m_context.CaptureStorage(storage);

    EXPECT_EQ(ChildNames(*node), (std::vector<std::wstring>{L"Bytes", L"Props", L"Odd", L"Gone", L"Locked", L"Fine"}));
    struct Expected {
        const wchar_t* name;
        const wchar_t* type;
        int icon;
        const wchar_t* line;
    };
    for (const Expected& expected : {
             Expected{L"Bytes", L"STGTY_LOCKBYTES", kIconUnknown, L"エラー\t対応していないタイプです。"},
             Expected{L"Props", L"STGTY_PROPERTY", kIconUnknown, L"エラー\t対応していないタイプです。"},
             Expected{L"Odd", L"", kIconUnknown, L"エラー\t不明なタイプです。"},
             Expected{L"Gone", L"IStream", kIconData, L"エラー\tデータを取得できません。"},
             Expected{L"Locked", L"IStorage", kIconFolder, L"エラー\tデータを取得できません。"},
         }) {
        const CCBData* child = Child(*node, expected.name);
        ASSERT_NE(child, nullptr) << expected.name;
        EXPECT_EQ(child->m_strType, expected.type) << expected.name;
        EXPECT_EQ(child->m_nIcon, expected.icon) << expected.name;
        EXPECT_EQ(child->m_arrInfo, CStringArray{expected.line}) << expected.name;
        EXPECT_EQ(child->m_bPending, 0) << expected.name;
        EXPECT_FALSE(child->m_pChildren) << expected.name;
        EXPECT_TRUE(child->m_strTempFile.empty()) << expected.name;
    }
    ExpectCopied(Child(*node, L"Fine"), BytesOf("fine"), L"IStream");
}

TEST_F(TraversalStorageTest, SubStorageAfterTheLimitStaysAPlaceholder)
{
    CFakeStorage inner;
    inner.AddStream(L"Never", BytesOf("never"));
    CFakeStorage fake;
    fake.AddStream(L"Big", PatternBytes(kLarge)).AddStorage(L"Sub", inner);
    CComPtr<IStorage> storage;
    ASSERT_EQ(fake.Build(&storage), S_OK);

    auto node = m_context.CaptureStorage(storage);

    ExpectCopied(Child(*node, L"Big"), PatternBytes(kLarge), L"IStream");
    ExpectStopped(Child(*node, L"Sub"), L"IStorage", kBudgetStop);
}

TEST_F(TraversalStorageTest, NoStorageGivesTheNullLine)
{
    auto node = m_context.CaptureStorage(nullptr);
    EXPECT_EQ(node->m_strType, L"IStorage");
    EXPECT_EQ(node->m_nIcon, kIconFolder);
    EXPECT_EQ(node->m_arrInfo, CStringArray{L"エラー\tデータを取得できません（IStorage*がNULL）。"});
    EXPECT_FALSE(node->m_pChildren);
}
