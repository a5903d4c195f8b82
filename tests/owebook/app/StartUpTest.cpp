#include "AppTestEnv.h"

#include "platform/testing/ScriptedUser.h"

#include <cstdio>
#include <fstream>

namespace {

struct LaunchCase {
    const char* name;
    const char16_t* commandLine;
    BOOL alarmShown;        // what HandleAlarm answers
    int alarmsExpected;     // how often it is asked
    bool mainWindowExpected;
};

void PrintTo(const LaunchCase& c, std::ostream* os) { *os << c.name; }

class LaunchTest : public AppTest, public ::testing::WithParamInterface<LaunchCase> {};

TEST_P(LaunchTest, ReminderLaunchEndsAfterAShownReminderAndOtherwiseOpensTheMainWindow)
{
    const LaunchCase& c = GetParam();
    SetCommandLine(c.commandLine);
    m_app.m_bAlarmShown = c.alarmShown;

    platform::testing::ScriptedUser user;
    if (c.mainWindowExpected)
        user.ExpectDialog(IDD_HOME).TapOk();
    const BOOL started = m_app.InitInstance();
    user.Verify();

    EXPECT_EQ(m_app.m_nAlarms, c.alarmsExpected);
    EXPECT_EQ(started, c.mainWindowExpected ? TRUE : FALSE);
    if (!c.mainWindowExpected) {
        EXPECT_EQ(m_app.m_pMainWnd, nullptr);
        EXPECT_EQ(TopLevelWindows(), 0);
        return;
    }
    CMainFrame* frame = Frame();
    ASSERT_NE(frame, nullptr);
    CString caption;
    frame->GetWindowText(caption);
    EXPECT_EQ(caption, CString(u"Owebook"));
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_NE(MainView(), nullptr);
    ASSERT_NE(Document(), nullptr);
    EXPECT_EQ(ItemCount(*Document()), 1) << "a first start seeds the example item";
}

INSTANTIATE_TEST_SUITE_P(
    App, LaunchTest,
    ::testing::Values(LaunchCase{"plain", u"", TRUE, 0, true},
                      LaunchCase{"reminder_shown", u"AppRunAtTime", TRUE, 1, false},
                      LaunchCase{"no_reminder_pending", u"AppRunAtTime", FALSE, 1, true},
                      LaunchCase{"other_letter_case", u"apprunattime", TRUE, 0, true},
                      LaunchCase{"after_sync", u"AppRunAfterSync", TRUE, 0, true},
                      LaunchCase{"trailing_blank", u"AppRunAtTime ", TRUE, 0, true}),
    [](const ::testing::TestParamInfo<LaunchCase>& info) { return std::string(info.param.name); });

// A device folder below a plain file: no database can be made there.
TEST_F(AppTest, StartWithoutItemsDatabaseSaysSoAndEndsWithoutAWindow)
{
    const std::string blocker = std::string(std::getenv("OWEBOOK_HOME")) + "-blocker";
    std::ofstream(blocker) << "x";
    setenv("OWEBOOK_HOME", (blocker + "/device").c_str(), 1);
    TestDevice::Restart();

    platform::testing::ScriptedUser user;
    user.ExpectMessageBox(u"Error while creating main database!").Answer(IDOK);
    EXPECT_FALSE(m_app.InitInstance());
    user.Verify();

    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    EXPECT_EQ(TopLevelWindows(), 0);
    EXPECT_FALSE(platform::MessageLoop::QuitPending()) << "nothing was shown, so nothing asked to quit";
    std::remove(blocker.c_str());
}

}  // namespace
