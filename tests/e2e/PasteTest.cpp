// Paste and paste with format in a running Plexa.exe, the clipboard filled by
// this process and Plexa's tree read back as a UI-automation tool reads it.
#include "PlexaSession.h"
#include "SampleSources.h"
#include "TreeExpectations.h"
#include "UserInput.h"
#include "capture/ClipboardPrivacy.h"
#include "support/HostWindow.h"
#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>

namespace {

using Texts = std::vector<std::wstring>;

// Offered in this order by the sample; Wine adds its own formats after them.
const Texts kSampleLabels{L"CF_TEXT",
                          L"CF_LOCALE",
                          L"CF_BITMAP",
                          L"\"Plexa&Sample\"",
                          L"CFSTR_FILEDESCRIPTORW",
                          L"CFSTR_FILECONTENTS"};

void ClearClipboard()
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
}

// Runs paste with format, choosing the menu item at `index` (or dismissing
// the menu when `index` is negative) once the menu shows.
bool PasteWithFormat(const CPlexaWindow& plexa, int index)
{
    bool chosen = false;
    return plexa.RunCommand(ID_EDIT_PASTE_WITH_FORMAT, [&] {
        if (chosen)
            return;
        if (HWND menu = FindPopupMenu(plexa.ProcessId())) {
            if (index >= 0)
                ChoosePopupMenuItem(menu, index);
            else
                DismissPopupMenu(menu);
            chosen = true;
        }
    }) && chosen;
}

HTREEITEM SelectedItem(const CPlexaWindow& plexa)
{
    return TreeView_GetSelection(plexa.Tree());
}

}  // namespace

TEST_F(PlexaSession, PasteShowsEveryFormatOfTheClipboardUnderTheSnapshotRoot)
{
    CPlexaWindow plexa = Start();
    CClipboardSample sample;
    ASSERT_EQ(sample.clipboard.Result(), S_OK);
    const std::wstring title = ClipboardTitle();

    ASSERT_TRUE(plexa.RunCommand(ID_EDIT_PASTE));

    EXPECT_EQ(plexa.Title(), title + L" - Plexa");
    const CRemoteTreeItem root = SingleRoot(ReadRemoteTree(plexa.Tree()));
    EXPECT_EQ(root.text, title);
    EXPECT_EQ(root.image, kImageFolder);
    EXPECT_TRUE(root.expanded);
    ASSERT_GT(root.children.size(), kSampleLabels.size()) << "Wine's own formats follow the offered ones";
    const Texts all = TextsOf(root.children);
    EXPECT_EQ(Texts(all.begin(), all.begin() + kSampleLabels.size()), kSampleLabels);
    EXPECT_NE(std::find(all.begin(), all.end(), L"CF_UNICODETEXT"), all.end()) << "synthesised from CF_TEXT";

    EXPECT_EQ(root.children[0].image, kImageData);
    EXPECT_EQ(root.children[2].image, kImagePicture);
    const CRemoteTreeItem& contents = root.children[5];
    EXPECT_EQ(contents.image, kImageFolder);
    EXPECT_FALSE(contents.expanded) << "nested items stay collapsed";
    EXPECT_EQ(TextsOf(contents.children), kSampleVirtualFiles);
    for (const auto& file : contents.children) {
        EXPECT_EQ(file.image, kImageData);
        EXPECT_TRUE(file.children.empty());
    }
    EXPECT_EQ(SelectedItem(plexa), nullptr) << "a plain paste selects nothing";
}

TEST_F(PlexaSession, PasteOfAnEmptyClipboardShowsTheRootAlone)
{
    CPlexaWindow plexa = Start();
    EXPECT_TRUE(ReadRemoteTree(plexa.Tree()).empty()) << "no root before the first capture";
    ClearClipboard();
    const std::wstring title = ClipboardTitle();

    ASSERT_TRUE(plexa.RunCommand(ID_EDIT_PASTE));

    const CRemoteTreeItem root = SingleRoot(ReadRemoteTree(plexa.Tree()));
    EXPECT_EQ(root.text, title);
    EXPECT_TRUE(root.children.empty());
}

TEST_F(PlexaSession, PastingTwiceWithoutAChangeGivesTheSameSequenceNumber)
{
    CPlexaWindow plexa = Start();
    CClipboardSample sample;
    ASSERT_EQ(sample.clipboard.Result(), S_OK);

    ASSERT_TRUE(plexa.RunCommand(ID_EDIT_PASTE));
    const std::wstring firstTitle = plexa.Title();
    const Texts firstLabels = TextsOf(SingleRoot(ReadRemoteTree(plexa.Tree())).children);
    ASSERT_TRUE(plexa.RunCommand(ID_EDIT_PASTE));

    EXPECT_EQ(plexa.Title(), firstTitle);
    const CRemoteTreeItem root = SingleRoot(ReadRemoteTree(plexa.Tree()));
    EXPECT_EQ(root.text + L" - Plexa", firstTitle);
    EXPECT_EQ(TextsOf(root.children), firstLabels);
}

