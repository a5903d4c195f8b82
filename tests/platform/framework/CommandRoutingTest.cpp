#include "TestClasses.h"

#include "platform/ui/CCmdUI.h"
#include "platform/ui/WinApi.h"

namespace {

// Who handles what: the view 100; the document 100-101; the frame 100-102; the application 100-103.
struct RouteCase {
    UINT id;
    const char* handledBy;
};

class CommandRoutingTest : public FrameworkTest, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(CommandRoutingTest, CommandGoesToViewThenDocumentThenFrameThenApplication)
{
    ASSERT_NE(AddTemplate()->OpenDocumentFile(nullptr), nullptr);
    Log().clear();

    MainFrame()->SendMessage(WM_COMMAND, GetParam().id, 0);

    const std::string expected = GetParam().handledBy;
    if (expected.empty())
        EXPECT_TRUE(Log().empty());
    else
        EXPECT_EQ(Log(), (std::vector<std::string>{expected + " " + std::to_string(GetParam().id)}));
}

INSTANTIATE_TEST_SUITE_P(Framework, CommandRoutingTest,
                         ::testing::Values(RouteCase{100, "view"}, RouteCase{101, "doc"}, RouteCase{102, "frame"},
                                           RouteCase{103, "app"}, RouteCase{104, ""}));

TEST_F(FrameworkTest, CommandStateQueryTakesTheSameRouteAndADisabledCommandIsNotCarriedOut)
{
    ASSERT_NE(AddTemplate()->OpenDocumentFile(nullptr), nullptr);
    Log().clear();

    CCmdUI state;
    state.m_nID = 111;
    state.DoUpdate(MainFrame(), FALSE);
    EXPECT_EQ(Log(), (std::vector<std::string>{"app update 111"}));

    // The document's update handler disables 110, which the application handles: it is not run.
    Log().clear();
    MainFrame()->SendMessage(WM_COMMAND, 110, 0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"doc update 110"}));

    CCmdUI unhandled;
    unhandled.m_nID = 104;
    unhandled.DoUpdate(MainFrame(), TRUE);
    EXPECT_FALSE(unhandled.m_bEnabled) << "no handler anywhere on the route";
}

TEST_F(FrameworkTest, ViewWithoutFrameRoutesToItsDocumentOnly)
{
    CDocument* pDoc = AddTemplate()->OpenDocumentFile(nullptr);
    ASSERT_NE(pDoc, nullptr);
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pDoc->GetNextView(pos);
    Log().clear();

    EXPECT_TRUE(pView->OnCmdMsg(101, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(pView->OnCmdMsg(102, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(Log(), (std::vector<std::string>{"doc 101"}));
}

}  // namespace
