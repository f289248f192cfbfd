#include "framework/FrameWnd.h"
#include "framework/Resource.h"
#include "framework/View.h"
#include "res/resource.h"
#include "res/strings/viewers.h"
#include "support/AsyncDataObject.h"
#include "support/TestApp.h"
#include "support/TestDataObject.h"
#include "ui/DropEntranceWnd.h"
#include "ui/PlexaDoc.h"
#include "viewers/DelayedProgress.h"
#include "viewers/PropertyRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

class DropEntranceWndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_app.ClaimWorkFolder();
        ASSERT_TRUE(m_frame.LoadFrame(IDR_MAINFRAME));
        ASSERT_TRUE(m_view.Create(m_frame, 0xE900, &m_doc, RECT{0, 0, 100, 100}));
        ASSERT_TRUE(m_drop.Create(m_frame, 10000, RGB(255, 252, 244), L"ここにドロップ\r\n(全形式)\r\n▼", false));
        m_source->Offer({.cf = CF_UNICODETEXT}, CTestMedium::Global(BytesOf(L"x")));
    }
    void TearDown() override { m_frame.DestroyWindow(); }

    CTestApp m_app;
    CPlexaDoc m_doc{m_app};
    CFrameWnd m_frame;
    CView m_view;
    CDropEntranceWnd m_drop;
    CComPtr<CTestDataObject> m_source = CTestDataObject::Create();
};

// Handles this thread's messages until `done` or two seconds have passed.
void PumpUntil(const std::function<bool()>& done)
{
    for (const ULONGLONG end = ::GetTickCount64() + 2000; !done() && ::GetTickCount64() < end; ::Sleep(5)) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }
}

// What a source hears; a capture asks for the palette (9) first, for bitmaps.
using Names = std::vector<std::string>;

}

