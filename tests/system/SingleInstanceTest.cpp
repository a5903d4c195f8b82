// Only one instance runs: a second launch hands its command line to the
// running one, waits about a second and ends with -1.

#include "ProcessTestEnv.h"

#include <algorithm>
#include <csignal>

namespace {

struct HandOverCase {
    const char* name;
    QStringList args;
    const char* message;   // what the running instance must receive, or null
};

void PrintTo(const HandOverCase& c, std::ostream* os) { *os << c.name; }

class HandOverTest : public ProcessTest, public ::testing::WithParamInterface<HandOverCase> {};

TEST_P(HandOverTest, SecondLaunchBringsTheRunningInstanceForwardPostsItsCommandAndEndsWithMinusOne)
{
    const HandOverCase& c = GetParam();
    QProcess* first = LaunchRunning();
    const qint64 firstPid = first->processId();

    QElapsedTimer timer;
    timer.start();
    QProcess* second = Launch(c.args);
    const qint64 secondPid = second->processId();
    ASSERT_TRUE(second->waitForFinished(20000));
    const qint64 elapsed = timer.elapsed();

    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 255) << "-1; stderr: " << second->readAllStandardError().toStdString();
    EXPECT_GE(elapsed, 1000) << "it waits a second for the running instance";
    EXPECT_LT(elapsed, 15000);
    EXPECT_FALSE(Traced(secondPid, "main window shown")) << "the second launch opens no window";

    // A line the first instance traced for this launch, starting with `start` and holding `part`.
    const std::string from = " from=" + std::to_string(secondPid);
    auto received = [&](const std::string& start, const std::string& part) {
        return WaitUntil([&] {
            for (const std::string& line : Trace(firstPid))
                if (line.rfind(start, 0) == 0 && line.find(from) != std::string::npos &&
                    line.find(part) != std::string::npos)
                    return true;
            return false;
        }, 5000);
    };
    EXPECT_TRUE(received("remote foreground", "owned=1")) << "the window comes with its owned windows";
    if (c.message)
        EXPECT_TRUE(received("remote post window=", std::string("message=") + c.message + " wParam=0 lParam=0"));
    else
        EXPECT_FALSE(received("remote post", "")) << "nothing is posted for this command line";
    if (c.message && std::string(c.message) == "0x4C9")
        EXPECT_TRUE(WaitUntil([&] { return Traced(firstPid, "alarm message"); }, 5000))
            << "the frame hands the reminder to the application";
    else
        EXPECT_FALSE(Traced(firstPid, "alarm message"));

    EXPECT_EQ(first->state(), QProcess::Running) << "the running instance goes on";
}

INSTANTIATE_TEST_SUITE_P(
    Process, HandOverTest,
    ::testing::Values(HandOverCase{"no_arguments", {}, nullptr},
                      HandOverCase{"reminder_due", {QStringLiteral("AppRunAtTime")}, "0x4C9"},
                      HandOverCase{"after_sync", {QStringLiteral("AppRunAfterSync")}, "0x4CA"},
                      HandOverCase{"reminder_in_other_letter_case", {QStringLiteral("apprunattime")}, nullptr},
                      HandOverCase{"reminder_with_more_words", {QStringLiteral("AppRunAtTime"), QStringLiteral("x")},
                                   nullptr}),
    [](const ::testing::TestParamInfo<HandOverCase>& info) { return std::string(info.param.name); });

TEST_F(ProcessTest, TenLaunchesAtOnceLeaveExactlyOneRunningInstance)
{
    std::vector<QProcess*> launches;
    for (int i = 0; i < 10; ++i)
        launches.push_back(Launch());

    // QProcess learns of an end only inside its waits.
    auto finished = [&] {
        return std::count_if(launches.begin(), launches.end(), [](QProcess* p) {
            return p->state() == QProcess::NotRunning || p->waitForFinished(1);
        });
    };
    ASSERT_TRUE(WaitUntil([&] { return finished() >= 9; }, 25000)) << finished() << " of 10 ended";
    QThread::msleep(500);   // a tenth that wrongly ends would do so now
    finished();

    std::vector<QProcess*> running;
    for (QProcess* p : launches) {
        if (p->state() == QProcess::NotRunning) {
            EXPECT_EQ(p->exitCode(), 255) << p->readAllStandardError().toStdString();
        } else {
            running.push_back(p);
        }
    }
    ASSERT_EQ(running.size(), 1u);
    const qint64 winner = running.front()->processId();
    EXPECT_TRUE(WaitUntil([&] { return Traced(winner, "main window shown"); }, 20000));
    for (QProcess* p : launches) {
        if (p != running.front()) {
            EXPECT_FALSE(Traced(p->processId(), "main window shown"));
        }
    }
}

TEST_F(ProcessTest, CrashedInstanceDoesNotBlockTheNextLaunch)
{
    QProcess* crashed = LaunchRunning();
    ::kill(static_cast<pid_t>(crashed->processId()), SIGKILL);
    ASSERT_TRUE(crashed->waitForFinished(10000));
    EXPECT_EQ(crashed->exitStatus(), QProcess::CrashExit);

    QProcess* next = LaunchRunning();
    EXPECT_EQ(next->state(), QProcess::Running);

    // And the new one is the instance later launches hand over to.
    QProcess* third = Launch({QStringLiteral("AppRunAtTime")});
    ASSERT_TRUE(third->waitForFinished(20000));
    EXPECT_EQ(third->exitCode(), 255);
    EXPECT_TRUE(WaitUntil([&] { return Traced(next->processId(), "alarm message"); }, 5000));
}

}  // namespace
