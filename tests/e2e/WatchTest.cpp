// Watching the clipboard in a running Plexa.exe: changes made by this test
// process become snapshots, a burst of writes one, Plexa's own copy or replay
// none; the shown format and page stay in front, and the setting lasts to the
// next start.
#include "PlexaSession.h"
#include "SampleSources.h"
#include "TreeExpectations.h"
#include "UserInput.h"
#include "app/WorkFolder.h"
#include "capture/ClipboardPrivacy.h"
#include "common/SettingsNames.h"
#include "framework/Clipboard.h"
#include "framework/Handles.h"
#include "framework/Registry.h"
#include "res/resource.h"

#include <commctrl.h>

#include <cstring>

namespace {

constexpr int kDumpId = 100;
constexpr int kTextPageTab = 2;  // property, HEX, text, image

// Puts `text` on the clipboard; the title the snapshot of it gets (the tree's root).
std::wstring PutText(const std::wstring& text)
{
    {
        const CClipboard clipboard(nullptr);
        EXPECT_TRUE(clipboard);
        ::EmptyClipboard();
        const size_t size = (text.size() + 1) * sizeof(wchar_t);
        CGlobalHandle block(::GlobalAlloc(GMEM_MOVEABLE, size));
        std::memcpy(CGlobalLock(block).Get(), text.c_str(), size);
        if (::SetClipboardData(CF_UNICODETEXT, block))
            block.Detach();
    }
    return ClipboardTitle();
}

// The frame's titles while this thread handles its messages for `ms`, each
// change once; sources on the clipboard live on this thread.
std::vector<std::wstring> TitlesDuring(const CPlexaWindow& plexa, DWORD ms)
{
    std::vector<std::wstring> titles{plexa.Title()};
    PumpUntilSignaled(::GetCurrentProcess(), ms, [&] {
        if (std::wstring title = plexa.Title(); title != titles.back())
            titles.push_back(std::move(title));
    });
    return titles;
}

// Waits until the snapshot titled `title` is complete: the title changes
// before the capture, the tree's root after it.
bool WaitForSnapshot(const CPlexaWindow& plexa, const std::wstring& title)
{
    const auto done = [&] {
        const std::vector<CRemoteTreeItem> tree = ReadRemoteTree(plexa.Tree());
        return tree.size() == 1 && tree[0].text == title;
    };
    for (int round = 0; round < 100 && !done(); ++round)
        PumpMessagesFor(100);
    return done();
}

}  // namespace

TEST_F(PlexaSession, AWatchedClipboardGivesASnapshotPerChangeButNoneForABurstsMiddleOrPlexasOwnCopy)
{
    CPlexaWindow plexa = Start();
    ASSERT_TRUE(plexa.RunCommand(ID_EDIT_WATCH_CLIPBOARD));
    const std::wstring settingsKey = std::wstring(L"Software\\Plexa\\Plexa\\") + settings::kSettingsSection;
    EXPECT_EQ(registry::ReadInt(settingsKey, settings::kWatchClipboard, -1), 1);

    EXPECT_TRUE(WaitForSnapshot(plexa, PutText(L"one")));
    const std::wstring second = PutText(L"two");
    EXPECT_TRUE(WaitForSnapshot(plexa, second));

    // Writes closer together than the quiet time.
    std::wstring last;
    for (int i = 0; i < 5; ++i) {
        last = PutText(L"burst " + std::to_wstring(i)) + L" - Plexa";
        PumpMessagesFor(40);
    }
    EXPECT_EQ(TitlesDuring(plexa, 1500), (std::vector<std::wstring>{second + L" - Plexa", last}));

    // The sample's registered format opens on the HEX page; the text page is
    // brought to the front, and a new copy of the same formats keeps both.
    CClipboardSample sample;
    ASSERT_EQ(sample.clipboard.Result(), S_OK);
    const std::wstring sampled = ClipboardTitle();
    ASSERT_TRUE(WaitForSnapshot(plexa, sampled));
    CRemoteTreeItem root = SingleRoot(ReadRemoteTree(plexa.Tree()));
    ASSERT_GE(root.children.size(), 4u);
    TreeView_SelectItem(plexa.Tree(), root.children[3].handle);
    const HWND dump = plexa.ContentControl(kDumpId);
    ASSERT_NE(dump, nullptr);
    ::SendMessageW(dump, WM_COMMAND, ID_EDIT_SELECT_ALL, 0);
    ::SendMessageW(dump, WM_COMMAND, ID_EDIT_COPY, 0);
    EXPECT_EQ(TitlesDuring(plexa, 1000), std::vector<std::wstring>{sampled + L" - Plexa"})
        << "Plexa's own copy is no change";
    ASSERT_TRUE(plexa.RunCommand(ID_REPLAY_TO_CLIPBOARD));
    EXPECT_EQ(TitlesDuring(plexa, 1000), std::vector<std::wstring>{sampled + L" - Plexa"})
        << "nor is the snapshot Plexa puts back";
    // Reading delayed formats from the source is no change either: the tree
    // was not made again.
    EXPECT_EQ(TreeView_GetRoot(plexa.Tree()), root.handle);

    TabCtrl_SetCurFocus(plexa.PageTabs(), kTextPageTab);
    ASSERT_NE(plexa.ContentControl(IDC_TEXT), nullptr);
    CClipboardSample again;
    ASSERT_TRUE(WaitForSnapshot(plexa, ClipboardTitle()));
    root = SingleRoot(ReadRemoteTree(plexa.Tree()));
    EXPECT_EQ(TreeView_GetSelection(plexa.Tree()), root.children[3].handle);
    EXPECT_NE(plexa.ContentControl(IDC_TEXT), nullptr) << "the text page stays in front";

    ASSERT_EQ(Close(), 0);
    plexa = Start();
    EXPECT_TRUE(WaitForSnapshot(plexa, PutText(L"after a restart")));
}

TEST_F(PlexaSession, AWatchedChangeWhoseSourceAsksMonitorsToLeaveItAloneIsNotTaken)
{
    CPlexaWindow plexa = Start();
    ASSERT_TRUE(plexa.RunCommand(ID_EDIT_WATCH_CLIPBOARD));
    const std::wstring taken = PutText(L"plain");
    ASSERT_TRUE(WaitForSnapshot(plexa, taken));
    const std::wstring workFolder = m_temp / kWorkFolderName;
    const std::vector<std::wstring> files = ListFolder(workFolder, L"*.cvtmp");
    const struct {
        const wchar_t* format;
        std::optional<DWORD> value;
    } requests[] = {{kExcludeFromMonitorsFormat, std::nullopt}, {kClipboardHistoryFormat, 0}};
    for (const auto& request : requests) {
        PutMarkedText(L"secret", request.format, request.value);
        PumpMessagesFor(1000);
        EXPECT_EQ(SingleRoot(ReadRemoteTree(plexa.Tree())).text, taken) << request.format;
        EXPECT_EQ(ListFolder(workFolder, L"*.cvtmp"), files) << request.format;
        EXPECT_NE(plexa.Title().find(L"の変更はソースの指定により取得していません"), std::wstring::npos)
            << plexa.Title();
    }
    PutMarkedText(L"history allowed", kClipboardHistoryFormat, 1);
    EXPECT_TRUE(WaitForSnapshot(plexa, ClipboardTitle())) << "a source that allows history is taken";
    EXPECT_TRUE(WaitForSnapshot(plexa, PutText(L"plain again")));
}
