// Data objects the shell itself makes for real files, as Explorer hands them
// to a drop target: CF_HDROP and "Shell IDList Array" become subtrees.
#include "ShellSource.h"

#include "support/CaptureEverything.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>

namespace {

class ShellDataObjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_app.ClaimWorkFolder();
        ::CreateDirectoryW(m_files.Path().c_str(), nullptr);
        WriteFileBytes(m_files / L"a.txt", "alpha");
        ::CreateDirectoryW((m_files / L"sub").c_str(), nullptr);
        WriteFileBytes(m_files / L"sub\\b.txt", "beta");
    }

    static const CCBData* Child(const CCBData& node, const std::wstring& name)
    {
        if (!node.m_pChildren)
            return nullptr;
        for (const auto& child : *node.m_pChildren)
            if (child->m_strName == name || child->m_strName.ends_with(L"\\" + name))
                return child.get();
        return nullptr;
    }

    CTestApp m_app;
    CTempDir m_files;
};

}

TEST_F(ShellDataObjectTest, DroppedFilesAndFoldersBecomeSubtrees)
{
    CComPtr<IDataObject> source = CreateShellDataObject(m_files.Path(), {L"a.txt", L"sub"});
    ASSERT_TRUE(source);

    const CCBDataArray nodes = CaptureEverything(source, m_app);

    const UINT cfShellIdList = ::RegisterClipboardFormatW(CFSTR_SHELLIDLIST);
    auto find = [&nodes](UINT format) {
        auto found = std::find_if(nodes.begin(), nodes.end(),
                                  [format](const auto& node) { return node->m_fmt.cfFormat == format; });
        return found == nodes.end() ? nullptr : found->get();
    };
    const CCBData* drop = find(CF_HDROP);
    ASSERT_NE(drop, nullptr) << "the shell offers the files as a drop list";
    EXPECT_EQ(drop->m_nIcon, kIconFolder);
    const CCBData* file = Child(*drop, L"a.txt");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadFileBytes(file->m_strTempFile), "alpha");
    const CCBData* directory = Child(*drop, L"sub");
    ASSERT_NE(directory, nullptr);
    EXPECT_EQ(directory->m_strType, L"ディレクトリ");
    ASSERT_NE(Child(*directory, L"b.txt"), nullptr);
    EXPECT_EQ(ReadFileBytes(Child(*directory, L"b.txt")->m_strTempFile), "beta");

    const CCBData* idList = find(cfShellIdList);
    ASSERT_NE(idList, nullptr) << "the shell offers the items as an item list";
    ASSERT_FALSE(idList->m_arrInfo.empty());
    EXPECT_EQ(idList->m_arrInfo[0].rfind(L"親フォルダ\t", 0), 0u);
    ASSERT_TRUE(idList->m_pChildren);
    ASSERT_EQ(idList->m_pChildren->size(), 2u);
    const CCBData& folderItem = *(*idList->m_pChildren)[1];
    EXPECT_EQ(folderItem.m_strType, L"IShellFolder");
    ASSERT_TRUE(folderItem.m_pChildren);
    ASSERT_EQ(folderItem.m_pChildren->size(), 1u);
}
