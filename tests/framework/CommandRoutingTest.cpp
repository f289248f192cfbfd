#include "FrameworkFixture.h"

#include "framework/Handles.h"

namespace {

class CommandRoutingTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        ::SetFocus(Right());
        ASSERT_EQ(m_frame.GetActiveView(), &Right());
        m_log.clear();
    }

    // Opens a popup holding `command` as the menu bar would; its state.
    UINT OpenMenuWith(UINT command)
    {
        const CMenuHandle popup(::CreatePopupMenu());
        ::AppendMenuW(popup, MF_STRING, command, L"item");
        ::SendMessageW(m_frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.Get()), 0);
        return ::GetMenuState(popup, command, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED);
    }

    void ClearLogs()
    {
        m_log.clear();
        m_app.m_log.clear();
    }
    // The application is the route's last link: its log follows the rest.
    CLog Asked() const
    {
        CLog all = m_log;
        all.insert(all.end(), m_app.m_log.begin(), m_app.m_log.end());
        return all;
    }
};

// With the right view active, whose page stands in front: who is asked, in
// order, until one link takes the command or answers for its menu item.
struct RouteRow {
    UINT command;
    std::vector<const wchar_t*> asked;
    bool answered;
};

const RouteRow kRoutes[] = {
    {kViewCommand, {L"right"}, true},
    {kPageCommand, {L"right", L"page"}, true},
    {kDocumentCommand, {L"right", L"page", L"doc"}, true},
    {kFrameCommand, {L"right", L"page", L"doc", L"frame"}, true},
    {kAppCommand, {L"right", L"page", L"doc", L"frame", L"app"}, true},
    {kNobodysCommand, {L"right", L"page", L"doc", L"frame", L"app"}, false},
};

CLog Expected(const RouteRow& row)
{
    CLog log;
    for (const wchar_t* link : row.asked)
        log.push_back(Describe(link, row.command));
    return log;
}

}

TEST_F(CommandRoutingTest, ACommandTravelsViewPageDocumentFrameApplicationUntilOneTakesIt)
{
    for (const RouteRow& row : kRoutes) {
        SCOPED_TRACE(row.command);
        ClearLogs();
        Command(row.command);
        EXPECT_EQ(Asked(), Expected(row));
    }
}

TEST_F(CommandRoutingTest, AMenuItemsStateTravelsTheSameRoute)
{
    for (const RouteRow& row : kRoutes) {
        SCOPED_TRACE(row.command);
        ClearLogs();
        EXPECT_EQ(OpenMenuWith(row.command), row.answered ? MF_GRAYED | MF_CHECKED : 0u)
            << "an item nobody answers for stays as it is";
        EXPECT_EQ(Asked(), Expected(row));
    }
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
