// The window's side of a capture run: the dialog over its disabled owner,
// the throttled pump that hears "中止", and the message filter of the run.
#include "framework/ComPtr.h"
#include "res/resource.h"
#include "support/HostWindow.h"
#include "support/NoLeakTest.h"
#include "support/TestApp.h"
#include "support/TestComObject.h"
#include "viewers/DialogCaptureProgress.h"

#include <gtest/gtest.h>

namespace {

// A filter that was there before the run.
class CEarlierFilter final : public CTestComObject<IMessageFilter> {
public:
    IFACEMETHODIMP_(DWORD) HandleInComingCall(DWORD, HTASK, DWORD, INTERFACEINFO*) override
    {
        return SERVERCALL_ISHANDLED;
    }
    IFACEMETHODIMP_(DWORD) RetryRejectedCall(HTASK, DWORD, DWORD) override { return static_cast<DWORD>(-1); }
    IFACEMETHODIMP_(DWORD) MessagePending(HTASK, DWORD, DWORD) override { return PENDINGMSG_WAITDEFPROCESS; }
};

// The filter registered now, left registered.
CComPtr<IMessageFilter> CurrentFilter()
{
    CComPtr<IMessageFilter> current;
    ::CoRegisterMessageFilter(nullptr, &current);
    ::CoRegisterMessageFilter(current, nullptr);
    return current;
}

class DialogCaptureProgressTest : public CNoLeakTest {
protected:
    void SetUp() override
    {
        CNoLeakTest::SetUp();
        ASSERT_TRUE(CreateHostWindow(m_owner, RECT{0, 0, 300, 200}));
    }
    void TearDown() override
    {
        m_owner.DestroyWindow();
        CNoLeakTest::TearDown();
    }

    // A message for no window, which only a pump takes off the queue.
    static void PostToThread() { ::PostThreadMessageW(::GetCurrentThreadId(), WM_APP, 0, 0); }
    static bool StillQueued()
    {
        MSG msg;
        return ::PeekMessageW(&msg, nullptr, WM_APP, WM_APP, PM_REMOVE) != FALSE;
    }

    static std::wstring ItemText(HWND dialog, UINT id)
    {
        wchar_t text[64] = {};
        ::GetDlgItemTextW(dialog, id, text, 64);
        return text;
    }

    CTestApp m_app;
    CWnd m_owner;
};

}

TEST_F(DialogCaptureProgressTest, TheDialogStandsOverItsDisabledOwnerUntilTheRunEndsThenWhatWaitedIsHandled)
{
    HWND dialog = nullptr;
    {
        CDialogCaptureProgress progress(m_owner);
        dialog = progress.GetDialogWindow();
        ASSERT_TRUE(::IsWindowVisible(dialog));
        EXPECT_EQ(::GetWindow(dialog, GW_OWNER), m_owner.GetSafeHwnd());
        EXPECT_FALSE(::IsWindowEnabled(m_owner));
        EXPECT_EQ(ItemText(dialog, IDC_COPYING_STATE), L"取り込み中...");
        PostToThread();
    }
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_TRUE(::IsWindowEnabled(m_owner));
    EXPECT_EQ(::GetFocus(), m_owner.GetSafeHwnd());
    EXPECT_FALSE(StillQueued()) << "the last pump comes after the run";
}

TEST_F(DialogCaptureProgressTest, ItPumpsAtMostEveryTwentiethOfASecondAndThenShowsTheLatestItem)
{
    CDialogCaptureProgress progress(m_owner);
    for (int i = 0; i <= 500; ++i)
        progress.ShowItem(L"item " + std::to_wstring(i));
    PostToThread();
    EXPECT_FALSE(progress.ShouldStop());
    EXPECT_FALSE(StillQueued());
    EXPECT_EQ(ItemText(progress.GetDialogWindow(), IDC_COPYING_ITEM), L"item 500");
    // Once more after a while, so that the first paint is over and the next asking follows at once.
    ::Sleep(60);
    progress.ShouldStop();

    PostToThread();
    EXPECT_FALSE(progress.ShouldStop());
    EXPECT_TRUE(StillQueued()) << "asked again at once, it only answers";

    PostToThread();
    ::Sleep(60);
    EXPECT_FALSE(progress.ShouldStop());
    EXPECT_FALSE(StillQueued());
}

TEST_F(DialogCaptureProgressTest, EscStopsTheRunAndTheFilterThenCancelsAWaitingCall)
{
    CDialogCaptureProgress progress(m_owner);
    const CComPtr<IMessageFilter> filter = CurrentFilter();
    ASSERT_TRUE(filter);
    EXPECT_EQ(filter->RetryRejectedCall(nullptr, 0, SERVERCALL_RETRYLATER), 100u) << "a busy source is asked again";
    EXPECT_EQ(filter->MessagePending(nullptr, 0, PENDINGTYPE_TOPLEVEL), static_cast<DWORD>(PENDINGMSG_WAITDEFPROCESS));

    ::PostMessageW(::GetDlgItem(progress.GetDialogWindow(), IDC_COPYING_ITEM), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(progress.ShouldStop());
    EXPECT_TRUE(progress.IsAborted());
    EXPECT_EQ(ItemText(progress.GetDialogWindow(), IDC_COPYING_STATE), L"中止しています...");
    EXPECT_EQ(filter->RetryRejectedCall(nullptr, 0, SERVERCALL_RETRYLATER), static_cast<DWORD>(-1));
    EXPECT_EQ(filter->MessagePending(nullptr, 0, PENDINGTYPE_TOPLEVEL), static_cast<DWORD>(PENDINGMSG_CANCELCALL));
    EXPECT_TRUE(progress.ShouldStop()) << "once stopped, always stopped";
}

TEST_F(DialogCaptureProgressTest, TheFilterThatWasThereBeforeComesBackAfterTheRun)
{
    auto earlier = CComPtr<IMessageFilter>::Adopt(new CEarlierFilter);
    ASSERT_EQ(::CoRegisterMessageFilter(earlier, nullptr), S_OK);
    {
        CDialogCaptureProgress progress(m_owner);
        EXPECT_NE(CurrentFilter().Get(), earlier.Get());
    }
    CComPtr<IMessageFilter> restored;
    ASSERT_EQ(::CoRegisterMessageFilter(nullptr, &restored), S_OK);
    EXPECT_EQ(restored.Get(), earlier.Get());
}
