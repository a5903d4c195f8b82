// The waiter process for real, where no systemd user manager runs: the probe
// program starts at the time with the one argument, a new request replaces
// the pending one, a removed request starts nothing, and a waiter killed
// (or a runtime folder emptied) is armed again by the next start.

#include "RunAtTimeSupport.h"

#include <csignal>

namespace {

using namespace runattimetest;

class RunAtTimeWaiter : public RunAtTimeTest {
protected:
    // Within this of the time the program runs; the waiter itself fires at
    // the second, the rest is the start of a sanitized probe.
    static constexpr int kLateMs = 1500;

    void ExpectStartedAt(const ProbeStart& start, std::int64_t due)
    {
        EXPECT_GE(start.ms, due * 1000);
        EXPECT_LE(start.ms, due * 1000 + kLateMs);
        EXPECT_EQ(start.args, "AppRunAtTime");
    }
};

TEST_F(RunAtTimeWaiter, StartsTheProgramAtTheTimeWithTheOneArgumentAndItsDisplay)
{
    setenv("DISPLAY", ":42", 1);
    const std::int64_t due = SecondsFromNow(1);
    ASSERT_TRUE(RequestAt(due));
    EXPECT_NE(Waiter(), 0);
    EXPECT_TRUE(Starts().empty());

    const std::vector<ProbeStart> starts = StartsAfter(1, 5000);
    ASSERT_EQ(starts.size(), 1u);
    ExpectStartedAt(starts[0], due);
    EXPECT_EQ(starts[0].display, ":42");
    unsetenv("DISPLAY");
}

TEST_F(RunAtTimeWaiter, ANewRequestReplacesThePendingOneAndItsWaiter)
{
    ASSERT_TRUE(RequestAt(SecondsFromNow(1)));
    const pid_t first = Waiter();
    const std::int64_t later = SecondsFromNow(3);
    ASSERT_TRUE(RequestAt(later));
    const pid_t second = Waiter();
    EXPECT_NE(second, 0);
    EXPECT_NE(second, first);
    EXPECT_TRUE(Ended(first)) << "two waiters for one program";

    const std::vector<ProbeStart> starts = StartsAfter(2, static_cast<int>(later * 1000 - NowMs()) + 2500);
    ASSERT_EQ(starts.size(), 1u) << "the replaced request started too";
    ExpectStartedAt(starts[0], later);
}

TEST_F(RunAtTimeWaiter, ANullTimeRemovesTheRequestAndStartsNothing)
{
    const std::int64_t due = SecondsFromNow(1);
    ASSERT_TRUE(RequestAt(due));
    ASSERT_TRUE(Pending());
    ASSERT_TRUE(Remove());
    EXPECT_FALSE(Pending());
    EXPECT_TRUE(StartsAfter(1, static_cast<int>(due * 1000 - NowMs()) + 2000).empty());
    EXPECT_EQ(Waiter(), 0);
    EXPECT_TRUE(Remove()) << "removing what is not pending is no failure";
}

TEST_F(RunAtTimeWaiter, ATimeThatHasPassedStartsTheProgramAtOnce)
{
    const std::int64_t asked = NowMs();
    ASSERT_TRUE(RequestAt(asked / 1000 - 3600));
    const std::vector<ProbeStart> starts = StartsAfter(1, 3000);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_LE(starts[0].ms - asked, kLateMs);
}

TEST_F(RunAtTimeWaiter, TheRequestIsKeptInTheStoreUntilItsProgramHasStarted)
{
    const std::int64_t due = SecondsFromNow(1);
    ASSERT_TRUE(RequestAt(due));
    const auto pending = Pending();
    ASSERT_TRUE(pending);
    EXPECT_EQ(pending->due, due);
    EXPECT_EQ(pending->service, platform::RunAtTimeService::Waiter);

    ASSERT_EQ(StartsAfter(1, 5000).size(), 1u);
    // The next start of any program of the platform finds it used up.
    char name[] = "program";
    char* argv[] = {name, nullptr};
    platform::ResumeRunAtTimeAtStart(1, argv);
    EXPECT_FALSE(Pending());
    // The waiter lets go of its lock when it ends, a moment after the start.
    for (int look = 0; look < 40 && Waiter() != 0; ++look)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(Waiter(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_EQ(Starts().size(), 1u) << "started again";
}

TEST_F(RunAtTimeWaiter, AKilledWaiterIsArmedAgainAtTheNextStart)
{
    const std::int64_t due = SecondsFromNow(2);
    ASSERT_TRUE(RequestAt(due));
    const pid_t waiter = Waiter();
    ASSERT_NE(waiter, 0);
    ASSERT_EQ(kill(waiter, SIGKILL), 0);
    for (int i = 0; i < 100 && Waiter() != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(Waiter(), 0);

    char name[] = "program";
    char* argv[] = {name, nullptr};
    platform::ResumeRunAtTimeAtStart(1, argv);
    const pid_t rearmed = Waiter();
    EXPECT_NE(rearmed, 0);
    platform::ResumeRunAtTimeAtStart(1, argv);
    EXPECT_EQ(Waiter(), rearmed) << "a held request is left alone";

    const std::vector<ProbeStart> starts = StartsAfter(1, static_cast<int>(due * 1000 - NowMs()) + 3000);
    ASSERT_EQ(starts.size(), 1u);
    ExpectStartedAt(starts[0], due);
}

TEST_F(RunAtTimeWaiter, AnEmptiedRuntimeFolderIsArmedAgainFromTheStore)
{
    const std::int64_t due = SecondsFromNow(2);
    ASSERT_TRUE(RequestAt(due));
    // What a reboot leaves: the request in the store, no runtime files.
    const std::string folder = platform::WaiterService::Folder();
    const std::string key = platform::RequestKey(m_probe);
    ASSERT_EQ(unlink((folder + "/" + key + ".request").c_str()), 0);
    for (int i = 0; i < 100 && Waiter() != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(Waiter(), 0) << "the waiter of a vanished request stays";

    char name[] = "program";
    char* argv[] = {name, nullptr};
    platform::ResumeRunAtTimeAtStart(1, argv);
    const std::vector<ProbeStart> starts = StartsAfter(1, static_cast<int>(due * 1000 - NowMs()) + 3000);
    ASSERT_EQ(starts.size(), 1u);
    ExpectStartedAt(starts[0], due);
}

}  // namespace
