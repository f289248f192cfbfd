// Plexa.exe as a new user tries it at 150 %: the bars scaled, and the tree
// pane it saves there read back at the same size to the eye at the prefix's
// own scale.
#include "PlexaSession.h"
#include "common/SettingsNames.h"
#include "framework/Dpi.h"
#include "res/resource.h"
#include "support/LogPixelsOverride.h"

#include <commctrl.h>

namespace {

int WidthOf(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect.right - rect.left;
}

}  // namespace

TEST_F(PlexaSession, At150PercentTheBarsAreScaledAndTheSavedPaneKeepsItsSize)
{
    {
        const CLogPixelsOverride logPixels(144);
        const CPlexaWindow plexa = Start();
        EXPECT_EQ(WidthOf(plexa.DropWindow(IDC_DROP_ALL)), 150);
        EXPECT_EQ(WidthOf(plexa.DropWindow(IDC_DROP_CHOOSE)), 150);
        const LRESULT button = ::SendMessageW(plexa.ToolBar(), TB_GETBUTTONSIZE, 0, 0);
        EXPECT_GE(LOWORD(button), 72);
        EXPECT_GE(HIWORD(button), 71);
        EXPECT_EQ(plexa.TreeWidth(), 300);
        EXPECT_EQ(Close(), 0);
    }
    EXPECT_EQ(FrameSetting(settings::kDpi), 144);
    EXPECT_EQ(FrameSetting(settings::kLeftPaneWidth), 300);

    // This test program started at the prefix's own DPI, as Plexa does now.
    const CPlexaWindow plexa = Start();
    EXPECT_EQ(plexa.TreeWidth(), RescaleLength(300, 144, GetSystemDpi()));
    EXPECT_EQ(Close(), 0);
}
