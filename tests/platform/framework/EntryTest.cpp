#include "platform/framework/WinMain.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QStringList>

#include <cstdlib>
#include <vector>

namespace {

struct JoinCase {
    std::vector<const char*> argv;   // argv[0] is the program's name
    const char16_t* expected;
};

class CommandLineTest : public ::testing::TestWithParam<JoinCase> {};

TEST_P(CommandLineTest, ArgumentsAfterTheNameAreJoinedBySingleBlanks)
{
    const auto& argv = GetParam().argv;
    EXPECT_EQ(platform::JoinCommandLine(static_cast<int>(argv.size()), argv.data()), CString(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Framework, CommandLineTest,
    ::testing::Values(JoinCase{{"owebook"}, u""}, JoinCase{{"owebook", "AppRunAtTime"}, u"AppRunAtTime"},
                      JoinCase{{"owebook", "a", "b c", ""}, u"a b c "},
                      JoinCase{{"owebook", "\xc3\xbc\xe2\x82\xac", "\xf0\x9d\x84\x9e"}, u"\u00fc\u20ac \U0001D11E"}));

// The probe is built at the top of the build tree; this program one folder below.
QString ProbePath()
{
    if (const char* dir = std::getenv("OWEBOOK_TEST_BIN_DIR"))
        return QString::fromLocal8Bit(dir) + QStringLiteral("/framework_entry_probe");
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -3) +
           QStringLiteral("/framework_entry_probe");
}

// The real entry point: a program made of nothing but a WinMain and an
// application object (tests/platform/framework/probe).
TEST(Entry, MainCallsWinMainWithTheCommandLineAsUtf16AndReturnsItsCode)
{
    const QString program = ProbePath();
    ASSERT_TRUE(QFileInfo(program).isExecutable()) << program.toStdString();
    QProcess probe;
    probe.start(program,
                QStringList{QStringLiteral("AppRunAtTime"), QStringLiteral("two  words"), QStringLiteral("\u00fc")});
    ASSERT_TRUE(probe.waitForFinished(30000)) << probe.errorString().toStdString();
    const QString out = QString::fromUtf8(probe.readAllStandardOutput()).trimmed();
    // "AppRunAtTime two  words ü": the blanks inside an argument stay as they are.
    EXPECT_EQ(out.toStdString(),
              "app=1 instance=1 show=5 units=0041 0070 0070 0052 0075 006e 0041 0074 0054 0069 006d 0065 0020 0074 "
              "0077 006f 0020 0020 0077 006f 0072 0064 0073 0020 00fc");
    EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(probe.exitCode(), 7) << "the quit code of the application's loop";
}

}  // namespace
