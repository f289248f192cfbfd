// A snapshot dragged out of one Plexa.exe, by the root of its tree, onto the
// drop window of another: the second takes every node the first had taken.
#include "PlexaSession.h"
#include "TreeExpectations.h"
#include "UserInput.h"
#include "res/resource.h"
#include "support/EveryKindOfSource.h"
#include "support/SnapshotOfSource.h"

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

}  // namespace

TEST_F(PlexaSession, ASnapshotDraggedOutByItsRootDropsIntoAnotherPlexa)
{
    const CTempDir dropped;
    const std::wstring path = m_temp / L"every.plexa";
    ASSERT_FALSE(SaveSnapshotOf(EveryKindOfSource(dropped.Path()), L"every", path).empty());
    CPlexaWindow source = Start(L"\"" + path + L"\"");
    ::SetWindowPos(source.Frame(), nullptr, 0, 0, 600, 500, SWP_NOZORDER);
    for (int tries = 0; tries < 200 && ReadRemoteTree(source.Tree()).empty(); ++tries)
        PumpMessagesFor(50);
    const CRemoteTreeItem taken = SingleRoot(ReadRemoteTree(source.Tree()));

    CPlexaProcess targetProcess(m_temp.Path());
    const HWND targetFrame = targetProcess.WaitForMainWindow();
    ASSERT_NE(targetFrame, nullptr);
    ::SetWindowPos(targetFrame, nullptr, 640, 0, 600, 500, SWP_NOZORDER);
    const CPlexaWindow target(targetFrame);
    PumpMessagesFor(300);

    const POINT from = CentreOfItem(source.Tree(), taken.handle);
    const POINT to = CPlexaWindow::CentreOf(target.DropWindow(IDC_DROP_ALL));
    MoveMouseTo(from);
    PressLeftButton();
    GlideMouseTo(from, {from.x + 30, from.y + 30});
    GlideMouseTo({from.x + 30, from.y + 30}, to);
    ReleaseLeftButton();
    for (int tries = 0; tries < 200 && ReadRemoteTree(target.Tree()).empty(); ++tries)
        PumpMessagesFor(50);

    // Every node comes across but the two formats whose capture had failed.
    std::vector<CRemoteTreeItem> expected = taken.children;
    std::erase_if(expected, [](const auto& item) { return item.text == L"49681" || item.text == L"CF_DIB"; });
    std::vector<CRemoteTreeItem> arrived = SingleRoot(ReadRemoteTree(target.Tree())).children;
    EXPECT_EQ(OutlineOf(arrived), OutlineOf(expected));
    EXPECT_NE(OutlineOf(arrived).find(L"\n  b.txt\n"), std::wstring::npos) << "the virtual files came across";

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
