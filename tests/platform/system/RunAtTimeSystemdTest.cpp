// The systemd service for real: a user manager of this test's own (systemd
// --user in a mount namespace of its own, where /run/systemd/system says
// that systemd runs) starts the probe program from the timer and service
// units that CeRunAppAtTime writes. Skipped where no manager can be started
// (not root, no systemd, no mount namespaces).

#include "RunAtTimeSupport.h"

#include "support/UserManager.h"

#include <filesystem>
#include <sys/stat.h>

namespace {

using namespace runattimetest;

class RunAtTimeSystemd : public RunAtTimeTest {
protected:
    void SetUp() override
    {
        if (!UserManager::Possible())
            GTEST_SKIP() << "a user manager needs root, systemd and /run/systemd here";
        // A runtime folder of its own: the manager leaves its socket behind.
        m_savedRuntime = std::getenv("XDG_RUNTIME_DIR");
        const std::string runtime = m_device.Root() + "/run";
        ASSERT_EQ(mkdir(runtime.c_str(), 0700), 0);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        setenv("HOME", (m_device.Root() + "/home").c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
        unsetenv("DISPLAY");
        if (!StartManager())
            GTEST_SKIP() << "no user manager could be started here";
    }

    bool StartManager() { return m_manager.Start(m_device.Root() + "/manager.log"); }
    void StopManager() { m_manager.Stop(); }

    void TearDown() override
    {
        if (m_manager.Running()) {
            RunAtTimeTest::TearDown();
            StopManager();
        }
        if (!m_savedRuntime.empty())
            setenv("XDG_RUNTIME_DIR", m_savedRuntime.c_str(), 1);
    }

    void ExpectStartedAt(const ProbeStart& start, std::int64_t due)
    {
        // AccuracySec=1s, and the start of a sanitized probe.
        EXPECT_GE(start.ms, due * 1000);
        EXPECT_LE(start.ms, due * 1000 + 2000);
        EXPECT_EQ(start.args, "AppRunAtTime");
    }

    UserManager m_manager;
    std::string m_savedRuntime;
};

TEST_F(RunAtTimeSystemd, TheTimerStartsTheProgramAtTheTimeWithTheDisplayItWasAskedWith)
{
    // Set after the manager started: only the service can have carried it.
    setenv("DISPLAY", ":43%i", 1);
    const std::int64_t due = SecondsFromNow(2);
    ASSERT_TRUE(RequestAt(due));
    unsetenv("DISPLAY");
    const std::vector<ProbeStart> starts = StartsAfter(1, static_cast<int>(due * 1000 - NowMs()) + 3000);
    ASSERT_EQ(starts.size(), 1u);
    ExpectStartedAt(starts[0], due);
    EXPECT_EQ(starts[0].display, ":43%i");
}

TEST_F(RunAtTimeSystemd, ANewRequestReplacesThePendingTimer)
{
    ASSERT_TRUE(RequestAt(SecondsFromNow(1)));
    const std::int64_t later = SecondsFromNow(3);
    ASSERT_TRUE(RequestAt(later));
    const std::vector<ProbeStart> starts = StartsAfter(2, static_cast<int>(later * 1000 - NowMs()) + 3000);
    ASSERT_EQ(starts.size(), 1u) << "the replaced timer fired too";
    ExpectStartedAt(starts[0], later);
}

TEST_F(RunAtTimeSystemd, AStartMissedWhileTheManagerWasDownHappensWhenItComesBack)
{
    const std::int64_t due = SecondsFromNow(1);
    ASSERT_TRUE(RequestAt(due));
    StopManager();   // logged out, or the machine off
    std::this_thread::sleep_for(std::chrono::milliseconds(due * 1000 - NowMs() + 1500));
    EXPECT_TRUE(Starts().empty());

    const std::int64_t login = NowMs();
    ASSERT_TRUE(StartManager());
    const std::vector<ProbeStart> starts = StartsAfter(1, 4000);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_LE(starts[0].ms - login, 3000);
    EXPECT_EQ(starts[0].args, "AppRunAtTime");
}

TEST_F(RunAtTimeSystemd, ARemovedRequestStartsNothing)
{
    const std::int64_t due = SecondsFromNow(2);
    ASSERT_TRUE(RequestAt(due));
    ASSERT_TRUE(Remove());
    EXPECT_TRUE(StartsAfter(1, static_cast<int>(due * 1000 - NowMs()) + 2500).empty());
}

TEST_F(RunAtTimeSystemd, APathWithSpacesPercentAndDollarStartsAtOnceWhenItsTimeHasPassed)
{
    const std::string folder = m_device.Root() + "/my apps 100% $HOME";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    m_probe = folder + "/probe";
    ASSERT_TRUE(std::filesystem::copy_file(BuiltProbe(), m_probe));
    const std::int64_t asked = NowMs();
    ASSERT_TRUE(RequestAt(asked / 1000 - 60));
    const std::vector<ProbeStart> starts = StartsAfter(1, 4000);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_LE(starts[0].ms - asked, 3000);
    EXPECT_EQ(starts[0].args, "AppRunAtTime");
}

}  // namespace
