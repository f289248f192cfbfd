// Drop lists (CF_HDROP) expanded into the files and directories they name.
#include "TraversalFixture.h"

#include "support/DropListBytes.h"

#include <windows.h>

namespace {

using TraversalDropFilesTest = CTraversalTest;

CBytes AnsiPath(const std::wstring& path)
{
    const int length = ::WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, ansi.data(), length, nullptr, nullptr);
    ansi.pop_back();
    return BytesOf(ansi);
}

}

TEST_F(TraversalDropFilesTest, WideListOfFilesFoldersAndAMissingPath)
{
    WriteSourceFile(m_source / L"a.txt", BytesOf("alpha"));
    ASSERT_TRUE(::CreateDirectoryW((m_source / L"dir").c_str(), nullptr));
    WriteSourceFile(m_source / L"dir\\inner.txt", BytesOf("inner"));
    const std::wstring missing = m_source / L"missing.txt";
    auto node = NodeWithBytes(
        DropList({WidePath(m_source / L"a.txt"), WidePath(m_source / L"dir"), WidePath(missing)}, true));

    node->ExpandDropFiles(m_context);

    EXPECT_EQ(node->m_arrInfo, CStringArray{});
    EXPECT_EQ(ChildNames(*node), (std::vector<std::wstring>{m_source / L"a.txt", m_source / L"dir", missing}));
    ExpectCopied(Child(*node, m_source / L"a.txt"), BytesOf("alpha"), L"ディスクファイル");
    const CCBData* dir = Child(*node, m_source / L"dir");
    ExpectOpened(dir, L"ディレクトリ");
    ExpectCopied(Child(*dir, L"inner.txt"), BytesOf("inner"), L"ディスクファイル");
    const CCBData* gone = Child(*node, missing);
    ASSERT_NE(gone, nullptr);
    EXPECT_EQ(gone->m_arrInfo, CStringArray{L"エラー\tファイルがありません。"});
    EXPECT_TRUE(gone->m_strTempFile.empty());
}

TEST_F(TraversalDropFilesTest, AnsiPathsAreReadInTheAnsiCodePage)
{
    // Without a Japanese host locale Wine cannot create Japanese file names,
    // so the converted name shows on a path that does not exist.
    WriteSourceFile(m_source / L"ansi.txt", BytesOf("ansi"));
    ASSERT_TRUE(::CreateDirectoryW((m_source / L"folder").c_str(), nullptr));
    const std::wstring japanese = m_source / L"日本語のファイル.txt";
    auto node = NodeWithBytes(
        DropList({AnsiPath(m_source / L"ansi.txt"), AnsiPath(m_source / L"folder"), AnsiPath(japanese)}, false));

    node->ExpandDropFiles(m_context);

    EXPECT_EQ(ChildNames(*node), (std::vector<std::wstring>{m_source / L"ansi.txt", m_source / L"folder", japanese}));
    ExpectCopied(Child(*node, m_source / L"ansi.txt"), BytesOf("ansi"), L"ディスクファイル");
    ExpectOpened(Child(*node, m_source / L"folder"), L"ディレクトリ");
}

TEST_F(TraversalDropFilesTest, FolderAfterTheLimitStaysAPlaceholder)
{
    WriteSourceFile(m_source / L"big.bin", PatternBytes(kLarge));
    ASSERT_TRUE(::CreateDirectoryW((m_source / L"dir").c_str(), nullptr));
    auto node = NodeWithBytes(DropList({WidePath(m_source / L"dir"), WidePath(m_source / L"big.bin")}, true));

    node->ExpandDropFiles(m_context);

    ExpectCopied(Child(*node, m_source / L"big.bin"), PatternBytes(kLarge), L"ディスクファイル");
    ExpectStopped(Child(*node, m_source / L"dir"), L"ディレクトリ", kBudgetStop);
}

TEST_F(TraversalDropFilesTest, EmptyListGivesAnEmptyChildArray)
{
    auto node = NodeWithBytes(DropList({}, true));
    node->ExpandDropFiles(m_context);
    ASSERT_TRUE(node->m_pChildren);
    EXPECT_TRUE(node->m_pChildren->empty());
    EXPECT_EQ(node->m_arrInfo, CStringArray{});
}

TEST_F(TraversalDropFilesTest, NodeWithoutBytesIsLeftAlone)
{
    CCBData node;
    node.ExpandDropFiles(m_context);
    EXPECT_FALSE(node.m_pChildren);
    EXPECT_EQ(node.m_arrInfo, CStringArray{});
}

TEST_F(TraversalDropFilesTest, HeaderThatDoesNotFitOrPointsOutsideGivesOneLine)
{
    CBytes pastEnd = DropList({WidePath(L"C:\\x")}, true);
    Put32(pastEnd, 0, static_cast<uint32_t>(pastEnd.size() + 1));
    CBytes intoHeader = DropList({WidePath(L"C:\\x")}, true);
    Put32(intoHeader, 0, 4);
    for (const CBytes& bytes : {CBytes(10, 0), pastEnd, intoHeader, CBytes{0xFF, 0xFF, 0xFF, 0xFF}}) {
        auto node = NodeWithBytes(bytes);
        node->ExpandDropFiles(m_context);
        EXPECT_EQ(node->m_arrInfo, CStringArray{L"エラー\tファイル名の一覧が壊れています。"});
        EXPECT_FALSE(node->m_pChildren);
    }
}

TEST_F(TraversalDropFilesTest, ListCutOffByTheEndKeepsTheWholePathsAndSaysSo)
{
    WriteSourceFile(m_source / L"a.txt", BytesOf("alpha"));
    CBytes bytes = DropList({WidePath(m_source / L"a.txt"), WidePath(m_source / L"cut-off")}, true, false);
    bytes.resize(bytes.size() - 6);  // into the second path

    auto node = NodeWithBytes(bytes);
    node->ExpandDropFiles(m_context);

    EXPECT_EQ(node->m_arrInfo, CStringArray{L"エラー\tファイル名の一覧が途中で切れています。"});
    EXPECT_EQ(ChildNames(*node), std::vector<std::wstring>{m_source / L"a.txt"});
    ExpectCopied(Child(*node, m_source / L"a.txt"), BytesOf("alpha"), L"ディスクファイル");
}

TEST_F(TraversalDropFilesTest, PathLongerThanMaxPathIsTakenWhole)
{
    // Extended-length paths reach past MAX_PATH; the list's own bytes bound them.
    std::vector<std::wstring> folders{L"\\\\?\\" + m_source.Path()};
    while (folders.back().size() < MAX_PATH + 20) {
        folders.push_back(folders.back() + L"\\" + std::wstring(40, L'd'));
        ASSERT_TRUE(::CreateDirectoryW(folders.back().c_str(), nullptr));
    }
    const std::wstring file = folders.back() + L"\\long.txt";
    WriteSourceFile(file, BytesOf("long"));
    auto node = NodeWithBytes(DropList({WidePath(file)}, true));

    node->ExpandDropFiles(m_context);

    ExpectCopied(Child(*node, file), BytesOf("long"), L"ディスクファイル");
    ::DeleteFileW(file.c_str());
    for (size_t i = folders.size() - 1; i > 0; --i)
        ::RemoveDirectoryW(folders[i].c_str());
}
