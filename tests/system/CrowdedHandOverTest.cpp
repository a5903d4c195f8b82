// A launch that finds the instance's mutex held but no window of it (the
// instance is starting, or ending) keeps looking: its command line reaches
// the instance however many launch at once, and when the instance ends
// meanwhile the launch takes its place.

#include "ProcessTestEnv.h"

#include "platform/core/CString.h"
#include "platform/core/LastError.h"
#include "platform/system/NamedMutex.h"
#include "platform/system/ProcessDirectory.h"

#include <QFileInfo>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <map>
#include <optional>
#include <cstdio>
#include <sched.h>
#include <set>

namespace {

class CrowdedHandOver : public ProcessTest {
protected:
    // QProcess learns of an end only in its waits.
    static bool Running(QProcess* p) { return p->state() != QProcess::NotRunning && !p->waitForFinished(1); }

    // The launches that have ended.
    static int Finished(const std::vector<QProcess*>& launches)
    {
        return static_cast<int>(std::count_if(launches.begin(), launches.end(), [](QProcess* p) {
            return p->state() == QProcess::NotRunning || p->waitForFinished(1);
        }));
    }

    // The launches whose hand-over the instance `pid` traced: brought to the
    // front and sent the command line.
    std::set<qint64> HandedOver(qint64 pid, const char* message) const
    {
        std::set<qint64> foreground, posted;
        for (const std::string& line : Trace(pid)) {
            const size_t from = line.find(" from=");
            if (from == std::string::npos)
                continue;
            const qint64 sender = std::stoll(line.substr(from + 6));
            if (line.rfind("remote foreground ", 0) == 0)
                foreground.insert(sender);
            else if (line.rfind("remote post ", 0) == 0 && line.find(message) != std::string::npos)
                posted.insert(sender);
        }
        std::set<qint64> both;
        std::set_intersection(foreground.begin(), foreground.end(), posted.begin(), posted.end(),
                              std::inserter(both, both.begin()));
        return both;
    }

    static bool GuardFree(const std::string& folder)
    {
        int fd = open((folder + "/mutex.guard").c_str(), O_RDWR | O_CLOEXEC);
        const bool free = fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (fd >= 0)
            close(fd);
        return free;
    }

    // This process stands in for an instance: it holds the mutex under the program's name.
    HANDLE HoldInstanceMutex()
    {
        if (const char* old = std::getenv("XDG_RUNTIME_DIR"))
            m_savedRuntimeDir = old;
        setenv("XDG_RUNTIME_DIR", RuntimeDir().toLocal8Bit().constData(), 1);
        const CString name(QFileInfo(m_binary).canonicalFilePath().toUtf8().constData());
        HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
        EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
        return mutex;
    }

    void TearDown() override
    {
        ProcessTest::TearDown();
        if (m_savedRuntimeDir)
            setenv("XDG_RUNTIME_DIR", m_savedRuntimeDir->c_str(), 1);
    }

    // Mutex files of instances this test killed would look held to the next round's check.
    void ForgetKilledInstances() const
    {
        QDir folder(RuntimeDir() + QStringLiteral("/owebook"));
        for (const QString& name : folder.entryList({QStringLiteral("mutex-*.lock")}, QDir::Files))
            folder.remove(name);
    }

    std::optional<std::string> m_savedRuntimeDir;
};

TEST_F(CrowdedHandOver, ThirtyLaunchesAtOnceAllReachTheOneInstanceInThreeRounds)
{
    constexpr int kLaunches = 30;
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::vector<QProcess*> launches;
        std::map<QProcess*, qint64> pids;  // an ended QProcess forgets its pid
        for (int i = 0; i < kLaunches; ++i) {
            launches.push_back(Launch({QStringLiteral("AppRunAfterSync")}));
            pids[launches.back()] = launches.back()->processId();
        }
        ASSERT_TRUE(WaitUntil([&] { return Finished(launches) >= kLaunches - 1; }, 90000))
            << Finished(launches) << " of " << kLaunches << " ended";


        std::vector<QProcess*> running;
        std::set<qint64> others;
        for (QProcess* p : launches) {
            if (p->state() != QProcess::NotRunning) {
                running.push_back(p);
                continue;
            }
            others.insert(pids[p]);
            EXPECT_EQ(p->exitCode(), 255) << p->readAllStandardError().toStdString();
        }
        ASSERT_EQ(running.size(), 1u);
        const qint64 instance = running.front()->processId();
        EXPECT_TRUE(WaitUntil([&] { return Traced(instance, "main window shown"); }, 20000));

        std::set<qint64> arrived;
        WaitUntil([&] {
            arrived = HandedOver(instance, "message=0x4CA");
            return arrived.size() >= others.size();
        }, 5000);
        std::printf("round %d: %d launches at once, one instance, %zu of %zu hand-overs arrived\n", round,
                    kLaunches, arrived.size(), others.size());
        EXPECT_EQ(arrived, others);

        running.front()->kill();
        running.front()->waitForFinished(10000);
        ForgetKilledInstances();
    }
}