TEST_F(PlexaSession, PasteWithFormatTakesTheChosenFormatAndSelectsIt)
{
    CPlexaWindow plexa = Start();
    CClipboardSample sample;
    ASSERT_EQ(sample.clipboard.Result(), S_OK);
    const std::wstring title = ClipboardTitle();

    // The menu lists the formats in the order a full paste shows them.
    ASSERT_TRUE(PasteWithFormat(plexa, 3));

    EXPECT_EQ(plexa.Title(), title + L" - Plexa");
    const CRemoteTreeItem root = SingleRoot(ReadRemoteTree(plexa.Tree()));
    EXPECT_EQ(root.text, title);
    ASSERT_EQ(TextsOf(root.children), Texts{L"\"Plexa&Sample\""});
    EXPECT_EQ(SelectedItem(plexa), root.children[0].handle) << "the captured format is selected at once";
}

TEST_F(PlexaSession, PasteWithFormatTakesFileContentsWithItsDescriptor)
{
    CPlexaWindow plexa = Start();
    CClipboardSample sample;
    ASSERT_EQ(sample.clipboard.Result(), S_OK);

    ASSERT_TRUE(PasteWithFormat(plexa, 5));

    const CRemoteTreeItem root = SingleRoot(ReadRemoteTree(plexa.Tree()));
    ASSERT_EQ(TextsOf(root.children), (Texts{L"CFSTR_FILEDESCRIPTORW", L"CFSTR_FILECONTENTS"}));
    EXPECT_EQ(TextsOf(root.children[1].children), kSampleVirtualFiles);
    EXPECT_EQ(SelectedItem(plexa), root.children[0].handle);
}

TEST_F(PlexaSession, DismissingTheFormatMenuKeepsTheSnapshot)
{
    CPlexaWindow plexa = Start();
    CClipboardSample sample;
    ASSERT_EQ(sample.clipboard.Result(), S_OK);
    ASSERT_TRUE(PasteWithFormat(plexa, 0));
    const std::wstring title = plexa.Title();
    const Texts labels = TextsOf(SingleRoot(ReadRemoteTree(plexa.Tree())).children);

    CClipboardSample newer;
    ASSERT_EQ(newer.clipboard.Result(), S_OK);
    ASSERT_TRUE(PasteWithFormat(plexa, -1));

    EXPECT_EQ(plexa.Title(), title);
    EXPECT_EQ(TextsOf(SingleRoot(ReadRemoteTree(plexa.Tree())).children), labels);
}

TEST_F(PlexaSession, APasteOfDataItsSourceAsksMonitorsToLeaveAloneAsksFirst)
{
    CPlexaWindow plexa = Start();
    const DWORD processId = plexa.ProcessId();
    for (const int answer : {IDNO, IDYES}) {
        PutMarkedText(L"secret", kExcludeFromMonitorsFormat, std::nullopt);
        bool asked = false;
        ASSERT_TRUE(plexa.RunCommand(ID_EDIT_PASTE, [&] {
            for (HWND box = nullptr; (box = ::FindWindowExW(nullptr, box, L"#32770", L"Plexa")) != nullptr;) {
                DWORD owner = 0;
                ::GetWindowThreadProcessId(box, &owner);
                if (owner == processId && !asked) {
                    asked = true;
                    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
                }
            }
        }));
        EXPECT_TRUE(asked);
        if (answer == IDNO) {
            EXPECT_TRUE(ReadRemoteTree(plexa.Tree()).empty()) << "nothing is taken on no";
        }
    }
    const CRemoteTreeItem root = SingleRoot(ReadRemoteTree(plexa.Tree()));
    TreeView_SelectItem(plexa.Tree(), root.handle);
    const auto rows = ReadRemoteListRows(plexa.ContentControl(IDC_PROPERTY_LIST), 2);
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [](const auto& row) { return row[0] == L"監視からの除外"; }))
        << "the root says it was taken anyway";
}

TEST_F(PlexaSession, APasteWhileAnotherWindowHoldsTheClipboardOpenNamesThatWindow)
{
    CPlexaWindow plexa = Start();
    CWnd holder;
    ASSERT_TRUE(CreateHostWindow(holder, {0, 0, 50, 50}));
    ASSERT_TRUE(::OpenClipboard(holder.GetSafeHwnd()));
    wchar_t holderClass[64]{};
    ::GetClassNameW(holder.GetSafeHwnd(), holderClass, 64);
    std::wstring message;
    const DWORD processId = plexa.ProcessId();
    EXPECT_TRUE(plexa.RunCommand(ID_EDIT_PASTE, [&] {
        for (HWND box = nullptr; (box = ::FindWindowExW(nullptr, box, L"#32770", L"Plexa")) != nullptr;) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(box, &owner);
            wchar_t text[512]{};
            if (owner != processId || !::GetDlgItemTextW(box, 0xFFFF, text, 512))
                continue;
            message = text;
            ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
    }));
    ::CloseClipboard();
    holder.DestroyWindow();
    EXPECT_NE(message.find(holderClass), std::wstring::npos) << message;
    EXPECT_NE(message.find(L"プロセス ID " + std::to_wstring(::GetCurrentProcessId())), std::wstring::npos) << message;
}
