// Shell folders and shell item lists walked through the real shell namespace
// over a temporary folder.
#include "TraversalFixture.h"

#include "capture/ItemIdList.h"
#include "framework/ComPtr.h"

#include <shlobj.h>

namespace {

class TraversalShellTest : public CTraversalTest {
protected:
    void SetUp() override
    {
        CTraversalTest::SetUp();
        WriteSourceFile(m_source / L"a.txt", BytesOf("alpha"));
        ASSERT_TRUE(::CreateDirectoryW((m_source / L"sub").c_str(), nullptr));
        WriteSourceFile(m_source / L"sub\\inner.txt", BytesOf("inner"));
        ASSERT_EQ(::SHGetDesktopFolder(&m_desktop), S_OK);
        m_bFilesAreStreams = FilesBindAsStreams();
    }

    CComPtr<IShellFolder> SourceFolder() const
    {
        CComPtr<IShellFolder> folder;
        const CItemIdList list = Parse(m_source.Path());
        EXPECT_EQ(m_desktop->BindToObject(list.get(), nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder)),
                  S_OK);
        return folder;
    }

    // Windows hands out a file as a stream; Wine 8's shell namespace does not,
    // so there a file is an item of unknown kind.
    bool FilesBindAsStreams() const
    {
        CComPtr<IStream> stream;
        const CItemIdList file = Parse(m_source / L"a.txt");
        SourceFolder()->BindToObject(::ILFindLastID(file.get()), nullptr, IID_IStream, reinterpret_cast<void**>(&stream));
        return static_cast<bool>(stream);
    }

    void ExpectFile(const CCBData* node, const CBytes& bytes) const
    {
        if (m_bFilesAreStreams) {
            ExpectCopied(node, bytes, L"IStream");
            return;
        }
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(node->m_strType, L"不明");
        EXPECT_EQ(node->m_nIcon, kIconUnknown);
        EXPECT_TRUE(node->m_strTempFile.empty());
    }

    CItemIdList Parse(const std::wstring& path) const
    {
        ITEMIDLIST* list = nullptr;
        EXPECT_EQ(m_desktop->ParseDisplayName(nullptr, nullptr, const_cast<wchar_t*>(path.c_str()), nullptr, &list,
                                              nullptr),
                  S_OK)
            << "cannot parse " << path;
        return CItemIdList(list);
    }

    // The last item of the absolute list of `path`.
    CBytes ChildOf(const std::wstring& path) const
    {
        const CItemIdList list = Parse(path);
        return ListBytes(::ILFindLastID(list.get()));
    }

    static CBytes ListBytes(PCUIDLIST_RELATIVE list)
    {
        const ByteSpan bytes = ItemIdListBytes(list);
        return CBytes(bytes.begin(), bytes.end());
    }

    CComPtr<IShellFolder> m_desktop;
    bool m_bFilesAreStreams = false;
};

// A CIDA whose lists all start at odd offsets, so that the shell is handed
// only copies in aligned memory.
CBytes Cida(const CBytes& parent, const std::vector<CBytes>& items)
{
    CBytes bytes(4 + 4 * (items.size() + 1) + 1, 0);
    Put32(bytes, 0, static_cast<uint32_t>(items.size()));
    auto append = [&bytes](size_t index, const CBytes& list) {
        Put32(bytes, 4 + 4 * index, static_cast<uint32_t>(bytes.size()));
        bytes.insert(bytes.end(), list.begin(), list.end());
        if (bytes.size() % 2 == 0)
            bytes.push_back(0);
    };
    append(0, parent);
    for (size_t i = 0; i < items.size(); ++i)
        append(i + 1, items[i]);
    return bytes;
}

const CBytes kEmptyList{0, 0};

}

TEST_F(TraversalShellTest, FolderWalkTakesStreamsAndSubFolders)
{
    auto node = m_context.CaptureShellFolder(SourceFolder());

    ExpectOpened(node.get(), L"IShellFolder");
    ASSERT_EQ(node->m_pChildren->size(), 2u);
    const CCBData* file = Child(*node, L"a.txt");
    ExpectFile(file, BytesOf("alpha"));
    EXPECT_FALSE(file->m_strDisplayName.empty());
    const CCBData* sub = Child(*node, L"sub");
    ExpectOpened(sub, L"IShellFolder");
    EXPECT_EQ(sub->m_strDisplayName, L"sub");
    ExpectFile(Child(*sub, L"inner.txt"), BytesOf("inner"));
}

TEST_F(TraversalShellTest, NoFolderGivesTheNullLine)
{
    auto node = m_context.CaptureShellFolder(nullptr);
    EXPECT_EQ(node->m_strType, L"IShellFolder");
    EXPECT_EQ(node->m_nIcon, kIconFolder);
    EXPECT_EQ(node->m_arrInfo, CStringArray{L"エラー\tデータを取得できません(IShellFolder*がNULL)。"});
    EXPECT_FALSE(node->m_pChildren);
}