// A reminder launched while the instance is still starting: it holds the
// mutex but shows no window yet. The instance is held there (stopped) until
// the launch has looked for longer than the second a launch used to wait.
TEST_F(CrowdedHandOver, ReminderLaunchedWhileTheInstanceStartsIsShown)
{
    const std::string folder = RuntimeDir().toStdString() + "/owebook";
    for (int trial = 1; trial <= 3; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        QProcess* first = Launch();
        const pid_t firstPid = static_cast<pid_t>(first->processId());
        ASSERT_TRUE(WaitUntil([&] {
            return !QDir(QString::fromStdString(folder)).entryList({QStringLiteral("mutex-*.lock")}).isEmpty();
        }, 20000));
        // Stopped holding the names' guard, it would stop every launch.
        for (;;) {
            ::kill(firstPid, SIGSTOP);
            if (GuardFree(folder))
                break;
            ::kill(firstPid, SIGCONT);
            QThread::usleep(200);
        }
        EXPECT_FALSE(platform::ProcessDirectory(folder).Find(static_cast<DWORD>(firstPid)))
            << "too late to catch it starting";

        QProcess* reminder = Launch({QStringLiteral("AppRunAtTime")});
        const pid_t reminderPid = static_cast<pid_t>(reminder->processId());
        EXPECT_TRUE(WaitUntil([&] { return sched_getscheduler(reminderPid) == SCHED_IDLE; }, 20000));
        QThread::msleep(1500);
        ::kill(firstPid, SIGCONT);

        ASSERT_TRUE(reminder->waitForFinished(20000));
        EXPECT_EQ(reminder->exitCode(), 255) << reminder->readAllStandardError().toStdString();
        EXPECT_TRUE(WaitUntil([&] { return Traced(firstPid, "alarm message"); }, 5000))
            << "the reminder request was lost";
        EXPECT_TRUE(Running(first));

        first->kill();
        first->waitForFinished(10000);
        ForgetKilledInstances();
    }
}

// The instance is ending: its windows are gone, its mutex is not yet. This
// process stands in for it, holding the mutex under the program's name.
TEST_F(CrowdedHandOver, LaunchDuringTheInstancesEndTakesItsPlace)
{
    HANDLE ending = HoldInstanceMutex();
    ASSERT_NE(ending, nullptr);

    QProcess* launch = Launch();
    const pid_t pid = static_cast<pid_t>(launch->processId());
    // Waiting for the instance, it has lowered its priority.
    const bool waiting = WaitUntil([&] { return sched_getscheduler(pid) == SCHED_IDLE; }, 20000);
    QThread::msleep(waiting ? 1500 : 3000);
    EXPECT_TRUE(Running(launch)) << "gave up while the instance was ending";
    CloseHandle(ending);

    EXPECT_TRUE(WaitUntil([&] { return Traced(pid, "main window shown"); }, 20000))
        << launch->readAllStandardError().toStdString();
    QProcess* next = Launch();
    ASSERT_TRUE(next->waitForFinished(20000));
    EXPECT_EQ(next->exitCode(), 255) << "exactly one instance";
    EXPECT_TRUE(Running(launch));
}

// Mutex held, and no window ever comes: the launch looks for five seconds
// (up to fifteen on a busy machine), waits its second and ends, rather than
// waiting for ever.
TEST_F(CrowdedHandOver, LaunchGivesUpOnAnInstanceThatNeverShowsAWindow)
{
    HANDLE held = HoldInstanceMutex();
    ASSERT_NE(held, nullptr);

    QElapsedTimer timer;
    timer.start();
    QProcess* launch = Launch();
    ASSERT_TRUE(launch->waitForFinished(40000));
    EXPECT_EQ(launch->exitCode(), 255);
    EXPECT_GE(timer.elapsed(), 6000) << "five seconds of looking and the second of waiting";
    EXPECT_FALSE(Traced(launch->processId(), "main window shown"));
    CloseHandle(held);
}

}  // namespace
