// The main window's placement and the tree's width, saved when Plexa.exe
// closes and applied when it starts again, read back from the registry and
// from the window itself.
#include "PlexaSession.h"
#include "UserInput.h"
#include "common/SettingsNames.h"

namespace {

WINDOWPLACEMENT PlacementOf(HWND window)
{
    WINDOWPLACEMENT placement{sizeof(placement)};
    ::GetWindowPlacement(window, &placement);
    return placement;
}

// Sends a system command as the caption buttons do and waits for its effect.
template <class Reached>
bool SystemCommand(HWND window, WPARAM command, Reached reached)
{
    ::PostMessageW(window, WM_SYSCOMMAND, command, 0);
    for (int i = 0; i < 100 && !reached(window); ++i)
        ::Sleep(20);
    return reached(window);
}

bool SameRect(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}

}  // namespace

TEST_F(PlexaSession, FirstStartOpensNormalWithA200PixelTreeAndSavesThatOnClose)
{
    CPlexaWindow plexa = Start();
    EXPECT_FALSE(::IsZoomed(plexa.Frame()));
    EXPECT_FALSE(::IsIconic(plexa.Frame()));
    EXPECT_EQ(plexa.TreeWidth(), 200);
    const RECT normal = PlacementOf(plexa.Frame()).rcNormalPosition;

    ASSERT_EQ(Close(), 0);
    EXPECT_EQ(FrameSetting(settings::kInitialized), 1);
    EXPECT_EQ(FrameSetting(settings::kLeftPaneWidth), 200);
    EXPECT_EQ(FrameSetting(settings::kMaximized), 0);
    EXPECT_EQ(FrameSetting(settings::kIconic), 0);
    EXPECT_TRUE(SameRect(RECT{FrameSetting(settings::kLeft), FrameSetting(settings::kTop),
                              FrameSetting(settings::kRight), FrameSetting(settings::kBottom)},
                         normal));
}

TEST_F(PlexaSession, ClosingMaximizedReopensMaximizedOverTheSavedNormalRectangle)
{
    CPlexaWindow first = Start();
    const RECT normal = PlacementOf(first.Frame()).rcNormalPosition;
    ASSERT_TRUE(SystemCommand(first.Frame(), SC_MAXIMIZE, ::IsZoomed));
    ASSERT_EQ(Close(), 0);
    EXPECT_EQ(FrameSetting(settings::kMaximized), 1);
    EXPECT_EQ(FrameSetting(settings::kIconic), 0);

    CPlexaWindow second = Start();
    EXPECT_TRUE(::IsZoomed(second.Frame()));
    // Wine reports another process's normal rectangle as the maximized one,
    // so the window is restored to show it. The style changes before the
    // window moves: the wait is for the rectangle too.
    RECT restored{};
    SystemCommand(second.Frame(), SC_RESTORE, [&](HWND w) {
        ::GetWindowRect(w, &restored);
        return !::IsZoomed(w) && SameRect(restored, normal);
    });
    EXPECT_FALSE(::IsZoomed(second.Frame()));
    EXPECT_TRUE(SameRect(restored, normal));
}

TEST_F(PlexaSession, ClosingMinimizedFromNormalReopensNormal)
{
    CPlexaWindow first = Start();
    ASSERT_TRUE(SystemCommand(first.Frame(), SC_MINIMIZE, ::IsIconic));
    ASSERT_EQ(Close(), 0);
    EXPECT_EQ(FrameSetting(settings::kIconic), 1);
    EXPECT_EQ(FrameSetting(settings::kMaximized), 0);

    CPlexaWindow second = Start();
    EXPECT_FALSE(::IsIconic(second.Frame()));
    EXPECT_FALSE(::IsZoomed(second.Frame()));
    EXPECT_TRUE(::IsWindowVisible(second.Frame()));
}

TEST_F(PlexaSession, ATreeDraggedTo350PixelsIs350PixelsAtTheNextStart)
{
    CPlexaWindow first = Start();
    RECT tree;
    ::GetWindowRect(first.Tree(), &tree);
    // Grab the bar just right of the tree and pull it 150 pixels further.
    const POINT grab{tree.right + 2, (tree.top + tree.bottom) / 2};
    MoveMouseTo(grab);
    ::Sleep(50);
    PressLeftButton();
    GlideMouseTo(grab, POINT{grab.x + 150, grab.y});
    ReleaseLeftButton();
    for (int i = 0; i < 50 && first.TreeWidth() != 350; ++i)
        ::Sleep(20);
    ASSERT_EQ(first.TreeWidth(), 350);
    ASSERT_EQ(Close(), 0);
    EXPECT_EQ(FrameSetting(settings::kLeftPaneWidth), 350);

    CPlexaWindow second = Start();
    EXPECT_EQ(second.TreeWidth(), 350);
}
