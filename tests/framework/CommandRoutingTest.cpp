#include "FrameworkFixture.h"

#include "res/resource.h"

class CommandRoutingTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        ::SetFocus(Right());
        ASSERT_EQ(m_frame.GetActiveView(), &Right());
        m_log.clear();
    }
};

TEST_F(CommandRoutingTest, ACommandTheViewHandlesGoesNoFurther)
{
    Command(kViewCommand);
    EXPECT_EQ(m_log, CLog({Describe(L"right", kViewCommand)}));
    EXPECT_TRUE(m_app.m_log.empty());
}

TEST_F(CommandRoutingTest, ACommandTheViewRefusesReachesTheDocument)
{
    Command(kDocumentCommand);
    EXPECT_EQ(m_log, CLog({Describe(L"right", kDocumentCommand), Describe(L"doc", kDocumentCommand)}));
    EXPECT_TRUE(m_app.m_log.empty());
}

TEST_F(CommandRoutingTest, ThenTheFrame)
{
    Command(kFrameCommand);
    EXPECT_EQ(m_log, CLog({Describe(L"right", kFrameCommand), Describe(L"doc", kFrameCommand),
                           Describe(L"frame", kFrameCommand)}));
    EXPECT_TRUE(m_app.m_log.empty());
}

TEST_F(CommandRoutingTest, ThenTheApplication)
{
    Command(kAppCommand);
    EXPECT_EQ(m_log, CLog({Describe(L"right", kAppCommand), Describe(L"doc", kAppCommand),
                           Describe(L"frame", kAppCommand)}));
    EXPECT_EQ(m_app.m_log, CLog({Describe(L"app", kAppCommand)}));
}

TEST_F(CommandRoutingTest, TheRouteStartsAtTheViewWithTheFocus)
{
    ::SetFocus(Tree());
    EXPECT_EQ(m_frame.GetActiveView(), &Tree());
    Command(kNobodysCommand);
    EXPECT_EQ(m_log, CLog({Describe(L"tree", kNobodysCommand), Describe(L"doc", kNobodysCommand),
                           Describe(L"frame", kNobodysCommand)}));
    EXPECT_EQ(m_app.m_log, CLog({Describe(L"app", kNobodysCommand)}));
}

TEST_F(CommandRoutingTest, WithoutAnActiveViewTheFrameComesFirst)
{
    m_frame.SetActiveView(nullptr);
    Command(kDocumentCommand);
    EXPECT_EQ(m_log, CLog({Describe(L"frame", kDocumentCommand)}));
    EXPECT_EQ(m_app.m_log, CLog({Describe(L"app", kDocumentCommand)}));
}
