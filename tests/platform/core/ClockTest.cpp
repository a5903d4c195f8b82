#include "platform/core/Clock.h"

#include "platform/core/Time.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

extern char** environ;

namespace {

TEST(Clock, FixedClocksNestAndRestore)
{
    platform::ClearFixedClock();
    EXPECT_FALSE(platform::IsClockFixed());
    {
        platform::FixedClock outer(1000);
        EXPECT_EQ(platform::NowUtcSeconds(), 1000);
        {
            platform::FixedClock inner(2000);
            EXPECT_EQ(platform::NowUtcMilliseconds(), 2'000'000);
        }
        EXPECT_EQ(platform::NowUtcSeconds(), 1000);
        platform::AdvanceFixedClock(61);
        EXPECT_EQ(time32(nullptr), 1061u);
    }
    EXPECT_FALSE(platform::IsClockFixed());
    std::int64_t now = platform::NowUtcSeconds();
    EXPECT_GT(now, 1'600'000'000);  // the system clock again
    platform::AdvanceFixedClock(100);  // no effect on a free clock
    EXPECT_FALSE(platform::IsClockFixed());
}

TEST(Clock, NegativeMillisecondsRoundTowardsThePast)
{
    platform::FixedClock clock(0);
    platform::SetFixedClockMilliseconds(-1);
    EXPECT_EQ(platform::NowUtcSeconds(), -1);
}

// Runs only as the child of the next test, which sets the variable.
TEST(Clock, ChildSeesEnvironmentTime)
{
    if (!std::getenv("OWEBOOK_CLOCK_CHILD"))
        GTEST_SKIP() << "runs as a child process";
    EXPECT_TRUE(platform::IsClockFixed());
    EXPECT_EQ(time32(nullptr), 1234567890u);
    platform::SetFixedClock(5);
    EXPECT_EQ(time32(nullptr), 5u);
    platform::ClearFixedClock();
    EXPECT_NE(time32(nullptr), 1234567890u);
}

TEST(Clock, EnvironmentFixesAChildProcess)
{
    std::string self = "/proc/self/exe";
    std::string filter = "--gtest_filter=Clock.ChildSeesEnvironmentTime";
    char* argv[] = {self.data(), filter.data(), nullptr};
    std::string fixed = "OWEBOOK_FIXED_TIME=1234567890";
    std::string child = "OWEBOOK_CLOCK_CHILD=1";
    std::vector<char*> envp;
    for (char** e = environ; *e; ++e) {
        if (std::string_view(*e).substr(0, 19) != "OWEBOOK_FIXED_TIME=")
            envp.push_back(*e);
    }
    envp.push_back(fixed.data());
    envp.push_back(child.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, envp.data()), 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
