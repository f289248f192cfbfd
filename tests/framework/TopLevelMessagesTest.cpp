// Messages Windows sends only to top-level windows, passed by the frame to
// every window inside it.
#include "FrameworkFixture.h"

#include <commctrl.h>

#include <algorithm>

namespace {

MSG g_expected;
std::vector<HWND> g_reached;  // by the expected message, as it was sent

LRESULT CALLBACK NoteExpected(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (msg == g_expected.message && wParam == g_expected.wParam && lParam == g_expected.lParam)
        g_reached.push_back(window);
    return ::DefSubclassProc(window, msg, wParam, lParam);
}

}

TEST_F(FrameworkTest, ColourAndSettingChangesReachEveryWindowInsideTheFrame)
{
    // The bar and the splitter are the frame's children; the views are the splitter's.
    std::vector<HWND> windows = {m_frame.m_wndToolBar, m_frame.m_wndSplitter, Tree(), Right()};
    std::sort(windows.begin(), windows.end());
    for (HWND window : windows)
        ::SetWindowSubclass(window, NoteExpected, 0, 0);
    static const wchar_t kArea[] = L"WindowMetrics";
    for (const MSG& message : {MSG{m_frame, WM_SYSCOLORCHANGE, 0, 0},
                               MSG{m_frame, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, reinterpret_cast<LPARAM>(kArea)}}) {
        SCOPED_TRACE(message.message);
        g_expected = message;
        g_reached.clear();
        ::SendMessageW(m_frame, message.message, message.wParam, message.lParam);
        std::sort(g_reached.begin(), g_reached.end());
        EXPECT_EQ(g_reached, windows) << "each once";
    }
    for (HWND window : windows)
        ::RemoveWindowSubclass(window, NoteExpected, 0);
}
