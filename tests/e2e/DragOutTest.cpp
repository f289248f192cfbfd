// A snapshot dragged out of one Plexa.exe, by the root of its tree, onto the
// drop window of another: the second takes the formats the first had taken.
#include "PlexaSession.h"
#include "SampleSources.h"
#include "TreeExpectations.h"
#include "UserInput.h"
#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// The centre of tree item `item`'s text, in screen coordinates.
POINT CentreOfItem(HWND tree, HTREEITEM item)
{
    CRemoteMemory memory(tree, sizeof(RECT));
    RECT rect{};
    if (!memory.IsValid() || !memory.Write(0, &item, sizeof(item)) ||
        !::SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(memory.Address())) ||
        !memory.Read(0, &rect, sizeof(rect)))
        return {};
    POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ::ClientToScreen(tree, &centre);
    return centre;
}

// OLE's own formats for a data object on the clipboard, which a paste takes too.
bool IsOleOwnFormat(const std::wstring& label)
{
    return label == L"\"DataObject\"" || label == L"\"Ole Private Data\"" ||
           label == L"\"Wine Marshalled DataObject\"";
}

}  // namespace

TEST_F(PlexaSession, ASnapshotDraggedOutByItsRootDropsIntoAnotherPlexa)
{
    CPlexaWindow source = Start();
    ::SetWindowPos(source.Frame(), nullptr, 0, 0, 600, 500, SWP_NOZORDER);
    CClipboardSample sample;
    ASSERT_EQ(sample.clipboard.Result(), S_OK);
    ASSERT_TRUE(source.RunCommand(ID_EDIT_PASTE));
    const CRemoteTreeItem pasted = SingleRoot(ReadRemoteTree(source.Tree()));

    CPlexaProcess targetProcess(m_temp.Path());
    const HWND targetFrame = targetProcess.WaitForMainWindow();
    ASSERT_NE(targetFrame, nullptr);
    ::SetWindowPos(targetFrame, nullptr, 640, 0, 600, 500, SWP_NOZORDER);
    const CPlexaWindow target(targetFrame);
    PumpMessagesFor(300);

    const POINT from = CentreOfItem(source.Tree(), pasted.handle);
    const POINT to = CPlexaWindow::CentreOf(target.DropWindow(IDC_DROP_ALL));
    MoveMouseTo(from);
    PressLeftButton();
    GlideMouseTo(from, {from.x + 30, from.y + 30});
    GlideMouseTo({from.x + 30, from.y + 30}, to);
    ReleaseLeftButton();
    for (int tries = 0; tries < 200 && ReadRemoteTree(target.Tree()).empty(); ++tries)
        PumpMessagesFor(50);

    std::vector<std::wstring> expected = TextsOf(pasted.children);
    std::erase_if(expected, IsOleOwnFormat);
    const CRemoteTreeItem droppedRoot = SingleRoot(ReadRemoteTree(target.Tree()));
    std::vector<std::wstring> dropped = TextsOf(droppedRoot.children);
    std::erase_if(dropped, IsOleOwnFormat);
    EXPECT_EQ(dropped, expected);
    const auto contents = std::find_if(droppedRoot.children.begin(), droppedRoot.children.end(),
                                       [](const CRemoteTreeItem& item) { return item.text == L"CFSTR_FILECONTENTS"; });
    ASSERT_NE(contents, droppedRoot.children.end());
    EXPECT_EQ(TextsOf(contents->children), kSampleVirtualFiles) << "the virtual files came across";

    // The source's log shows what the target asked for, and the effect it chose.
    const HWND log = ::FindWindowW(L"#32770", L"ターゲットの要求");
    ASSERT_NE(log, nullptr);
    DWORD logProcess = 0;
    ::GetWindowThreadProcessId(log, &logProcess);
    EXPECT_EQ(logProcess, source.ProcessId());
    const auto rows = ReadRemoteListRows(::GetDlgItem(log, IDC_REPLAY_LOG_LIST), 6);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.back()[1], L"DoDragDrop");
    EXPECT_EQ(rows.back()[5], L"COPY");
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [](const auto& row) {
        return row[1] == L"GetData" && row[2].starts_with(L"CFSTR_FILECONTENTS CONTENT 0 ") && row[3] == L"S_OK";
    })) << "the first virtual file was asked for by its index";
    EXPECT_EQ(targetProcess.Close(), 0);
}
