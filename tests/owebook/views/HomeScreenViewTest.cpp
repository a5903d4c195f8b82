// The home screen in front of the main view: each picture opens its mode,
// any other way out All Items, and choosing the shown mode again keeps the
// column widths the user left.

#include "ViewTestEnv.h"

#include "owebook/app/AppIds.h"
#include "owebook/res/Resource.h"
#include "platform/testing/ScriptedUser.h"

using platform::testing::Scene;
using platform::testing::ScriptedUser;

// The scripted view, but with the real home screen.
class CRealHomeView : public CScriptedMainView {
    DECLARE_DYNCREATE(CRealHomeView)
public:
    int ShowHomeScreen() override { return CMainView::ShowHomeScreen(); }

protected:
    CRealHomeView() = default;
};

IMPLEMENT_DYNCREATE(CRealHomeView, CScriptedMainView)

namespace {

class HomeScreenViewTest : public ViewTest {
protected:
    CMainView* StartWithHome()
    {
        m_app = std::make_unique<COwebookApp>();
        m_app->AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(COwebookDoc),
                                                     RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CRealHomeView)));
        m_app->OnFileNew();
        return View();
    }
};

struct HomeChoice {
    const char* name;
    std::function<void(Scene&)> act;
    int mode;
    const char* title;
};

void PrintTo(const HomeChoice& c, std::ostream* os) { *os << c.name; }

class HomeChoiceTest : public HomeScreenViewTest, public ::testing::WithParamInterface<HomeChoice> {};

TEST_P(HomeChoiceTest, TheViewOpensInTheChosenMode)
{
    ScriptedUser user;
    GetParam().act(user.ExpectDialog(IDD_HOME));
    ASSERT_NE(StartWithHome(), nullptr);
    user.Verify();
    EXPECT_EQ(View()->m_nMode, GetParam().mode);
    EXPECT_EQ(Title(), GetParam().title);
    EXPECT_EQ(static_cast<int>(View()->m_recFilter.GetMode()), GetParam().mode) << "that mode's layout is loaded";
    EXPECT_TRUE(View()->m_bAutoRefresh);
}

INSTANTIATE_TEST_SUITE_P(
    Home, HomeChoiceTest,
    ::testing::Values(HomeChoice{"WhatIOwe", [](Scene& s) { s.Tap(ID_VIEW_WHAT_I_OWE); }, 1, "What I Owe"},
                      HomeChoice{"UpperRight", [](Scene& s) { s.Tap(IDC_HOME_OWED_TO_ME); }, 2, "What's owed to me"},
                      HomeChoice{"WhatsDue", [](Scene& s) { s.Tap(IDC_HOME_WHATS_DUE); }, 3, "What's Due"},
                      HomeChoice{"AllItems", [](Scene& s) { s.Tap(ID_VIEW_ALL_ITEMS); }, 0, "All Items"},
                      HomeChoice{"CaptionOk", [](Scene& s) { s.TapOk(); }, 0, "All Items"},
                      HomeChoice{"Escape", [](Scene& s) { s.PressKey(VK_ESCAPE); }, 0, "All Items"},
                      HomeChoice{"DesktopClose", [](Scene& s) { s.CloseWindow(); }, 0, "All Items"}),
    [](const auto& info) { return std::string(info.param.name); });

// Home, then the picture of the mode on show: the mode is switched to anew,
// so the widths the user gave its columns are written and read back, and
// they are still there at the next start.
TEST_F(HomeScreenViewTest, HomeAndTheSamePictureReloadsTheModeKeepingItsWidths)
{
    ScriptedUser user;
    user.ExpectDialog(IDD_HOME).Tap(IDC_HOME_WHATS_DUE);
    ASSERT_NE(StartWithHome(), nullptr);
    ASSERT_GE(List().GetColumnCount(), 2);
    const int widened = List().GetColumnWidth(0) + 17;
    List().SetColumnWidth(0, widened);

    user.ExpectDialog(IDD_HOME).Tap(IDC_HOME_WHATS_DUE);
    Command(ID_VIEW_HOME);
    user.Verify();
    EXPECT_EQ(View()->m_nMode, MODE_WHATS_DUE);
    EXPECT_EQ(Title(), "What's Due");
    EXPECT_EQ(List().GetColumnWidth(0), widened) << "read back from the filter database";

    Stop();
    user.ExpectDialog(IDD_HOME).Tap(IDC_HOME_WHATS_DUE);
    ASSERT_NE(StartWithHome(), nullptr);
    EXPECT_EQ(List().GetColumnWidth(0), widened) << "written, not only kept in the list";
}

// The view comes back from the home screen without refilling on the way.
TEST_F(HomeScreenViewTest, HomeClosedAnyOtherWayShowsAllItems)
{
    ScriptedUser user;
    user.ExpectDialog(IDD_HOME).Tap(ID_VIEW_WHAT_I_OWE);
    ASSERT_NE(StartWithHome(), nullptr);
    user.ExpectDialog(IDD_HOME).TapOk();
    Command(ID_VIEW_HOME);
    user.Verify();
    EXPECT_EQ(View()->m_nMode, MODE_ALL_ITEMS);
    EXPECT_EQ(Title(), "All Items");
}

}  // namespace
