// What the binary does before it starts the ledger: --help, --version, and
// the refusal where there is no display.

#include "ProcessTestEnv.h"

namespace {

struct InfoCase {
    const char* name;
    QStringList args;
    const char* expectedOut;
};

void PrintTo(const InfoCase& c, std::ostream* os) { *os << c.name; }

class InfoOptionTest : public ProcessTest, public ::testing::WithParamInterface<InfoCase> {};

TEST_P(InfoOptionTest, PrintsAndExitsZeroWithoutStartingAnything)
{
    // No display either: the options must not need one.
    QProcess* process = Launch(GetParam().args, NoDisplayEnvironment());
    ASSERT_TRUE(process->waitForFinished(20000));

    EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process->exitCode(), 0);
    const QString out = QString::fromUtf8(process->readAllStandardOutput());
    EXPECT_TRUE(out.contains(QString::fromUtf8(GetParam().expectedOut))) << out.toStdString();
    EXPECT_TRUE(Trace().empty()) << "nothing started";
    EXPECT_FALSE(QDir(m_dir.path() + QStringLiteral("/home")).exists()) << "no device was touched";
}

INSTANTIATE_TEST_SUITE_P(
    Process, InfoOptionTest,
    ::testing::Values(InfoCase{"help", {QStringLiteral("--help")}, "Usage: owebook"},
                      InfoCase{"version", {QStringLiteral("--version")}, "owebook 1."},
                      InfoCase{"version_after_a_command", {QStringLiteral("AppRunAtTime"), QStringLiteral("--version")},
                               "owebook 1."}),
    [](const ::testing::TestParamInfo<InfoCase>& info) { return std::string(info.param.name); });

struct DisplayCase {
    const char* name;
    const char* variable;   // set to `value` on top of an environment without a display
    const char* value;
};

class UnreachableDisplayTest : public ProcessTest, public ::testing::WithParamInterface<DisplayCase> {};

TEST_P(UnreachableDisplayTest, SaysSoInOneLineNamesTheVncWayAndFails)
{
    QProcessEnvironment env = NoDisplayEnvironment();
    if (GetParam().variable)
        env.insert(QString::fromUtf8(GetParam().variable), QString::fromUtf8(GetParam().value));
    QProcess* process = Launch({}, env);
    ASSERT_TRUE(process->waitForFinished(20000));

    EXPECT_EQ(process->exitStatus(), QProcess::NormalExit) << "no abort, no core dump";
    EXPECT_NE(process->exitCode(), 0);
    const QString err = QString::fromUtf8(process->readAllStandardError());
    EXPECT_EQ(err.count(QLatin1Char('\n')), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("owebook -platform vnc"))) << err.toStdString();
    EXPECT_TRUE(Trace().empty());
}

INSTANTIATE_TEST_SUITE_P(Process, UnreachableDisplayTest,
                         ::testing::Values(DisplayCase{"none", nullptr, nullptr},
                                           DisplayCase{"x_server_not_running", "DISPLAY", ":4711"},
                                           DisplayCase{"wayland_socket_missing", "WAYLAND_DISPLAY", "owebook-none"}),
                         [](const ::testing::TestParamInfo<DisplayCase>& info) {
                             return std::string(info.param.name);
                         });

// Qt's own platform argument counts as a display; it is not part of the
// command line the program sees.
TEST_F(ProcessTest, PlatformArgumentStartsWithoutDisplayAndIsNotTheCommandLine)
{
    const QProcessEnvironment env = NoDisplayEnvironment();
    QProcess* first = Launch({QStringLiteral("-platform"), QStringLiteral("offscreen")}, env);
    ASSERT_TRUE(WaitUntil([&] { return Traced(first->processId(), "main window shown"); }, 20000))
        << first->readAllStandardError().toStdString();

    QProcess* second = Launch({QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("AppRunAtTime")}, env);
    ASSERT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(second->exitCode(), 255);
    EXPECT_TRUE(WaitUntil([&] { return Traced(first->processId(), "alarm message"); }, 5000))
        << "the command line was exactly AppRunAtTime";
}

}  // namespace
