#include "framework/OleDropTarget.h"
#include "support/TestDataObject.h"

#include <gtest/gtest.h>
#include <ole2.h>

namespace {

// Proposes copy everywhere and records what reaches it.
class CRecordingTarget : public COleDropTarget {
public:
    DWORD OnDragEnter(COleDataObject* dataObject, DWORD, POINT) override
    {
        m_formatsSeen = dataObject->EnumFormats().size();
        return DROPEFFECT_COPY;
    }
    DWORD OnDragOver(COleDataObject*, DWORD, POINT point) override
    {
        m_lastPoint = point;
        return m_proposal;
    }
    bool OnDrop(COleDataObject* dataObject, DWORD effect, POINT) override
    {
        m_dropEffect = effect;
        m_formatsSeen = dataObject->EnumFormats().size();
        return m_accept;
    }

    DWORD m_proposal = DROPEFFECT_COPY;
    bool m_accept = true;
    size_t m_formatsSeen = 0;
    DWORD m_dropEffect = 0;
    POINT m_lastPoint{};
};

class OleDropTargetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        m_source->Offer({.cf = CF_UNICODETEXT}, CTestMedium::Global(BytesOf(L"x")));
        m_source->Offer({.cf = CF_TEXT}, CTestMedium::Global(BytesOf("x")));
    }
    void TearDown() override
    {
        m_target.Revoke();
        ::DestroyWindow(m_window);
    }

    HWND m_window = nullptr;
    CRecordingTarget m_target;
    CComPtr<CTestDataObject> m_source = CTestDataObject::Create();
};

}

TEST(DropEffect, CopyIsTurnedIntoWhatTheSourceAllowsAndAMoveIsNeverReported)
{
    const DWORD copy = DROPEFFECT_COPY, move = DROPEFFECT_MOVE, link = DROPEFFECT_LINK, none = DROPEFFECT_NONE;
    struct Case {
        DWORD proposed, allowed, shown, reported;
    };
    for (const Case& c : {Case{copy, copy | move | link, copy, copy}, Case{copy, move | link, link, link},
                          Case{copy, link, link, link}, Case{copy, move, move, none}, Case{copy, none, none, none},
                          Case{none, copy, none, none}}) {
        SCOPED_TRACE(testing::Message() << "allowed " << c.allowed);
        EXPECT_EQ(COleDropTarget::FilterEffect(c.proposed, c.allowed), c.shown);
        EXPECT_EQ(COleDropTarget::ReportedEffect(c.shown), c.reported);
    }
}

TEST_F(OleDropTargetTest, RegistersOnceAndRevokes)
{
    ASSERT_TRUE(m_target.Register(m_window));
    CRecordingTarget other;
    EXPECT_EQ(::RegisterDragDrop(m_window, &other), DRAGDROP_E_ALREADYREGISTERED);
    m_target.Revoke();
    EXPECT_EQ(::RegisterDragDrop(m_window, &other), S_OK);
    ::RevokeDragDrop(m_window);
}

TEST_F(OleDropTargetTest, AMoveOnlySourceDropsButIsToldNothingWasTaken)
{
    DWORD effect = DROPEFFECT_MOVE;
    ASSERT_EQ(m_target.DragEnter(m_source, 0, {5, 6}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE)) << "so that the drop happens at all";
    EXPECT_EQ(m_target.m_formatsSeen, 2u);

    effect = DROPEFFECT_MOVE;
    m_target.m_dropEffect = DROPEFFECT_MOVE;
    m_target.m_formatsSeen = 0;
    ASSERT_EQ(m_target.Drop(m_source, MK_LBUTTON, {7, 8}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(m_target.m_formatsSeen, 2u) << "the drop is taken";
    EXPECT_EQ(m_target.m_dropEffect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(m_target.m_lastPoint.x, 7) << "the drop asks the drag-over answer once more";
}

TEST_F(OleDropTargetTest, AFailedOrRefusedDropReportsNoEffect)
{
    m_target.m_accept = false;
    DWORD effect = DROPEFFECT_COPY;
    ASSERT_EQ(m_target.Drop(m_source, 0, {0, 0}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));

    m_target.m_accept = true;
    m_target.m_proposal = DROPEFFECT_NONE;
    m_target.m_dropEffect = 0;
    effect = DROPEFFECT_COPY;
    ASSERT_EQ(m_target.Drop(m_source, 0, {0, 0}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(m_target.m_dropEffect, 0u) << "OnDrop is not called for a refused drop";
}

TEST_F(OleDropTargetTest, TheDraggedObjectIsReleasedAfterLeaveAndDrop)
{
    DWORD effect = DROPEFFECT_COPY;
    const ULONG before = m_source->AddRef();
    m_source->Release();
    m_target.DragEnter(m_source, 0, {0, 0}, &effect);
    m_target.DragLeave();
    EXPECT_EQ(m_source->AddRef(), before);
    m_source->Release();
    m_target.Drop(m_source, 0, {0, 0}, &effect);
    EXPECT_EQ(m_source->AddRef(), before);
    m_source->Release();
}
