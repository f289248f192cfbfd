// Where a child sits in its parent, as the layouts of the pages read it.
#include "framework/WindowRect.h"

#include <gtest/gtest.h>

TEST(WindowRect, AChildIsPlacedInItsParentsClientCoordinates)
{
    // A framed parent away from the screen's corner: screen, window and
    // client coordinates all differ.
    const HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_CAPTION | WS_THICKFRAME, 70, 50, 300, 200,
                                          nullptr, nullptr, nullptr, nullptr);
    const HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_BORDER, 12, 34, 56, 78, parent, nullptr,
                                         nullptr, nullptr);
    ASSERT_TRUE(child);
    const RECT rect = GetChildRect(child);
    EXPECT_EQ(rect.left, 12);
    EXPECT_EQ(rect.top, 34);
    EXPECT_EQ(rect.right, 68);
    EXPECT_EQ(rect.bottom, 112);
    ::DestroyWindow(parent);
}
