// The window's side of a capture run: the dialog over its disabled owner,
// the throttled pump that hears "中止", and the message filter of the run.
#include "framework/ComPtr.h"
#include "framework/Resource.h"
#include "res/resource.h"
#include "res/strings/viewers.h"
#include "support/HostWindow.h"
#include "support/TestApp.h"
#include "viewers/DialogCaptureProgress.h"

#include <gtest/gtest.h>

namespace {

// The filter registered now, left registered.
CComPtr<IMessageFilter> CurrentFilter()
{
    CComPtr<IMessageFilter> current;
    ::CoRegisterMessageFilter(nullptr, &current);
    ::CoRegisterMessageFilter(current, nullptr);
    return current;
}

class DialogCaptureProgressTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CreateHostWindow(m_owner, RECT{0, 0, 300, 200})); }
    void TearDown() override { m_owner.DestroyWindow(); }

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
    EXPECT_EQ(ItemText(progress.GetDialogWindow(), IDC_COPYING_STATE), LoadResString(IDS_PROGRESS_STOPPING));
    EXPECT_EQ(filter->RetryRejectedCall(nullptr, 0, SERVERCALL_RETRYLATER), static_cast<DWORD>(-1));
    EXPECT_EQ(filter->MessagePending(nullptr, 0, PENDINGTYPE_TOPLEVEL), static_cast<DWORD>(PENDINGMSG_CANCELCALL));
    EXPECT_TRUE(progress.ShouldStop()) << "once stopped, always stopped";
}

TEST_F(DialogCaptureProgressTest, TheFilterThatWasThereBeforeComesBackAfterTheRun)
{
    CDialogCaptureProgress outer(m_owner);
    const CComPtr<IMessageFilter> before = CurrentFilter();
    {
        CDialogCaptureProgress inner(nullptr);
        EXPECT_NE(CurrentFilter().Get(), before.Get());
    }
    EXPECT_EQ(CurrentFilter().Get(), before.Get());
}
