// The HEX page of a running Plexa.exe: a pasted node's bytes copied from the
// dump through the dump's own commands, and the chosen width across a restart.
#include "PlexaSession.h"
#include "SampleSources.h"
#include "TreeExpectations.h"
#include "res/resource.h"
#include "support/ClipboardRead.h"

#include <commctrl.h>


namespace {

const std::wstring kSampleLine = L"0000  73 61 6d 70 6c 65 20 62 79 74 65 73";  // "sample bytes"

// Pastes the clipboard sample and shows its registered format, which opens on the HEX page.
HWND PasteAndShowSample(const CPlexaWindow& plexa)
{
    CClipboardSample sample;
    if (sample.clipboard.Result() != S_OK || !plexa.RunCommand(ID_EDIT_PASTE))
        return nullptr;
    const CRemoteTreeItem root = SingleRoot(ReadRemoteTree(plexa.Tree()));
    if (root.children.size() < 4 || root.children[3].text != L"\"Plexa&Sample\"")
        return nullptr;
    TreeView_SelectItem(plexa.Tree(), root.children[3].handle);
    return plexa.HexDump();
}

std::wstring CopyWholeDump(HWND dump)
{
    ::SendMessageW(dump, WM_COMMAND, ID_EDIT_SELECT_ALL, 0);
    ::SendMessageW(dump, WM_COMMAND, ID_EDIT_COPY, 0);
    return ClipboardText();
}

}  // namespace

TEST_F(PlexaSession, APastedNodesBytesShowOnTheHexPageAndTheWidthSurvivesARestart)
{
    CPlexaWindow plexa = Start();
    HWND dump = PasteAndShowSample(plexa);
    ASSERT_NE(dump, nullptr);
    std::wstring text = CopyWholeDump(dump);
    EXPECT_EQ(text, kSampleLine + std::wstring(3 * 4 + 2, L' ') + L"sample bytes\r\n");
    EXPECT_EQ(ClipboardBinaryData(), "sample bytes");

    const HWND page = ::GetParent(dump);
    const HWND combo = ::GetDlgItem(page, IDC_BYTES_PER_LINE);
    ::SendMessageW(combo, CB_SETCURSEL, 2, 0);
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_BYTES_PER_LINE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    ASSERT_EQ(Close(), 0);

    plexa = Start();
    dump = PasteAndShowSample(plexa);
    ASSERT_NE(dump, nullptr);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(::GetParent(dump), IDC_BYTES_PER_LINE), CB_GETCURSEL, 0, 0), 2);
    text = CopyWholeDump(dump);
    // 64 bytes a line: the characters begin at column 4 + 3 * 64 + 3.
    EXPECT_EQ(text, kSampleLine + std::wstring(3 * 52 + 2, L' ') + L"sample bytes\r\n");
}
