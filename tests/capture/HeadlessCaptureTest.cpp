// The capture as a library: under the headless progress it makes no window,
// shows no message and handles no waiting message, and takes the same tree
// as under the window's progress dialog.
#include "support/EveryKindOfSource.h"
#include "support/TreeDescription.h"

#include "capture/CaptureDriver.h"
#include "framework/Format.h"
#include "framework/OleDataObject.h"
#include "support/NoLeakTest.h"
#include "support/TestApp.h"
#include "support/TestDataObject.h"
#include "viewers/DialogCaptureProgress.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// How many windows the thread creates while `run` runs.
int WindowsCreatedDuring(const std::function<void()>& run)
{
    static int created;
    created = 0;
    const HHOOK hook = ::SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (code == HCBT_CREATEWND)
                ++created;
            return ::CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, ::GetCurrentThreadId());
    run();
    ::UnhookWindowsHookEx(hook);
    return created;
}

class HeadlessCaptureTest : public CNoLeakTest {
protected:
    void SetUp() override
    {
        CNoLeakTest::SetUp();
        m_app.ClaimWorkFolder();
    }

    std::wstring CaptureAndDescribe(IDataObject* source, ICaptureProgress& progress)
    {
        COleDataObject dataObject(source);
        CFormatEtcArray formats;
        EnumFormats(&dataObject, formats);
        CCBDataArray nodes;
        EXPECT_EQ(CaptureAll(nodes, &dataObject, formats, m_app, progress), CaptureOutcome::Complete);
        return DescribeTree(nodes);
    }

    CTestApp m_app;
};

}

TEST_F(HeadlessCaptureTest, MakesNoWindowAndHandlesNoMessageYetTakesTheTreeTheDialogTakes)
{
    const CTempDir dropped;
    auto source = EveryKindOfSource(dropped.Path());
    // A pump would take it off the queue.
    ASSERT_TRUE(::PostThreadMessageW(::GetCurrentThreadId(), WM_APP, 0, 0));

    CHeadlessProgress headless;
    std::wstring tree;
    EXPECT_EQ(WindowsCreatedDuring([&] { tree = CaptureAndDescribe(source, headless); }), 0);
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_APP, WM_APP, PM_REMOVE)) << "nothing was pumped";
    EXPECT_TRUE(m_app.m_messages.empty());

    std::wstring underDialog;
    EXPECT_GT(WindowsCreatedDuring([&] {
                  CDialogCaptureProgress dialog(nullptr);
                  underDialog = CaptureAndDescribe(source, dialog);
              }),
              0);
    EXPECT_EQ(tree, underDialog);
    // The tree is a real one: containers, nested and virtual, with their failures.
    for (const wchar_t* part : {L"\n  Inner | IStorage", L"\n    Deep | IStream", L"\n  b.txt | IStream",
                                L"コードページ\t932", L"エラー\tストリームを一時ファイルにコピーできません。"})
        EXPECT_NE(tree.find(part), std::wstring::npos) << part;
}
