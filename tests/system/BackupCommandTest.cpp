// The commands on the ledger's file, run as the user runs them: answered
// without a display or a window, 0 on success, 1 with one line on stderr.

#include "ProcessTestEnv.h"

namespace {

class BackupCommandTest : public ProcessTest {
protected:
    QString Home() const { return m_dir.path() + QStringLiteral("/home"); }
    QString StoreFile() const { return Home() + QStringLiteral("/objectstore.db"); }

    struct Result {
        int code;
        QString out;
        QString err;
    };

    Result Run(const QStringList& args)
    {
        QProcess* process = Launch(args, NoDisplayEnvironment());
        EXPECT_TRUE(process->waitForFinished(30000));
        EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
        return {process->exitCode(), QString::fromUtf8(process->readAllStandardOutput()),
                QString::fromUtf8(process->readAllStandardError())};
    }

    static QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(BackupCommandTest, BackupExportAndRestoreAroundARunningInstance)
{
    QProcess* instance = LaunchRunning();
    const QString backup = m_dir.path() + QStringLiteral("/ledger.owebook");

    Result made = Run({QStringLiteral("--backup"), backup});
    EXPECT_EQ(made.code, 0) << made.err.toStdString();
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(backup).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    Result exported = Run({QStringLiteral("--export-csv"), QStringLiteral("-")});
    EXPECT_EQ(exported.code, 0) << exported.err.toStdString();
    EXPECT_TRUE(exported.out.startsWith(QStringLiteral("Type,Category,Name,Amount,Description,Created,Due,")))
        << exported.out.toStdString();
    EXPECT_TRUE(exported.out.contains(QStringLiteral("UOMe,Loans,Lenny P.,10,"))) << exported.out.toStdString();

    // The daily backup was made once the window was up.
    EXPECT_TRUE(WaitUntil([&] { return Traced(instance->processId(), "automatic backup made"); }, 20000));
    EXPECT_EQ(QDir(Home() + QStringLiteral("/backups")).entryList(QDir::Files).size(), 1);

    const QByteArray store = Bytes(StoreFile());
    Result refused = Run({QStringLiteral("--restore"), backup});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err.count(QLatin1Char('\n')), 1) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("running"))) << refused.err.toStdString();
    EXPECT_EQ(Bytes(StoreFile()), store);

    instance->kill();
    instance->waitForFinished(10000);
    Result restored = Run({QStringLiteral("--restore"), backup});
    EXPECT_EQ(restored.code, 0) << restored.err.toStdString();
    EXPECT_TRUE(restored.out.contains(QStringLiteral(".bak"))) << restored.out.toStdString();
    EXPECT_EQ(QDir(Home()).entryList({QStringLiteral("objectstore.db.*.bak")}, QDir::Files).size(), 1);

    // The next start on the same day makes no second backup.
    QProcess* again = LaunchRunning();
    EXPECT_TRUE(WaitUntil([&] { return Traced(again->processId(), "automatic backup not due"); }, 20000));
    EXPECT_EQ(QDir(Home() + QStringLiteral("/backups")).entryList(QDir::Files).size(), 1);
}

struct FailCase {
    const char* name;
    QStringList args;
    const char* says;
};

void PrintTo(const FailCase& c, std::ostream* os) { *os << c.name; }

class CommandFailureTest : public BackupCommandTest, public ::testing::WithParamInterface<FailCase> {};

TEST_P(CommandFailureTest, OneLineOnStderrExitOneNothingStarted)
{
    QStringList args;
    for (QString arg : GetParam().args)
        args << arg.replace(QStringLiteral("DIR"), m_dir.path());
    Result result = Run(args);
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err.count(QLatin1Char('\n')), 1) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QString::fromUtf8(GetParam().says))) << result.err.toStdString();
    EXPECT_TRUE(Trace().empty()) << "nothing started";
    EXPECT_FALSE(QDir(Home()).exists()) << "no device was made";
}

INSTANTIATE_TEST_SUITE_P(
    Process, CommandFailureTest,
    ::testing::Values(
        FailCase{"backup_without_file", {QStringLiteral("--backup")}, "needs a file name"},
        FailCase{"backup_without_ledger", {QStringLiteral("--backup"), QStringLiteral("DIR/b.db")}, "no store"},
        FailCase{"export_without_ledger", {QStringLiteral("--export-csv"), QStringLiteral("-")}, "no ledger"},
        FailCase{"restore_missing_file", {QStringLiteral("--restore"), QStringLiteral("DIR/none.db")},
                 "No such file"},
        FailCase{"restore_text_file", {QStringLiteral("--restore"), QStringLiteral("/etc/passwd")},
                 "not an Owebook store"}),
    [](const ::testing::TestParamInfo<FailCase>& info) { return std::string(info.param.name); });

}  // namespace
