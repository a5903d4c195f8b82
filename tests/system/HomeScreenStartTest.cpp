// A real start waits on the home screen: the main window comes only once it
// is closed (here by the test-only dismissal every other process test uses).

#include "ProcessTestEnv.h"

namespace {

TEST_F(ProcessTest, StartWaitsOnTheHomeScreenUntilItIsClosed)
{
    QProcessEnvironment waiting = Environment();
    waiting.remove(QStringLiteral("OWEBOOK_TEST_DISMISS_DIALOG"));
    QProcess* held = Launch({}, waiting);
    const qint64 heldPid = held->processId();
    EXPECT_FALSE(WaitUntil([&] { return Traced(heldPid, "main window shown"); }, 4000))
        << "the home screen holds the start";
    EXPECT_EQ(held->state(), QProcess::Running);
    held->kill();
    held->waitForFinished(5000);

    // The same start with the home screen closed goes on to the main window.
    QProcess* closed = LaunchRunning();
    EXPECT_TRUE(Traced(closed->processId(), "main window shown"));
}

}  // namespace
