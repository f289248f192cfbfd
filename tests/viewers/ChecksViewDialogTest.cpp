// The checks page: a row per finding of the node, or of every node for the
// root; Ctrl+C copies the selected rows. What a double click opens is the
// journey's (e2e).
#include "capture/FindingText.h"
#include "framework/PropertySheet.h"
#include "framework/Resource.h"
#include "framework/Utf8.h"
#include "support/ClipboardRead.h"
#include "support/HostWindow.h"
#include "support/NodeTestBase.h"
#include "res/strings/viewers.h"
#include "viewers/ChecksViewDialog.h"

#include <commctrl.h>

#include <optional>

namespace {

const Finding kOffsetFinding{"text.no-terminator", FindingSeverity::Error, {}, 6, 2, {}};
const Finding kNote{"hdrop.missing-file", FindingSeverity::Note, {}, std::nullopt, 0, {"C:\\gone.txt"}};
const Finding kChildError{"capture.error", FindingSeverity::Error, {}, std::nullopt, 0, {"refused"}};

class ChecksViewDialogTest : public CNodeTestBase {
protected:
    void SetUp() override
    {
        CNodeTestBase::SetUp();
        ASSERT_TRUE(CreateHostWindow(m_parent, RECT{0, 0, 700, 400}));
        m_snapshot.push_back(NodeWith("abcdefgh"));
        m_snapshot[0]->m_strName = L"text";
        m_snapshot[0]->m_findings = {kOffsetFinding, kNote};
        m_snapshot[0]->m_pChildren = std::make_unique<CCBDataArray>();
        m_snapshot[0]->m_pChildren->push_back(std::make_unique<CCBData>());
        m_snapshot[0]->m_pChildren->back()->m_strName = L"child";
        m_snapshot[0]->m_pChildren->back()->m_findings = {kChildError};
    }
    void TearDown() override
    {
        m_sheet.DestroyWindow();
        m_parent.DestroyWindow();
    }

    HWND Show(CCBData* node)
    {
        m_page.emplace(node, m_snapshot);
        m_sheet.AddPage(&*m_page);
        EXPECT_TRUE(m_sheet.Create(m_parent));
        return ::GetDlgItem(*m_page, IDC_CHECKS_LIST);
    }

    static std::wstring Cell(HWND list, int row, int column)
    {
        wchar_t text[512]{};
        ListView_GetItemText(list, row, column, text, 512);
        return text;
    }
    static void ExpectRows(HWND list, const std::vector<std::vector<std::wstring>>& rows)
    {
        ASSERT_EQ(ListView_GetItemCount(list), static_cast<int>(rows.size()));
        for (int row = 0; row < static_cast<int>(rows.size()); ++row)
            for (int column = 0; column < 4; ++column)
                EXPECT_EQ(Cell(list, row, column), rows[row][column]) << row << "," << column;
    }

    CWnd m_parent;
    CPropertySheet m_sheet;
    CCBDataArray m_snapshot;
    std::optional<CChecksViewDialog> m_page;
};

}  // namespace

TEST_F(ChecksViewDialogTest, ListsTheNodesFindings)
{
    const std::wstring at = FormatResString(IDS_CHECKS_AT_LENGTH, 6ull, 2ull);
    ExpectRows(Show(m_snapshot[0].get()),
               {{SeverityName(FindingSeverity::Error), L"text.no-terminator", FindingMessage(kOffsetFinding), at},
                {SeverityName(FindingSeverity::Note), L"hdrop.missing-file", FindingMessage(kNote), L""}});
}

TEST_F(ChecksViewDialogTest, TheRootListsEveryNodesFindingsWithItsNode)
{
    const std::wstring at = FormatResString(IDS_CHECKS_AT_LENGTH, 6ull, 2ull);
    ExpectRows(Show(nullptr),
               {{SeverityName(FindingSeverity::Error), L"text.no-terminator", FindingMessage(kOffsetFinding),
                 L"text  " + at},
                {SeverityName(FindingSeverity::Note), L"hdrop.missing-file", FindingMessage(kNote), L"text"},
                {SeverityName(FindingSeverity::Error), L"capture.error", FindingMessage(kChildError), L"child"}});
}

TEST_F(ChecksViewDialogTest, CtrlCCopiesTheSelectedRows)
{
    const HWND list = Show(m_snapshot[0].get());
    ListView_SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
    BYTE state[256]{};
    ::GetKeyboardState(state);
    state[VK_CONTROL] = 0x80;
    ::SetKeyboardState(state);
    ::SendMessageW(list, WM_KEYDOWN, 'C', 1);
    state[VK_CONTROL] = 0;
    ::SetKeyboardState(state);
    const std::wstring copied = ClipboardText();
    EXPECT_EQ(copied, m_page->SelectedRowsText());
    EXPECT_EQ(std::count(copied.begin(), copied.end(), L'\n'), 2);
    EXPECT_NE(copied.find(L"\ttext.no-terminator\t"), std::wstring::npos) << ToUtf8(copied);
}
