// The window base's own guarantees: which handles turn into objects, and
// that no exception leaves a window procedure.
#include "framework/FrameworkIds.h"
#include "framework/Resource.h"
#include "framework/Wnd.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace {

constexpr UINT kThrowLogicError = WM_APP;
constexpr UINT kThrowBadAlloc = WM_APP + 1;
constexpr UINT kAnswer = WM_APP + 2;

class CThrowingWnd : public CWnd {
protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case kThrowLogicError:
            throw std::logic_error("broken");
        case kThrowBadAlloc:
            throw std::bad_alloc();
        case kAnswer:
            return 42;
        }
        return WndProcDefault(msg, wParam, lParam);
    }
};

HWND PlainWindow()
{
    return ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

}

TEST(Wnd, OnlyWindowsOfTheFrameworkTurnIntoObjects)
{
    const HWND foreign = PlainWindow();
    ::SetWindowLongPtrW(foreign, GWLP_USERDATA, 0x12345678);
    EXPECT_EQ(CWnd::FromHandle(foreign), nullptr) << "another owner's user data is not ours";

    CWnd created;
    ASSERT_TRUE(created.CreateEx(0, L"STATIC", L"", WS_POPUP, RECT{}, nullptr, 0));
    EXPECT_EQ(CWnd::FromHandle(created), &created);
    CWnd subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(foreign));
    EXPECT_EQ(CWnd::FromHandle(foreign), &subclassed);

    const HWND gone = created;
    created.DestroyWindow();
    subclassed.DestroyWindow();
    EXPECT_EQ(CWnd::FromHandle(gone), nullptr);
    EXPECT_EQ(CWnd::FromHandle(foreign), nullptr);
}

TEST(Wnd, AnExceptionInAHandlerIsReportedAndTheWindowGoesOn)
{
    CTestApp app;
    CThrowingWnd window;
    ASSERT_TRUE(window.CreateEx(0, CWnd::RegisterWndClass(0, nullptr, nullptr, nullptr), L"", WS_POPUP, RECT{},
                                nullptr, 0));

    EXPECT_EQ(::SendMessageW(window, kThrowLogicError, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(window, kThrowBadAlloc, 0, 0), 0);
    EXPECT_EQ(app.m_messages,
              (std::vector<std::wstring>{LoadResString(IDS_UNEXPECTED_ERROR), LoadResString(IDS_OUT_OF_MEMORY)}));
    EXPECT_EQ(::SendMessageW(window, kAnswer, 0, 0), 42);
}