TEST_F(TraversalShellTest, ItemListAsFoldersNamesTheParentAndTakesTheItems)
{
    m_app.m_nHowToGetShellIDList = 0;
    const CItemIdList parent = Parse(m_source.Path());
    auto node = NodeWithBytes(Cida(ListBytes(parent.get()), {ChildOf(m_source / L"a.txt"), ChildOf(m_source / L"sub")}));

    node->ExpandShellIDList(m_context);

    ASSERT_EQ(node->m_arrInfo.size(), 1u);
    const std::wstring& line = node->m_arrInfo[0];
    EXPECT_EQ(line.rfind(L"親フォルダ\t", 0), 0u);
    const std::wstring parsing = L" (" + m_source.Path() + L")";
    EXPECT_TRUE(line.size() > parsing.size() && line.compare(line.size() - parsing.size(), parsing.size(), parsing) == 0)
        << "the line ends with the parent's parsing name";
    EXPECT_EQ(ChildNames(*node), (std::vector<std::wstring>{L"a.txt", L"sub"}));
    ExpectFile(Child(*node, L"a.txt"), BytesOf("alpha"));
    const CCBData* sub = Child(*node, L"sub");
    ExpectOpened(sub, L"IShellFolder");
    EXPECT_EQ(sub->m_strDisplayName, L"sub");
    ExpectFile(Child(*sub, L"inner.txt"), BytesOf("inner"));
}

TEST_F(TraversalShellTest, ItemListAsStoragesTriesTheStorageFirst)
{
    m_app.m_nHowToGetShellIDList = 1;
    const CItemIdList parent = Parse(m_source.Path());
    auto node = NodeWithBytes(Cida(ListBytes(parent.get()), {ChildOf(m_source / L"sub")}));

    node->ExpandShellIDList(m_context);

    const CCBData* sub = Child(*node, L"sub");
    ASSERT_NE(sub, nullptr);
    // Whether the shell hands out a folder as a storage depends on the platform.
    CComPtr<IStorage> storage;
    {
        const CItemIdList item = Parse(m_source / L"sub");
        SourceFolder()->BindToStorage(::ILFindLastID(item.get()), nullptr, IID_IStorage,
                                      reinterpret_cast<void**>(&storage));
    }
    ExpectOpened(sub, storage ? L"IStorage" : L"IShellFolder");
    ExpectFile(Child(*sub, L"inner.txt"), BytesOf("inner"));
}

TEST_F(TraversalShellTest, ItemListRelativeToTheDesktop)
{
    const CItemIdList file = Parse(m_source / L"a.txt");
    auto node = NodeWithBytes(Cida(kEmptyList, {ListBytes(file.get())}));

    node->ExpandShellIDList(m_context);

    ASSERT_EQ(node->m_arrInfo.size(), 1u);
    EXPECT_EQ(node->m_arrInfo[0].rfind(L"親フォルダ\t", 0), 0u);
    ASSERT_TRUE(node->m_pChildren);
    ASSERT_EQ(node->m_pChildren->size(), 1u);
    ExpectFile(node->m_pChildren->front().get(), BytesOf("alpha"));
}

TEST_F(TraversalShellTest, BrokenItemGetsItsOwnErrorNodeAndTheOthersAreTaken)
{
    const CItemIdList parent = Parse(m_source.Path());
    CBytes bytes = Cida(ListBytes(parent.get()), {ChildOf(m_source / L"a.txt"), kEmptyList, ChildOf(m_source / L"sub")});
    Put32(bytes, 4 + 4 * 2, static_cast<uint32_t>(bytes.size() + 100));  // second item: offset out of range
    auto node = NodeWithBytes(bytes);

    node->ExpandShellIDList(m_context);

    ASSERT_TRUE(node->m_pChildren);
    ASSERT_EQ(node->m_pChildren->size(), 3u);
    ExpectFile(Child(*node, L"a.txt"), BytesOf("alpha"));
    const CCBData& broken = *(*node->m_pChildren)[1];
    EXPECT_EQ(broken.m_strName, L"(取得できません)");
    EXPECT_EQ(broken.m_arrInfo, CStringArray{L"エラー\t項目IDリストが壊れています。"});
    ExpectOpened(Child(*node, L"sub"), L"IShellFolder");
}

TEST_F(TraversalShellTest, ItemWhoseIdsRunPastTheEndIsBroken)
{
    const CItemIdList parent = Parse(m_source.Path());
    CBytes bytes = Cida(ListBytes(parent.get()), {ChildOf(m_source / L"a.txt")});
    bytes.resize(bytes.size() - 3);  // into the last list, before its terminator
    auto node = NodeWithBytes(bytes);

    node->ExpandShellIDList(m_context);

    ASSERT_TRUE(node->m_pChildren);
    ASSERT_EQ(node->m_pChildren->size(), 1u);
    EXPECT_EQ(node->m_pChildren->front()->m_arrInfo, CStringArray{L"エラー\t項目IDリストが壊れています。"});
}

TEST_F(TraversalShellTest, BlockThatCannotBeReadGetsOneLine)
{
    CBytes countTooLarge(12, 0);
    Put32(countTooLarge, 0, 1000);
    auto node = NodeWithBytes(countTooLarge);
    node->ExpandShellIDList(m_context);
    EXPECT_EQ(node->m_arrInfo, CStringArray{L"エラー\t項目IDリストの配列が壊れています。"});
    EXPECT_FALSE(node->m_pChildren);

    CBytes parentOutside = Cida(kEmptyList, {ChildOf(m_source / L"a.txt")});
    Put32(parentOutside, 4, 0xFFFFFFF0u);
    auto second = NodeWithBytes(parentOutside);
    second->ExpandShellIDList(m_context);
    EXPECT_EQ(second->m_arrInfo, CStringArray{L"エラー\t親フォルダの項目IDリストが壊れています。"});
    EXPECT_FALSE(second->m_pChildren);
}

TEST_F(TraversalShellTest, ListWithoutItemsAddsNothing)
{
    auto node = NodeWithBytes(Cida(kEmptyList, {}));
    node->ExpandShellIDList(m_context);
    EXPECT_EQ(node->m_arrInfo, CStringArray{});
    EXPECT_FALSE(node->m_pChildren);
}
