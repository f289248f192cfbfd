// A snapshot file named on Plexa.exe's command line opens at start, under its
// file name, with the tree it was saved with.
#include "PlexaSession.h"
#include "SampleSources.h"
#include "TreeExpectations.h"
#include "UserInput.h"
#include "support/SnapshotOfSource.h"

#include <algorithm>

TEST_F(PlexaSession, ASnapshotFileOnTheCommandLineOpensUnderItsName)
{
    const std::wstring path = m_temp / L"サンプル.plexa";
    const std::vector<std::wstring> labels = SaveSnapshotOf(MakeClipboardSample(), L"クリップボード#7", path);
    ASSERT_FALSE(labels.empty());

    CPlexaWindow plexa = Start(L"\"" + path + L"\"");
    // The window is shown before the file is read, so that its progress can show.
    for (int tries = 0; tries < 200 && plexa.Title() != L"サンプル.plexa - Plexa"; ++tries)
        PumpMessagesFor(50);
    EXPECT_EQ(plexa.Title(), L"サンプル.plexa - Plexa");
    const CRemoteTreeItem root = SingleRoot(ReadRemoteTree(plexa.Tree()));
    EXPECT_EQ(root.text, L"サンプル.plexa");
    EXPECT_EQ(TextsOf(root.children), labels);
    const auto contents = std::find_if(root.children.begin(), root.children.end(),
                                       [](const CRemoteTreeItem& item) { return item.text == L"CFSTR_FILECONTENTS"; });
    ASSERT_NE(contents, root.children.end());
    EXPECT_EQ(TextsOf(contents->children), kSampleVirtualFiles);
    EXPECT_EQ(Close(), 0);
}
