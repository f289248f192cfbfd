// Saving over what is already there: a dump folder is replaced only once the
// new one is in place, never at the cost of the old one or of files it did
// not write, and a working file that reads short is reported as unreadable.
#include "capture/SnapshotFile.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"
#include "support/NodeTestBase.h"
#include "support/TempDir.h"
#include "support/TreeDescription.h"

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

    std::wstring DumpTree()
    {
        CCBDataArray opened;
        CSnapshotInfo info;
        std::wstring error;
        EXPECT_EQ(OpenSnapshotFile(m_dump, m_app, {}, info, opened, error), SnapshotResult::Done) << error;
        return DescribeTree(opened);
    }

    CTempDir m_files;
    const std::wstring m_dump = m_files / L"dump";
};

}

TEST_F(SnapshotReplaceTest, AReplacementThatCannotBeDoneLeavesTheOldDumpWhole)
{
    const std::wstring foreign = m_dump + L"\\nodes\\notes.txt";
    struct Case {
        const char* name;
        bool foreignFile;  // else the folder is held open, so that it cannot be set aside
        std::wstring message;
    };
    for (const Case& c : {Case{"held open", false, FormatResString(IDS_CANNOT_REPLACE_FOLDER, ERROR_SHARING_VIOLATION)},
                          Case{"foreign file among the nodes", true, LoadResString(IDS_FOLDER_NOT_A_DUMP)}}) {
        SCOPED_TRACE(c.name);
        std::wstring error;
        ASSERT_EQ(SaveSnapshotFolder(m_dump, {}, Nodes("old one", "old two"), {}, error), SnapshotResult::Done);
        const std::wstring before = DumpTree();
        if (c.foreignFile)
            WriteFileBytes(foreign, "mine");
        {
            const CFileHandle held(c.foreignFile ? INVALID_HANDLE_VALUE
                                                 : ::CreateFileW(m_dump.c_str(), GENERIC_READ,
                                                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
            EXPECT_EQ(SaveSnapshotFolder(m_dump, {}, Nodes("new", "newer"), {}, error), SnapshotResult::Failed);
        }
        EXPECT_EQ(error, c.message);
        EXPECT_EQ(ListFolder(m_files.Path()), std::vector<std::wstring>{L"dump"}) << "no partial or old folder";
        if (c.foreignFile) {
            EXPECT_EQ(ReadFileBytes(foreign), "mine");
            ::DeleteFileW(foreign.c_str());
        }
        EXPECT_EQ(DumpTree(), before);
        RemoveTree(m_dump);
    }
}

TEST_F(SnapshotReplaceTest, AWorkingFileThatReadsShortIsReportedUnreadable)
{
    const CCBDataArray nodes = Nodes("whole", "cut short");
    nodes[1]->m_nSize += 5;
    for (const bool bFolder : {false, true}) {
        std::wstring error;
        const SnapshotResult result = bFolder ? SaveSnapshotFolder(m_dump, {}, nodes, {}, error)
                                              : SaveSnapshotFile(m_files / L"s.plexa", {}, nodes, {}, error);
        EXPECT_EQ(result, SnapshotResult::Failed);
        EXPECT_EQ(error, FormatResString(IDS_CANNOT_READ_TEMP_FILE_OF, nodes[1]->GetLabel().c_str(), ERROR_HANDLE_EOF));
        EXPECT_EQ(ListFolder(m_files.Path()), std::vector<std::wstring>{}) << "nothing is left of the save";
    }
}
