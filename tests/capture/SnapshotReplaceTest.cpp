// Saving over what is already there: a dump folder is replaced only when the
// new one is in place, never at the cost of the old one or of files it did
// not write, and a working file that reads short is reported as unreadable.
#include "capture/SnapshotFile.h"
#include "framework/Handles.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"
#include "support/NodeTestBase.h"
#include "support/TempDir.h"
#include "support/TreeDescription.h"

#include <functional>

namespace {

class SnapshotReplaceTest : public CNodeTestBase {
protected:
    CCBDataArray Nodes(const std::string& first, const std::string& second)
    {
        CCBDataArray nodes;
        nodes.push_back(NodeWith(first));
        nodes.push_back(NodeWith(second));
        return nodes;
    }

    SnapshotResult SaveDump(const CCBDataArray& nodes, std::wstring& error)
    {
        return SaveSnapshotFolder(Dump(), {}, nodes, {}, error);
    }

    std::wstring OpenedTree()
    {
        CCBDataArray opened;
        CSnapshotInfo info;
        std::wstring error;
        EXPECT_EQ(OpenSnapshotFile(Dump(), m_app, {}, info, opened, error), SnapshotResult::Done) << error;
        return DescribeTree(opened);
    }

    std::wstring Dump() const { return m_files / L"dump"; }

    CTempDir m_files;
};

struct CReplaceCase {
    const char* name;
    // Does to the old dump what stands in the way, until the object it returns goes.
    std::function<std::shared_ptr<void>(const std::wstring& dump)> obstruct;
    UINT message;  // with the error, when it has one
    DWORD error;
};

class SnapshotReplaceFailureTest : public SnapshotReplaceTest, public testing::WithParamInterface<CReplaceCase> {};

}

TEST_P(SnapshotReplaceFailureTest, LeavesTheOldDumpWholeAndNothingElse)
{
    const CCBDataArray old = Nodes("old one", "old two");
    std::wstring error;
    ASSERT_EQ(SaveDump(old, error), SnapshotResult::Done) << error;
    const std::wstring before = OpenedTree();
    {
        const std::shared_ptr<void> obstruction = GetParam().obstruct(Dump());
        EXPECT_EQ(SaveDump(Nodes("new", "newer"), error), SnapshotResult::Failed);
    }
    EXPECT_EQ(error, FormatResString(GetParam().message, GetParam().error));
    EXPECT_EQ(OpenedTree(), before);
    EXPECT_EQ(ListFolder(m_files.Path()), std::vector<std::wstring>{L"dump"}) << "no partial or old folder";
}

INSTANTIATE_TEST_SUITE_P(
    Obstructions, SnapshotReplaceFailureTest,
    testing::Values(
        // The old dump cannot be set aside, nor, before, could the new one be moved in.
        CReplaceCase{"FolderHeldOpen",
                     [](const std::wstring& dump) -> std::shared_ptr<void> {
                         return std::make_shared<CFileHandle>(
                             ::CreateFileW(dump.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
                     },
                     IDS_CANNOT_REPLACE_FOLDER, ERROR_SHARING_VIOLATION},
        CReplaceCase{"ForeignFileAmongTheNodes",
                     [](const std::wstring& dump) -> std::shared_ptr<void> {
                         WriteFileBytes(dump + L"\\nodes\\notes.txt", "mine");
                         return std::shared_ptr<void>(nullptr, [dump](void*) {
                             EXPECT_EQ(ReadFileBytes(dump + L"\\nodes\\notes.txt"), "mine");
                             ::DeleteFileW((dump + L"\\nodes\\notes.txt").c_str());
                         });
                     },
                     IDS_FOLDER_NOT_A_DUMP, 0}),
    [](const testing::TestParamInfo<CReplaceCase>& info) { return info.param.name; });

TEST_F(SnapshotReplaceTest, AWorkingFileThatReadsShortIsReportedUnreadable)
{
    const CCBDataArray nodes = Nodes("whole", "cut short");
    nodes[1]->m_nSize += 5;
    const std::wstring label = nodes[1]->GetLabel();
    for (const bool bFolder : {false, true}) {
        std::wstring error;
        const SnapshotResult result = bFolder ? SaveDump(nodes, error)
                                              : SaveSnapshotFile(m_files / L"s.plexa", {}, nodes, {}, error);
        EXPECT_EQ(result, SnapshotResult::Failed);
        EXPECT_EQ(error, FormatResString(IDS_CANNOT_READ_TEMP_FILE_OF, label.c_str(), ERROR_HANDLE_EOF));
        EXPECT_EQ(ListFolder(m_files.Path()), std::vector<std::wstring>{}) << "nothing is left of the save";
    }
}
