// The Help menu's two commands as the application carries them out: About
// with the view's refill held off while it is open, and Help in the
// desktop's viewer or, without one, nothing at all.

#include "AppTestEnv.h"
#include "support/FakeViewer.h"

#include "owebook/app/AppIds.h"
#include "owebook/res/Resource.h"
#include "platform/system/devicefiles/DeviceFiles.h"
#include "platform/testing/ScriptedUser.h"
#include "platform/ui/CDialog.h"

#include <algorithm>

using platform::testing::DialogDriver;
using platform::testing::ScriptedUser;

namespace {

class AboutHelpCommandTest : public AppTest {
protected:
    int Refills() const
    {
        const auto& lines = ProbeLog::Lines();
        return static_cast<int>(std::count(lines.begin(), lines.end(), "refill"));
    }
    void Command(UINT id) { Frame()->SendMessage(WM_COMMAND, id, 0); }
};

TEST_F(AboutHelpCommandTest, AboutHoldsOffTheRefillWhileOpen)
{
    ASSERT_NE(StartWithProbeView(), nullptr);
    Frame()->ShowWindow(SW_SHOW);
    platform::testing::ProcessEvents();
    auto* view = MainView<CProbeMainView>();
    ASSERT_NE(view, nullptr);

    // Any other dialog over the frame: coming back refills the list.
    ScriptedUser user;
    user.ExpectDialog(IDD_OTHER_PRODUCTS).TapOk();
    CDialog(IDD_OTHER_PRODUCTS, Frame()).DoModal();
    user.Verify();
    platform::testing::ProcessEvents();
    const int before = Refills();
    ASSERT_GT(before, 0) << "the frame's return refills; else the next check proves nothing";
    user.ExpectDialog(IDD_OTHER_PRODUCTS).TapOk();
    CDialog(IDD_OTHER_PRODUCTS, Frame()).DoModal();
    platform::testing::ProcessEvents();
    const int perDialog = Refills() - before;

    BOOL autoRefreshWhileOpen = TRUE;
    user.ExpectDialog(IDD_ABOUT)
        .Check([&](DialogDriver& d) {
            EXPECT_EQ(d.Text(IDC_ABOUT_VERSION), CString(u"1.0.0"));
            autoRefreshWhileOpen = view->m_bAutoRefresh;
        })
        .Tap(IDC_ABOUT_OTHER_PRODUCTS)
        .TapOk();
    user.ExpectDialog(IDD_OTHER_PRODUCTS).TapOk();
    const int atAbout = Refills();
    Command(ID_HELP_ABOUT);
    user.Verify();
    platform::testing::ProcessEvents();
    EXPECT_FALSE(autoRefreshWhileOpen);
    EXPECT_TRUE(view->m_bAutoRefresh);
    EXPECT_EQ(Refills(), atAbout) << "a plain dialog refilled " << perDialog << " times";
}

class HelpCommandTest : public AboutHelpCommandTest, public ::testing::WithParamInterface<FakeViewer::Kind> {};

TEST_P(HelpCommandTest, OpensTheHelpFileOrQuietlyNothing)
{
    ASSERT_TRUE(platform::InstallDeviceFiles());
    ASSERT_NE(StartWithProbeView(), nullptr);
    const int windows = TopLevelWindows();
    FakeViewer viewer(GetParam());
    {
        ScriptedUser user;   // fails on any dialog or message box
        Command(ID_HELP_USING);
        platform::testing::ProcessEvents();
        user.Verify();
    }
    if (GetParam() == FakeViewer::WORKING) {
        const auto starts = viewer.AwaitStarts();
        ASSERT_EQ(starts.size(), 1u);
        EXPECT_EQ(starts[0], std::vector<std::string>{std::string(std::getenv("OWEBOOK_HOME")) + "/windows/Owebook.htm"});
    }
    EXPECT_EQ(TopLevelWindows(), windows);
    EXPECT_TRUE(::IsWindow(Frame()->m_hWnd));
    EXPECT_FALSE(platform::MessageLoop::QuitPending()) << "the program goes on";
}

INSTANTIATE_TEST_SUITE_P(Viewer, HelpCommandTest, ::testing::Values(FakeViewer::WORKING, FakeViewer::MISSING),
                         [](const auto& info) { return info.param == FakeViewer::WORKING ? "Working" : "Missing"; });

}  // namespace
