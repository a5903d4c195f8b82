// The runtime folder where launches meet: when it cannot be used, they meet
// in a private folder beside the store instead, so a second launch still
// finds the first; and a lock frozen there stops no launch for long.

#include "ProcessTestEnv.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

struct BadFolder {
    const char* name;
    // Spoils the runtime folder of `test`; returns the XDG_RUNTIME_DIR to use.
    QString (*prepare)(const QString& runtimeDir, const QString& testDir);
    bool needsRoot;
};

void PrintTo(const BadFolder& c, std::ostream* os) { *os << c.name; }

class BadRuntimeFolder : public ProcessTest, public ::testing::WithParamInterface<BadFolder> {};

TEST_P(BadRuntimeFolder, TwoLaunchesStillMeetAndSayWhy)
{
    const BadFolder& c = GetParam();
    if (c.needsRoot && geteuid() != 0)
        GTEST_SKIP() << "needs root to give a folder away";
    QProcessEnvironment env = Environment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), c.prepare(RuntimeDir(), m_dir.path()));

    QProcess* first = Launch({}, env);
    ASSERT_TRUE(WaitUntil([&] { return Traced(first->processId(), "main window shown"); }, 20000))
        << first->readAllStandardError().toStdString();
    QProcess* second = Launch({}, env);
    const qint64 secondPid = second->processId();
    ASSERT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(second->exitCode(), 255) << "ran as a second instance on the same store";
    EXPECT_FALSE(Traced(secondPid, "main window shown"));
    EXPECT_TRUE(WaitUntil([&] {
        for (const std::string& line : Trace(first->processId()))
            if (line.rfind("remote foreground", 0) == 0 && line.find("from=" + std::to_string(secondPid)) != std::string::npos)
                return true;
        return false;
    }, 5000)) << "the first was not brought forward";
    EXPECT_TRUE(first->state() != QProcess::NotRunning && !first->waitForFinished(1));

    const QString why = QString::fromLocal8Bit(second->readAllStandardError());
    EXPECT_TRUE(why.contains(QStringLiteral("runtime folder refused"))) << why.toStdString();
    EXPECT_TRUE(why.contains(m_dir.path() + QStringLiteral("/home/runtime"))) << why.toStdString();
    EXPECT_TRUE(QFileInfo(m_dir.path() + QStringLiteral("/home/runtime")).isDir());
}

INSTANTIATE_TEST_SUITE_P(
    Process, BadRuntimeFolder,
    ::testing::Values(
        BadFolder{"open_to_others", [](const QString& run, const QString&) {
            QDir(run).mkdir(QStringLiteral("owebook"));
            ::chmod((run + QStringLiteral("/owebook")).toLocal8Bit().constData(), 0755);
            return run;
        }, false},
        BadFolder{"owned_by_another_user", [](const QString& run, const QString&) {
            QDir(run).mkdir(QStringLiteral("owebook"));
            EXPECT_EQ(::chown((run + QStringLiteral("/owebook")).toLocal8Bit().constData(), 65534, 65534), 0);
            return run;
        }, true},
        BadFolder{"symbolic_link", [](const QString& run, const QString& test) {
            QDir(test).mkdir(QStringLiteral("elsewhere"));
            ::chmod((test + QStringLiteral("/elsewhere")).toLocal8Bit().constData(), 0700);
            QFile::link(test + QStringLiteral("/elsewhere"), run + QStringLiteral("/owebook"));
            return run;
        }, false},
        BadFolder{"file_in_its_place", [](const QString& run, const QString&) {
            QFile file(run + QStringLiteral("/owebook"));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            return run;
        }, false},
        BadFolder{"xdg_runtime_dir_cannot_exist", [](const QString&, const QString& test) {
            QFile file(test + QStringLiteral("/plain"));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            return test + QStringLiteral("/plain/run");  // Qt makes a missing one; not below a file
        }, false},
        BadFolder{"xdg_runtime_dir_unwritable", [](const QString&, const QString&) {
            return QStringLiteral("/proc");  // not even root may make a folder there
        }, false}),
    [](const ::testing::TestParamInfo<BadFolder>& info) { return std::string(info.param.name); });

// A process frozen while it holds the lock that guards the names: a launch
// says why and ends instead of waiting for it for ever.
TEST_F(ProcessTest, LaunchEndsWhenTheNamesGuardStaysHeld)
{
    const QByteArray folder = (RuntimeDir() + QStringLiteral("/owebook")).toLocal8Bit();
    ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
    int guard = ::open((folder + "/mutex.guard").constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(guard, 0);
    ASSERT_EQ(::flock(guard, LOCK_EX), 0);

    QProcess* launch = Launch();
    const bool ended = launch->waitForFinished(15000);
    ::close(guard);
    ASSERT_TRUE(ended) << "still waiting for the guard";
    EXPECT_EQ(launch->exitCode(), 255);
    EXPECT_FALSE(Traced(launch->processId(), "main window shown"));
    const std::string why = launch->readAllStandardError().toStdString();
    EXPECT_NE(why.find("mutex.guard is held by a process that does not let go"), std::string::npos) << why;
}

}  // namespace
