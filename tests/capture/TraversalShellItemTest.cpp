// Shell items through a substitute folder: every STRRET form, every kind of
// binding, the storage preference of shell item lists, and the byte budget.
#include "FakeShellFolder.h"
#include "TraversalFixture.h"

#include "capture/ShellItemWalk.h"
#include "framework/ComPtr.h"

namespace {

using TraversalShellItemTest = CTraversalTest;
using Form = CFakeShellFolder::NameForm;

CComPtr<IShellFolder> Build(const CFakeShellFolder& fake)
{
    CComPtr<IShellFolder> folder;
    EXPECT_EQ(fake.Build(&folder), S_OK);
    return folder;
}

}

TEST_F(TraversalShellItemTest, NamesInEveryFormAndEveryKindOfItem)
{
    CFakeShellFolder inner;
    inner.Add({.parsingName = L"in", .displayName = L"中", .stream = BytesOf("in")});
    CFakeShellFolder fake;
    fake.Add({.parsingName = L"wide.txt", .displayName = L"ワイド", .stream = BytesOf("w")})
        .Add({.parsingName = L"ansi.txt", .displayName = L"アンシ", .form = Form::Ansi, .stream = BytesOf("a")})
        .Add({.parsingName = L"offset.txt", .displayName = L"オフセット", .form = Form::Offset,
              .stream = BytesOf("o")})
        .Add({.parsingName = L"nameless", .form = Form::None, .stream = BytesOf("n")})
        .Add({.parsingName = L"sub", .displayName = L"サブ", .folder = std::make_shared<CFakeShellFolder>(inner)})
        .Add({.parsingName = L"odd", .displayName = L"変"});
    auto folder = Build(fake);

    auto node = m_context.CaptureShellFolder(folder);

    ExpectOpened(node.get(), L"IShellFolder");
    EXPECT_EQ(ChildNames(*node),
              (std::vector<std::wstring>{L"wide.txt", L"ansi.txt", L"offset.txt", L"", L"sub", L"odd"}));
    const CCBDataArray& items = *node->m_pChildren;
    const wchar_t* displayNames[] = {L"ワイド", L"アンシ", L"オフセット", L"", L"サブ", L"変"};
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i]->m_strDisplayName, displayNames[i]) << i;
    ExpectCopied(items[0].get(), BytesOf("w"), L"IStream");
    ExpectCopied(items[1].get(), BytesOf("a"), L"IStream");
    ExpectCopied(items[2].get(), BytesOf("o"), L"IStream");
    ExpectCopied(items[3].get(), BytesOf("n"), L"IStream");
    const CCBData* sub = items[4].get();
    ExpectOpened(sub, L"IShellFolder");
    EXPECT_FALSE(sub->m_pPendingFolder) << "the opened folder is not kept";
    ExpectCopied(Child(*sub, L"in"), BytesOf("in"), L"IStream");
    EXPECT_EQ(Child(*sub, L"in")->m_strDisplayName, L"中");
    const CCBData* odd = items[5].get();
    EXPECT_EQ(odd->m_strType, L"不明");
    EXPECT_EQ(odd->m_nIcon, kIconUnknown);
    EXPECT_EQ(odd->m_arrInfo, CStringArray{});
    EXPECT_TRUE(odd->m_strTempFile.empty());
}

TEST_F(TraversalShellItemTest, FolderThatCannotBeListedHasNoChildrenAndAnEmptyOneHasNone)
{
    auto failing = Build(CFakeShellFolder().AnswerEnumeration(E_ACCESSDENIED));
    auto node = m_context.CaptureShellFolder(failing);
    EXPECT_FALSE(node->m_pChildren);
    EXPECT_EQ(node->m_arrInfo, CStringArray{});

    auto empty = Build(CFakeShellFolder().AnswerEnumeration(S_FALSE));
    auto emptyNode = m_context.CaptureShellFolder(empty);
    ExpectOpened(emptyNode.get(), L"IShellFolder");
    EXPECT_TRUE(emptyNode->m_pChildren->empty());
}

