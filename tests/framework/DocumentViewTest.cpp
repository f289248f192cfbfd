#include "FrameworkFixture.h"

TEST_F(FrameworkTest, UpdatesReachEveryViewInTheOrderTheyWereAdded)
{
    int object = 0;
    m_doc.UpdateAllViews(nullptr, 1, &object);
    ASSERT_EQ(m_doc.m_updates.size(), 2u);
    EXPECT_EQ(m_doc.m_updates[0].view, L"tree");
    EXPECT_EQ(m_doc.m_updates[1].view, L"right");
    for (const CUpdate& update : m_doc.m_updates) {
        EXPECT_EQ(update.sender, nullptr);
        EXPECT_EQ(update.hint, 1);
        EXPECT_EQ(update.hintObject, &object);
    }
}

TEST_F(FrameworkTest, TheSenderOfAnUpdateDoesNotReceiveIt)
{
    int node = 0;
    m_doc.UpdateAllViews(&Tree(), 2, &node);
    ASSERT_EQ(m_doc.m_updates.size(), 1u);
    EXPECT_EQ(m_doc.m_updates[0].view, L"right");
    EXPECT_EQ(m_doc.m_updates[0].sender, &Tree());
    EXPECT_EQ(m_doc.m_updates[0].hint, 2);
    EXPECT_EQ(m_doc.m_updates[0].hintObject, &node);
}

TEST_F(FrameworkTest, InitialUpdateReachesEveryViewAndActivatesTheFirst)
{
    m_frame.InitialUpdateFrame(&m_doc);
    ASSERT_EQ(m_doc.m_updates.size(), 2u);
    EXPECT_EQ(m_doc.m_updates[0].view, L"tree");
    EXPECT_EQ(m_doc.m_updates[0].hint, 0);
    EXPECT_EQ(m_frame.GetActiveView(), &Tree());
}

TEST_F(FrameworkTest, ViewsKnowTheirDocumentAndFrame)
{
    EXPECT_EQ(Tree().GetDocument(), &m_doc);
    EXPECT_EQ(Right().GetDocument(), &m_doc);
    EXPECT_EQ(Tree().GetParentFrame(), &m_frame);
    ASSERT_EQ(m_doc.GetViews().size(), 2u);
}

TEST_F(FrameworkTest, TheDocumentTitleCaptionsTheFrame)
{
    m_doc.SetTitle(L"クリップボード#12");
    EXPECT_EQ(m_doc.GetTitle(), L"クリップボード#12");
    EXPECT_EQ(m_frame.GetWindowText(), L"クリップボード#12 - Plexa");
}

TEST_F(FrameworkTest, AViewOutlivingItsDocumentIsDetached)
{
    CLog log;
    CTestView view(log);
    {
        CTestDoc doc(log);
        ASSERT_TRUE(view.Create(m_frame, 100, &doc, RECT{0, 0, 10, 10}));
        EXPECT_EQ(view.GetDocument(), &doc);
    }
    EXPECT_EQ(view.GetDocument(), nullptr);
}
