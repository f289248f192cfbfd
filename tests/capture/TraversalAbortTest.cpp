// A stop in the middle of a walk: the level being listed stops, and every
// placeholder still unopened, at every level, keeps a stop line.
#include "FakeStorage.h"
#include "TraversalFixture.h"

#include "framework/ComPtr.h"

namespace {

using TraversalAbortTest = CTraversalTest;

}

TEST_F(TraversalAbortTest, AbortLeavesStopLinesOnEveryOpenPlaceholder)
{
    CFakeStorage a;
    a.AddStorage(L"A1", CFakeStorage().AddStream(L"x", BytesOf("x")))
        .AddStream(L"Trigger", BytesOf("trigger"), [this] { m_progress.Stop(); })
        .AddStream(L"After", BytesOf("after"))
        .AddStorage(L"A2", {});
    CFakeStorage root;
    root.AddStorage(L"A", a).AddStorage(L"B", CFakeStorage().AddStream(L"y", BytesOf("y"))).AddStream(L"S", BytesOf("s"));
    CComPtr<IStorage> storage;
    ASSERT_EQ(root.Build(&storage), S_OK);

    auto node = m_context.CaptureStorage(storage);

    EXPECT_EQ(ChildNames(*node), (std::vector<std::wstring>{L"A", L"B", L"S"}));
    ExpectCopied(Child(*node, L"S"), BytesOf("s"), L"IStream");
    ExpectStopped(Child(*node, L"B"), L"IStorage", kAbortStop);

    const CCBData* opened = Child(*node, L"A");
    ExpectOpened(opened, L"IStorage");
    EXPECT_EQ(ChildNames(*opened), (std::vector<std::wstring>{L"A1", L"Trigger"})) << "listing stops at the abort";
    ExpectStopped(Child(*opened, L"A1"), L"IStorage", kAbortStop);
    const CCBData* trigger = Child(*opened, L"Trigger");
    EXPECT_EQ(trigger->m_arrInfo, CStringArray{L"エラー\tストリームを一時ファイルにコピーできません。"});
    EXPECT_TRUE(trigger->m_strTempFile.empty());

    EXPECT_EQ(m_progress.m_strItem, L"B") << "the last thing shown is the last placeholder met";
}

TEST_F(TraversalAbortTest, AbortPastTheLimitNamesBothReasons)
{
    CFakeStorage root;
    root.AddStorage(L"Sub", {}).AddStream(L"Big", PatternBytes(kLarge), [this] { m_progress.Stop(); });
    CComPtr<IStorage> storage;
    ASSERT_EQ(root.Build(&storage), S_OK);

    auto node = m_context.CaptureStorage(storage);

    EXPECT_EQ(m_context.m_nTotal, kLarge) << "an interrupted copy still counts its announced size";
    ExpectStopped(Child(*node, L"Sub"), L"IStorage", kBudgetStop);
}