TEST_F(TraversalShellItemTest, FolderAfterTheLimitStaysAPlaceholderAndLetsGoOfTheFolder)
{
    CFakeShellFolder inner;
    inner.Add({.parsingName = L"never", .stream = BytesOf("never")});
    CFakeShellFolder fake;
    fake.Add({.parsingName = L"sub", .folder = std::make_shared<CFakeShellFolder>(inner)})
        .Add({.parsingName = L"big", .stream = PatternBytes(kLarge)});
    auto folder = Build(fake);

    auto node = m_context.CaptureShellFolder(folder);

    ExpectCopied(Child(*node, L"big"), PatternBytes(kLarge), L"IStream");
    ExpectStopped(Child(*node, L"sub"), L"IShellFolder", kBudgetStop);
}

TEST_F(TraversalShellItemTest, StoragePreferenceDecidesForAnItemThatIsBoth)
{
    CFakeShellFolder asFolder;
    asFolder.Add({.parsingName = L"from-folder", .stream = BytesOf("f")});
    CFakeStorage asStorage;
    asStorage.AddStream(L"from-storage", BytesOf("s"));
    CFakeShellFolder fake;
    fake.Add({.parsingName = L"both", .folder = std::make_shared<CFakeShellFolder>(asFolder), .storage = asStorage});
    auto folder = Build(fake);
    const CBytes list = fake.ItemIdList(0);
    const auto* item = reinterpret_cast<PCUIDLIST_RELATIVE>(list.data());

    for (const bool preferStorage : {true, false}) {
        CCBData container;
        container.m_pChildren = std::make_unique<CCBDataArray>();
        ASSERT_TRUE(AddShellItem(m_context, *container.m_pChildren, folder, item, {L"-", preferStorage}));
        const CCBData& placeholder = *container.m_pChildren->front();
        EXPECT_EQ(placeholder.m_bPending, 1);
        EXPECT_EQ(placeholder.m_strType, preferStorage ? L"IStorage" : L"IShellFolder");
        EXPECT_EQ(static_cast<bool>(placeholder.m_pPendingStorage), preferStorage);
        EXPECT_EQ(static_cast<bool>(placeholder.m_pPendingFolder), !preferStorage);

        ExpandShellItems(m_context, container);

        const CCBData* expanded = container.m_pChildren->front().get();
        EXPECT_EQ(expanded->m_strName, L"both");
        if (preferStorage) {
            ExpectOpened(expanded, L"IStorage");
            ExpectCopied(Child(*expanded, L"from-storage"), BytesOf("s"), L"IStream");
        } else {
            ExpectOpened(expanded, L"IShellFolder");
            ExpectCopied(Child(*expanded, L"from-folder"), BytesOf("f"), L"IStream");
        }
    }
}

TEST_F(TraversalShellItemTest, ItemWithoutParsingNameGetsTheGivenName)
{
    CFakeShellFolder fake;
    fake.Add({.parsingName = L"x", .form = Form::None, .stream = BytesOf("x")});
    auto folder = Build(fake);
    const CBytes list = fake.ItemIdList(0);

    CCBDataArray level;
    ASSERT_TRUE(AddShellItem(m_context, level, folder, reinterpret_cast<PCUIDLIST_RELATIVE>(list.data()),
                             {L"(取得できません)", false}));
    ASSERT_EQ(level.size(), 1u);
    EXPECT_EQ(level[0]->m_strName, L"(取得できません)");
    EXPECT_EQ(level[0]->m_strDisplayName, L"");
}

TEST_F(TraversalShellItemTest, NestingDeeperThanAnyRealDataStopsWithALine)
{
    // Deeper than the walk will go: such chains come from links to an ancestor.
    CFakeShellFolder chain;
    for (int level = 0; level < 200; ++level) {
        CFakeShellFolder outer;
        outer.Add({.parsingName = L"d", .displayName = L"d", .folder = std::make_shared<CFakeShellFolder>(chain)});
        chain = outer;
    }
    auto folder = Build(chain);

    auto node = m_context.CaptureShellFolder(folder);

    int depth = 0;
    const CCBData* level = node.get();
    while (level->m_pChildren && !level->m_pChildren->empty() && !(*level->m_pChildren)[0]->m_bPending) {
        level = (*level->m_pChildren)[0].get();
        ++depth;
    }
    EXPECT_EQ(depth, 128);
    ASSERT_TRUE(level->m_pChildren);
    const CCBData& stopped = *(*level->m_pChildren)[0];
    EXPECT_EQ(stopped.m_arrInfo, CStringArray{L"エラー\t階層が深すぎるため取得を中止しました。"});
    EXPECT_FALSE(stopped.m_pPendingFolder);
    EXPECT_EQ(m_context.m_nDepth, 0);
}
