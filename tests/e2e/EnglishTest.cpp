// Journeys through the English interface. They run in a second pass of this
// program under an English locale, where Plexa chooses English as Windows
// does for such a user; the first pass, under the Japanese locale, skips them.
#include "PlexaSession.h"
#include "RemoteControls.h"
#include "SampleSources.h"
#include "TreeExpectations.h"
#include "support/DialogCaption.h"
#include "framework/FrameworkIds.h"
#include "framework/Resource.h"
#include "framework/Format.h"
#include "framework/Utf8.h"
#include "res/resource.h"
#include "res/strings/app.h"
#include "res/strings/viewers.h"
#include "support/PlexaProcess.h"

#include <algorithm>
#include <cwchar>

namespace {

class English : public PlexaSession {};

// A dialog or message box of process `processId` captioned `caption`, or null.
HWND FindDialogOf(DWORD processId, const std::wstring& caption)
{
    for (HWND box = nullptr; (box = ::FindWindowExW(nullptr, box, L"#32770", caption.c_str())) != nullptr;) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(box, &owner);
        if (owner == processId && ::IsWindowVisible(box))
            return box;
    }
    return nullptr;
}

std::wstring TextOf(HWND window, int id)
{
    wchar_t text[512]{};
    ::GetDlgItemTextW(window, id, text, 512);
    return text;
}

void Click(HWND dialog, int id)
{
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

}  // namespace

TEST_F(English, TheWindowItsPagesAndItsDialogsSpeakEnglish)
{
    CPlexaWindow plexa = Start();
    const DWORD processId = plexa.ProcessId();
    EXPECT_EQ(plexa.Title(), LoadResStringIn(IDS_UNTITLED, kEnglishUi) + L" - Plexa");

    CClipboardSample sample;
    ASSERT_EQ(sample.clipboard.Result(), S_OK);
    ASSERT_TRUE(plexa.RunCommand(ID_EDIT_PASTE));
    std::vector<std::wstring> pages;
    for (const UINT page : {IDD_PROPERTY_VIEW, IDD_TEXT_VIEW, IDD_HEX_VIEW, IDD_IMAGE_VIEW})
        pages.push_back(DialogCaption(page, kEnglishUi));
    for (const std::wstring& tab : ReadRemoteTabTexts(plexa.PageTabs()))
        EXPECT_NE(std::find(pages.begin(), pages.end(), tab), pages.end()) << "a page named " << testing::PrintToString(tab);
    TreeView_SelectItem(plexa.Tree(), SingleRoot(ReadRemoteTree(plexa.Tree())).handle);
    std::vector<std::wstring> rowNames;
    for (const auto& row : ReadRemoteListRows(plexa.PropertyList(), 2))
        rowNames.push_back(row[0]);
    for (const UINT name : {IDS_ROW_SEQUENCE_NUMBER, IDS_ROW_TAKEN}) {
        EXPECT_NE(std::find(rowNames.begin(), rowNames.end(), LoadResStringIn(name, kEnglishUi)), rowNames.end())
            << "the root's row " << name;
    }

    // The settings dialog, and the message box of a size that is no number.
    std::wstring sizeLabel, message;
    EXPECT_TRUE(plexa.RunCommand(ID_SETTINGS, [&] {
        if (const HWND box = FindDialogOf(processId, L"Plexa")) {
            message = TextOf(box, 0xFFFF);
            Click(box, IDOK);
        } else if (const HWND settings = FindDialogOf(processId, DialogCaption(IDD_SETTINGS, kEnglishUi))) {
            if (message.empty()) {
                sizeLabel = TextOf(settings, IDC_SHELLIDLIST_AS_FOLDER);
                ::SetDlgItemTextW(settings, IDC_SIZE_LIMIT, L"many");
                Click(settings, IDOK);
            } else {
                Click(settings, IDCANCEL);
            }
        }
    }));
    EXPECT_EQ(sizeLabel, L"As IShellFolder");
    EXPECT_EQ(message, LoadResStringIn(IDS_INTEGER_REQUIRED, kEnglishUi));

    bool aboutShown = false;
    EXPECT_TRUE(plexa.RunCommand(ID_APP_ABOUT, [&] {
        if (const HWND about = FindDialogOf(processId, DialogCaption(IDD_ABOUTBOX, kEnglishUi))) {
            aboutShown = true;
            Click(about, IDOK);
        }
    }));
    EXPECT_TRUE(aboutShown);
}

TEST_F(English, LangOnTheCommandLineChoosesJapaneseForTheRun)
{
    const CPlexaWindow plexa = Start(L"/lang ja");
    EXPECT_EQ(plexa.Title(), LoadResStringIn(IDS_UNTITLED, kJapaneseUi) + L" - Plexa");
}

TEST_F(English, DumpReportsInEnglish)
{
    CClipboardSample sample;
    ASSERT_EQ(sample.clipboard.Result(), S_OK);
    const std::wstring folder = m_temp / L"dump";
    CPlexaCommand dump(m_temp.Path(), L"/dump \"" + folder + L"\"");
    ASSERT_EQ(dump.Wait(), 0) << dump.Err();

    // "DIR: N format(s), M error(s)" with the numbers this clipboard gives.
    const std::wstring summary = LoadResStringIn(IDS_SUMMARY, kEnglishUi);
    const std::string out = dump.Out();
    const std::wstring line = FromUtf8(out.substr(0, out.find('\r')));
    unsigned formats = 0, errors = 0;
    const std::wstring words = summary.substr(summary.find(L':'));
    ASSERT_EQ(std::swscanf(line.c_str() + folder.size(), words.c_str(), &formats, &errors), 2) << out;
    EXPECT_EQ(line, FormatString(summary.c_str(), folder.c_str(), formats, errors));
    EXPECT_GT(formats, 0u);
}
