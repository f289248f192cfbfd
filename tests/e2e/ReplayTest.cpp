// A snapshot put back on the clipboard by Plexa.exe and pasted by another
// process: every medium and kind of node arrives as it was taken.
#include "PlexaSession.h"
#include "TreeExpectations.h"
#include "UserInput.h"
#include "capture/SnapshotFile.h"
#include "res/resource.h"
#include "support/CaptureEverything.h"
#include "support/EveryKindOfSource.h"
#include "support/SnapshotOfSource.h"
#include "support/TestApp.h"
#include "support/TreeDescription.h"

#include <commctrl.h>

#include <algorithm>
#include <regex>

namespace {

// The tree without OLE's own formats for a data object on the clipboard.
std::wstring DescribeWithoutOle(CCBDataArray nodes)
{
    std::erase_if(nodes, [](const auto& node) {
        const std::wstring label = node->GetLabel();
        return label == L"\"DataObject\"" || label == L"\"Ole Private Data\"" ||
               label == L"\"Wine Marshalled DataObject\"";
    });
    return DescribeTree(nodes);
}

// Says OK to the message box process `processId` shows, if it shows one.
void AcknowledgeMessage(DWORD processId)
{
    for (HWND box = nullptr; (box = ::FindWindowExW(nullptr, box, L"#32770", L"Plexa")) != nullptr;) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(box, &owner);
        if (owner == processId)
            ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
}

}  // namespace

TEST_F(PlexaSession, ASnapshotPutBackOnTheClipboardIsPastedElsewhereAsItWasTaken)
{
    const std::wstring path = m_temp / L"every.plexa";
    ASSERT_FALSE(SaveSnapshotOf(EveryKindOfSource(), L"every", path).empty());
    CTestApp host;
    host.ClaimWorkFolder();
    CCBDataArray taken;
    CSnapshotInfo info;
    std::wstring error;
    ASSERT_EQ(OpenSnapshotFile(path, host, {}, info, taken, error), SnapshotResult::Done) << error.c_str();
    // The two formats whose capture failed are not offered again.
    std::erase_if(taken, [](const auto& node) { return node->GetLabel() == L"49681" || node->GetLabel() == L"CF_DIB"; });

    CPlexaWindow plexa = Start(L"\"" + path + L"\"");
    for (int tries = 0; tries < 200 && ReadRemoteTree(plexa.Tree()).empty(); ++tries)
        PumpMessagesFor(50);
    TreeView_SelectItem(plexa.Tree(), SingleRoot(ReadRemoteTree(plexa.Tree())).handle);
    const DWORD processId = plexa.ProcessId();
    ASSERT_TRUE(plexa.RunCommand(ID_REPLAY_TO_CLIPBOARD, [processId] { AcknowledgeMessage(processId); }));

    CComPtr<IDataObject> clipboard;
    ASSERT_EQ(::OleGetClipboard(&clipboard), S_OK);
    // Wine hands no palette handle to another process: the palette's own
    // round trip is the capture tests', in one process.
    const auto withoutPalette = [](std::wstring tree) {
        return std::regex_replace(tree, std::wregex(L" \\| palette[ 0-9A-F]*"), L"");
    };
    EXPECT_EQ(withoutPalette(DescribeWithoutOle(CaptureEverything(clipboard, host))),
              withoutPalette(DescribeTree(taken)));
    clipboard.Reset();
    EXPECT_EQ(Close(), 0);
}
