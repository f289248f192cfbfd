// A console's request to end `/load`, delivered as the platform delivers it:
// its control routine on a thread of its own, which must wait until the
// clipboard's thread has left the data there. Wine exports that routine;
// its GenerateConsoleCtrlEvent reaches no process (see the e2e journey).
#include "app/LoadEndRequests.h"
#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <optional>

TEST(LoadEndRequests, ACtrlBreakWakesTheServingThreadAndWaitsForTheDataToBeLeft)
{
    const auto routine = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernelbase.dll"), "CtrlRoutine")));
    if (!routine)
        GTEST_SKIP() << "the console's control routine is not exported here";
    std::optional<CLoadEndRequests> ends(std::in_place, [] {});
    EXPECT_FALSE(ends->IsAsked());
    const CHandle console(::CreateThread(nullptr, 0, routine, reinterpret_cast<void*>(CTRL_BREAK_EVENT), 0, nullptr));
    EXPECT_EQ(::WaitForSingleObject(ends->ConsoleEvent(), 5000), WAIT_OBJECT_0);
    EXPECT_TRUE(ends->IsAsked());
    EXPECT_EQ(::WaitForSingleObject(console, 300), static_cast<DWORD>(WAIT_TIMEOUT)) << "it waits for the flush";
    ends.reset();
    EXPECT_EQ(::WaitForSingleObject(console, 5000), WAIT_OBJECT_0);
}