TEST_F(DropEntranceWndTest, OffersCopyWhateverIsDraggedAndRegistersItsTarget)
{
    EXPECT_EQ(::RegisterDragDrop(m_drop, &m_drop.DropTarget()), DRAGDROP_E_ALREADYREGISTERED);
    EXPECT_FALSE(::IsWindowVisible(m_drop)) << "the frame shows it once it is placed";
    EXPECT_EQ(::GetWindowLongW(m_drop, GWL_STYLE) & WS_BORDER, static_cast<LONG>(WS_BORDER));
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    m_drop.DropTarget().DragEnter(m_source, MK_SHIFT | MK_CONTROL, {1, 1}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    effect = DROPEFFECT_COPY;
    m_drop.DropTarget().DragOver(0, {2, 2}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    m_drop.DropTarget().DragLeave();
}

TEST_F(DropEntranceWndTest, ADropGoesToTheActiveViewsDocument)
{
    DWORD effect = DROPEFFECT_COPY;
    m_drop.DropTarget().Drop(m_source, 0, {1, 1}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "no active view, no document";
    EXPECT_FALSE(m_doc.Snapshot());

    m_frame.SetActiveView(&m_view);
    effect = DROPEFFECT_MOVE;
    m_drop.DropTarget().Drop(m_source, 0, {1, 1}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "a move-only source keeps its data";
    ASSERT_TRUE(m_doc.Snapshot());
    EXPECT_EQ(m_doc.Snapshot()->size(), 1u);
    CStringArray rows;
    GetSnapshotRows(m_doc.Info(), rows);
    EXPECT_NE(std::find(rows.begin(), rows.end(), MakeRow(IDS_ROW_TOLD_SOURCE, LoadResString(IDS_MOVE_ONLY_TOLD_NONE))),
              rows.end());
}

TEST_F(DropEntranceWndTest, DestroyingTheWindowRevokesTheTarget)
{
    const HWND window = m_drop;
    m_drop.DestroyWindow();
    EXPECT_FALSE(::IsWindow(window));
    const HWND fresh = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(m_drop.DropTarget().Register(fresh), true) << "the target is free for another window";
    m_drop.DropTarget().Revoke();
    ::DestroyWindow(fresh);
}

TEST_F(DropEntranceWndTest, AnAsynchronousSourceGetsItsDropCallBackAtOnceAndTheOutcomeAfterTheCapture)
{
    m_frame.SetActiveView(&m_view);
    const auto source = CComPtr<CAsyncDataObject>::Adopt(new CAsyncDataObject(m_source, true));
    DWORD effect = DROPEFFECT_MOVE;
    ASSERT_EQ(m_drop.DropTarget().Drop(source, 0, {1, 1}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "a move-only source keeps its data";
    EXPECT_EQ(source->CallNames(), (Names{"GetAsyncMode", "StartOperation"})) << "nothing is read inside the drop";

    PumpUntil([&] { return source->HasEnded(); });
    EXPECT_EQ(source->CallNames(), (Names{"GetAsyncMode", "StartOperation", "GetData 9", "GetData 13", "EndOperation"}));
    EXPECT_EQ(source->Calls().back().hr, S_OK);
    EXPECT_EQ(source->Calls().back().effect, static_cast<DWORD>(DROPEFFECT_NONE));
    ASSERT_TRUE(m_doc.Snapshot());
    EXPECT_EQ(m_doc.Snapshot()->size(), 1u);
    EXPECT_EQ(m_doc.Info().asyncTransfer, AsyncTransfer::Used);
}

TEST_F(DropEntranceWndTest, ASourceWithoutAsynchronousTransferUnderWayIsTakenInsideTheDrop)
{
    struct Case {
        bool asyncMode;
        HRESULT startResult;
        AsyncTransfer expected;
        Names calls;
    };
    for (const Case& c : {Case{false, S_OK, AsyncTransfer::Off, {"GetAsyncMode", "GetData 9", "GetData 13"}},
                          Case{true, E_FAIL, AsyncTransfer::StartFailed,
                               {"GetAsyncMode", "StartOperation", "GetData 9", "GetData 13"}}}) {
        SCOPED_TRACE(static_cast<int>(c.expected));
        m_frame.SetActiveView(&m_view);
        const auto source = CComPtr<CAsyncDataObject>::Adopt(new CAsyncDataObject(m_source, c.asyncMode, c.startResult));
        DWORD effect = DROPEFFECT_COPY;
        m_drop.DropTarget().Drop(source, 0, {1, 1}, &effect);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
        EXPECT_EQ(source->CallNames(), c.calls);
        EXPECT_EQ(m_doc.Info().asyncTransfer, c.expected);
    }
    DWORD effect = DROPEFFECT_COPY;
    m_drop.DropTarget().Drop(m_source, 0, {1, 1}, &effect);
    EXPECT_EQ(m_doc.Info().asyncTransfer, AsyncTransfer::NotOffered);
}

TEST_F(DropEntranceWndTest, AnAsynchronousDropNotYetTakenWhenTheWindowGoesIsReportedAborted)
{
    m_frame.SetActiveView(&m_view);
    const auto source = CComPtr<CAsyncDataObject>::Adopt(new CAsyncDataObject(m_source, true));
    DWORD effect = DROPEFFECT_COPY;
    m_drop.DropTarget().Drop(source, 0, {1, 1}, &effect);
    m_drop.DestroyWindow();

    EXPECT_EQ(source->CallNames(), (Names{"GetAsyncMode", "StartOperation", "EndOperation"}));
    EXPECT_EQ(source->Calls().back().hr, E_ABORT);
    EXPECT_EQ(source->Calls().back().effect, static_cast<DWORD>(DROPEFFECT_NONE));
}

TEST_F(DropEntranceWndTest, NothingIsTakenWhileOtherWorkHandlesMessagesAndPlexasOwnDragIsRefused)
{
    m_frame.SetActiveView(&m_view);
    const auto source = CComPtr<CAsyncDataObject>::Adopt(new CAsyncDataObject(m_source, true));
    DWORD effect = DROPEFFECT_COPY;
    ASSERT_EQ(m_drop.DropTarget().Drop(source, 0, {1, 1}, &effect), S_OK);
    {
        // A save's progress dialog, which handles messages, the drop window's timer too.
        CDelayedProgress saving(m_frame, L"");
        for (const ULONGLONG end = ::GetTickCount64() + 600; ::GetTickCount64() < end; ::Sleep(10))
            saving.Report(1, 2);
        EXPECT_FALSE(source->HasEnded()) << "the queued drop waits for the save";
        DWORD over = DROPEFFECT_COPY;
        m_drop.DropTarget().DragEnter(m_source, 0, {1, 1}, &over);
        EXPECT_EQ(over, static_cast<DWORD>(DROPEFFECT_NONE)) << "as Plexa's own drag is, which handles messages too";
        m_drop.DropTarget().DragLeave();
    }
    PumpUntil([&] { return source->HasEnded(); });
    EXPECT_EQ(source->Calls().back().hr, S_OK);
    ASSERT_TRUE(m_doc.Snapshot());
    EXPECT_EQ(m_doc.Snapshot()->size(), 1u);
}
