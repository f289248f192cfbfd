// Directories walked into subtrees over the real file system.
#include "TraversalFixture.h"

#include <windows.h>

namespace {

using TraversalDirectoryTest = CTraversalTest;

void MakeFolder(const std::wstring& path)
{
    ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr));
}

}

TEST_F(TraversalDirectoryTest, TreeOfFilesAndFoldersInFileSystemOrder)
{
    WriteSourceFile(m_source / L"a.txt", BytesOf("alpha"));
    MakeFolder(m_source / L"sub");
    WriteSourceFile(m_source / L"sub\\inner.bin", PatternBytes(3000));
    MakeFolder(m_source / L"sub\\deep");
    WriteSourceFile(m_source / L"sub\\deep\\x", BytesOf("x"));
    MakeFolder(m_source / L"empty");

    auto node = m_context.CaptureDirectory(m_source.Path());

    ExpectOpened(node.get(), L"ディレクトリ");
    EXPECT_EQ(ChildNames(*node), ListFolder(m_source.Path()));
    ExpectCopied(Child(*node, L"a.txt"), BytesOf("alpha"), L"ディスクファイル");
    const CCBData* sub = Child(*node, L"sub");
    ExpectOpened(sub, L"ディレクトリ");
    EXPECT_EQ(ChildNames(*sub), ListFolder(m_source / L"sub"));
    ExpectCopied(Child(*sub, L"inner.bin"), PatternBytes(3000), L"ディスクファイル");
    const CCBData* deep = Child(*sub, L"deep");
    ExpectOpened(deep, L"ディレクトリ");
    ExpectCopied(Child(*deep, L"x"), BytesOf("x"), L"ディスクファイル");
    EXPECT_EQ(m_context.m_nTotal, 5u + 3000u + 1u);
}

TEST_F(TraversalDirectoryTest, FolderWithOnlyDotEntriesHasAnEmptyChildArray)
{
    auto node = m_context.CaptureDirectory(m_source.Path());
    ExpectOpened(node.get(), L"ディレクトリ");
    EXPECT_TRUE(node->m_pChildren->empty());
}

TEST_F(TraversalDirectoryTest, PathEndingInABackslashIsJoinedWithoutAnother)
{
    WriteSourceFile(m_source / L"f", BytesOf("f"));
    auto node = m_context.CaptureDirectory(m_source.Path() + L"\\");
    ExpectCopied(Child(*node, L"f"), BytesOf("f"), L"ディスクファイル");
}

TEST_F(TraversalDirectoryTest, FolderThatCannotBeSearchedHasNoChildrenAndNoLine)
{
    auto node = m_context.CaptureDirectory(m_source / L"missing");
    EXPECT_EQ(node->m_strType, L"ディレクトリ");
    EXPECT_EQ(node->m_nIcon, kIconFolder);
    EXPECT_FALSE(node->m_pChildren);
    EXPECT_EQ(node->m_arrInfo, CStringArray{});
}

TEST_F(TraversalDirectoryTest, LargeFileIsCopiedWholeAndTheLaterSubFolderStaysAPlaceholder)
{
    MakeFolder(m_source / L"a");
    WriteSourceFile(m_source / L"a\\big.bin", PatternBytes(kLarge));
    MakeFolder(m_source / L"a\\b");
    WriteSourceFile(m_source / L"a\\b\\c.txt", BytesOf("c"));

    auto node = m_context.CaptureDirectory(m_source.Path());

    const CCBData* a = Child(*node, L"a");
    ExpectOpened(a, L"ディレクトリ");
    ExpectCopied(Child(*a, L"big.bin"), PatternBytes(kLarge), L"ディスクファイル");
    ExpectStopped(Child(*a, L"b"), L"ディレクトリ", kBudgetStop);
    EXPECT_EQ(m_context.m_nTotal, kLarge);
}

TEST_F(TraversalDirectoryTest, LimitZeroOpensSubFoldersOnlyUntilTheFirstByte)
{
    m_app.m_nSubDirSizeLimit = 0;
    MakeFolder(m_source / L"s");
    WriteSourceFile(m_source / L"s\\zero", {});
    MakeFolder(m_source / L"s\\t");
    WriteSourceFile(m_source / L"s\\t\\one", BytesOf("1"));
    MakeFolder(m_source / L"s\\t\\u");

    auto node = m_context.CaptureDirectory(m_source.Path());

    const CCBData* s = Child(*node, L"s");
    ExpectOpened(s, L"ディレクトリ");
    ExpectCopied(Child(*s, L"zero"), {}, L"ディスクファイル");
    const CCBData* t = Child(*s, L"t");
    ExpectOpened(t, L"ディレクトリ");
    ExpectCopied(Child(*t, L"one"), BytesOf("1"), L"ディスクファイル");
    ExpectStopped(Child(*t, L"u"), L"ディレクトリ", kBudgetStop);
}

TEST_F(TraversalDirectoryTest, JapaneseNamesArriveIntact)
{
    MakeFolder(m_source / L"資料");
    WriteSourceFile(m_source / L"資料\\日本語のファイル.txt", BytesOf("naiyou"));

    auto node = m_context.CaptureDirectory(m_source.Path());

    const CCBData* folder = Child(*node, L"資料");
    ASSERT_NE(folder, nullptr);
    ExpectCopied(Child(*folder, L"日本語のファイル.txt"), BytesOf("naiyou"), L"ディスクファイル");
}

TEST_F(TraversalDirectoryTest, AStopEndsALongListingBetweenTwoFilesOrInTheLastCopy)
{
    constexpr int kFiles = 100;
    for (int i = 0; i < kFiles; ++i)
        WriteSourceFile(m_source / (L"f" + std::to_wstring(i)), BytesOf("data"));
    // Each file is polled for before it is listed and before its one chunk is copied.
    CTestProgress progress(41);
    CCBDataCreateContext context(m_app, progress);

    auto node = context.CaptureDirectory(m_source.Path());

    EXPECT_EQ(progress.m_nPolls, 41u) << "nothing is asked once the run is to stop";
    ASSERT_TRUE(node->m_pChildren);
    const size_t taken = node->m_pChildren->size();
    EXPECT_GT(taken, 0u);
    EXPECT_LT(taken, static_cast<size_t>(kFiles)) << "the listing stops at the stop";
    // Every file before the last is whole; the stop may land in the last one's copy.
    for (size_t i = 0; i + 1 < taken; ++i)
        ExpectCopied((*node->m_pChildren)[i].get(), BytesOf("data"), L"ディスクファイル");
    const CCBData& last = *node->m_pChildren->back();
    if (last.m_strTempFile.empty())
        EXPECT_EQ(last.m_arrInfo, CStringArray{L"エラー\t一時ファイルに書き込めませんでした。"});
    else
        ExpectCopied(&last, BytesOf("data"), L"ディスクファイル");
}
