// The real program at start puts the device's files into <device>/windows:
// the platform's alarm sound and the program's help file; where it cannot,
// it says so in one line and starts all the same.

#include "ProcessTestEnv.h"

#include "owebook/res/ResourceTables.h"
#include "platform/system/devicefiles/DeviceFiles.h"

namespace {

QByteArray Shipped(const std::string& name)
{
    RegisterHelpFile();
    for (const platform::DeviceFile& file : platform::DeviceFiles())
        if (file.name == name)
            return QByteArray(reinterpret_cast<const char*>(file.data), static_cast<qsizetype>(file.size));
    return {};
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST_F(ProcessTest, StartPutsTheSoundAndTheHelpFileIntoTheWindowsFolder)
{
    LaunchRunning();
    const QString windows = m_dir.path() + QStringLiteral("/home/windows");
    for (const char* name : {"alarm2.WAV", "Owebook.htm"}) {
        SCOPED_TRACE(name);
        const QByteArray expected = Shipped(name);
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_EQ(FileBytes(windows + QLatin1Char('/') + QString::fromLatin1(name)), expected);
        struct stat st {};
        ASSERT_EQ(::stat((windows + QLatin1Char('/') + QString::fromLatin1(name)).toLocal8Bit().constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0600u);
    }
    struct stat folder {};
    ASSERT_EQ(::stat(windows.toLocal8Bit().constData(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 07777, 0700u);
}

TEST_F(ProcessTest, StartGoesOnWhenTheFilesCannotBePutInPlace)
{
    // A plain file where the windows folder belongs.
    ASSERT_TRUE(QDir().mkpath(m_dir.path() + QStringLiteral("/home")));
    QFile blocker(m_dir.path() + QStringLiteral("/home/windows"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("in the way");
    blocker.close();

    QProcess* process = LaunchRunning();
    QString said;
    WaitUntil([&] {
        process->waitForReadyRead(50);
        said += QString::fromLocal8Bit(process->readAllStandardError());
        return said.contains(QLatin1Char('\n'));
    }, 5000);
    EXPECT_EQ(said.count(QStringLiteral("could not be put in place")), 1) << said.toStdString();
    EXPECT_EQ(process->state(), QProcess::Running);
}
