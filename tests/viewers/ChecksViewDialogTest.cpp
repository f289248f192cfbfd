// The root's checks page: a row per finding of every node, with its node and
// the bytes it concerns; Ctrl+C copies the selected rows. A node's own page,
// and what a double click opens, are the journey's (e2e).
#include "capture/FindingText.h"
#include "framework/PropertySheet.h"
#include "framework/Resource.h"
#include "support/ClipboardRead.h"
#include "support/HostWindow.h"
#include "support/NodeTestBase.h"
#include "res/strings/viewers.h"
#include "viewers/ChecksViewDialog.h"

#include <commctrl.h>

class ChecksViewDialogTest : public CNodeTestBase {};

TEST_F(ChecksViewDialogTest, TheRootListsEveryNodesFindingsAndCopiesTheSelectedRows)
{
    const Finding bytes{"text.no-terminator", FindingSeverity::Error, {}, 6, 2, {}};
    const Finding note{"hdrop.missing-file", FindingSeverity::Note, {}, std::nullopt, 0, {"C:\\gone.txt"}};
    const Finding childError{"capture.error", FindingSeverity::Error, {}, std::nullopt, 0, {"refused"}};
    CCBDataArray snapshot;
    snapshot.push_back(NodeWith("abcdefgh"));
    snapshot[0]->m_strName = L"text";
    snapshot[0]->m_findings = {bytes, note};
    snapshot[0]->m_pChildren = std::make_unique<CCBDataArray>();
    snapshot[0]->m_pChildren->push_back(std::make_unique<CCBData>());
    snapshot[0]->m_pChildren->back()->m_strName = L"child";
    snapshot[0]->m_pChildren->back()->m_findings = {childError};

    CWnd parent;
    ASSERT_TRUE(CreateHostWindow(parent, RECT{0, 0, 700, 400}));
    CChecksViewDialog page(nullptr, snapshot);
    CPropertySheet sheet;
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create(parent));
    const HWND list = ::GetDlgItem(page, IDC_CHECKS_LIST);
    const std::vector<std::vector<std::wstring>> rows = {
        {SeverityName(FindingSeverity::Error), L"text.no-terminator", FindingMessage(bytes),
         L"text  " + FormatResString(IDS_CHECKS_AT_LENGTH, 6ull, 2ull)},
        {SeverityName(FindingSeverity::Note), L"hdrop.missing-file", FindingMessage(note), L"text"},
        {SeverityName(FindingSeverity::Error), L"capture.error", FindingMessage(childError), L"child"}};
    ASSERT_EQ(ListView_GetItemCount(list), static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        for (int column = 0; column < 4; ++column) {
            wchar_t text[512]{};
            ListView_GetItemText(list, row, column, text, 512);
            EXPECT_EQ(text, rows[row][column]) << row << "," << column;
        }
    }

    ListView_SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
    BYTE state[256]{};
    ::GetKeyboardState(state);
    state[VK_CONTROL] = 0x80;
    ::SetKeyboardState(state);
    ::SendMessageW(list, WM_KEYDOWN, 'C', 1);
    state[VK_CONTROL] = 0;
    ::SetKeyboardState(state);
    EXPECT_EQ(ClipboardText(), page.SelectedRowsText());
    EXPECT_EQ(page.SelectedRowsText().find(rows[0][0] + L"\ttext.no-terminator\t" + rows[0][2] + L"\t"), 0u);
    sheet.DestroyWindow();
    parent.DestroyWindow();
}
