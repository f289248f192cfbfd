// Real OLE drag and drop from this process onto the drop windows of a
// running Plexa.exe, with the mouse moved as a person moves it.
#include "MouseDrag.h"
#include "PlexaSession.h"
#include "SampleSources.h"
#include "TreeExpectations.h"
#include "UserInput.h"
#include "res/resource.h"

#include <commctrl.h>

namespace {

using Texts = std::vector<std::wstring>;

// Far from Plexa's window, where nothing takes drops.
constexpr POINT kDragStart{1200, 980};

class PlexaDrop : public PlexaSession {
protected:
    void SetUp() override
    {
        PlexaSession::SetUp();
        for (const wchar_t* name : {L"first.txt", L"second.txt"}) {
            m_files.push_back(m_dropped / name);
            WriteFileBytes(m_files.back(), "dropped file");
        }
    }

    // Drags the sample onto drop window `id`; `onMenu` handles the format menu
    // when that window asks for one.
    CDragResult DropSample(const CPlexaWindow& plexa, UINT id, DWORD allowedEffects,
                           const std::function<void(HWND menu)>& onMenu = {})
    {
        auto source = MakeDragSample(m_files);
        const DWORD processId = plexa.ProcessId();
        std::function<void()> afterRelease;
        if (onMenu)
            afterRelease = [processId, onMenu] {
                for (int i = 0; i < 250; ++i) {
                    if (HWND menu = FindPopupMenu(processId)) {
                        onMenu(menu);
                        return;
                    }
                    ::Sleep(20);
                }
            };
        return DragWithMouse(source, allowedEffects, kDragStart, CPlexaWindow::CentreOf(plexa.DropWindow(id)),
                             afterRelease);
    }

    CTempDir m_dropped;
    std::vector<std::wstring> m_files;
};

bool IsDropTitle(const std::wstring& title)
{
    // "ドロップデータ hh:mm:ss"
    return title.size() == 16 && title.rfind(L"ドロップデータ ", 0) == 0 && title[10] == L':' && title[13] == L':';
}

}  // namespace

TEST_F(PlexaDrop, DropOnTheAllFormatsWindowCapturesEveryOfferedDescriptionOnce)
{
    CPlexaWindow plexa = Start();
    const CDragResult drop = DropSample(plexa, IDC_DROP_ALL, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);

    EXPECT_EQ(drop.hr, DRAGDROP_S_DROP);
    EXPECT_EQ(drop.effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(::GetForegroundWindow(), plexa.Frame()) << "the drop brings Plexa to the front";
    const CRemoteTreeItem root = SingleRoot(ReadRemoteTree(plexa.Tree()));
    EXPECT_TRUE(IsDropTitle(root.text));
    EXPECT_EQ(plexa.Title(), root.text + L" - Plexa");
    ASSERT_EQ(TextsOf(root.children), (Texts{L"CF_UNICODETEXT", L"\"Plexa&Sample\"", L"CF_HDROP"}));
    EXPECT_EQ(TextsOf(root.children[2].children), m_files);
    EXPECT_EQ(TreeView_GetSelection(plexa.Tree()), nullptr);
}

TEST_F(PlexaDrop, ASourceThatOnlyMovesIsToldItWasMoved)
{
    CPlexaWindow plexa = Start();
    const CDragResult drop = DropSample(plexa, IDC_DROP_ALL, DROPEFFECT_MOVE);

    EXPECT_EQ(drop.hr, DRAGDROP_S_DROP);
    EXPECT_EQ(drop.effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    const CRemoteTreeItem root = SingleRoot(ReadRemoteTree(plexa.Tree()));
    EXPECT_EQ(root.children.size(), 3u);
    TreeView_SelectItem(plexa.Tree(), root.handle);
    const auto rows = ReadRemoteListRows(plexa.PropertyList(), 2);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], (std::vector<std::wstring>{L"ソースのドロップ効果", L"MOVE"})) << "the root tells what the source offered";
}

TEST_F(PlexaDrop, DropOnTheChooseWindowTakesTheFormatChosenFromItsMenu)
{
    CPlexaWindow plexa = Start();
    const CDragResult drop = DropSample(plexa, IDC_DROP_CHOOSE, DROPEFFECT_COPY,
                                        [](HWND menu) { ChoosePopupMenuItem(menu, 1); });

    EXPECT_EQ(drop.hr, DRAGDROP_S_DROP);
    EXPECT_EQ(drop.effect, static_cast<DWORD>(DROPEFFECT_COPY));
    const CRemoteTreeItem root = SingleRoot(ReadRemoteTree(plexa.Tree()));
    EXPECT_TRUE(IsDropTitle(root.text));
    ASSERT_EQ(TextsOf(root.children), Texts{L"\"Plexa&Sample\""});
    EXPECT_EQ(TreeView_GetSelection(plexa.Tree()), root.children[0].handle);
}

TEST_F(PlexaDrop, ADismissedFormatMenuReportsNoDropAndKeepsTheSnapshot)
{
    CPlexaWindow plexa = Start();
    const CDragResult drop =
        DropSample(plexa, IDC_DROP_CHOOSE, DROPEFFECT_COPY, [](HWND menu) { DismissPopupMenu(menu); });

    EXPECT_EQ(drop.effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(plexa.Title(), L"無題 - Plexa");
    EXPECT_TRUE(ReadRemoteTree(plexa.Tree()).empty());
}
