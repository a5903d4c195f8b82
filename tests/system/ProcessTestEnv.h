#pragma once
// Runs the real owebook binary: each test gets its own device folder, runtime
// folder and trace file, and the processes it started are ended with it.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <sys/stat.h>

class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* dir = std::getenv("OWEBOOK_TEST_BIN_DIR");
        if (!dir)
            GTEST_SKIP() << "OWEBOOK_TEST_BIN_DIR is not set (run through ctest)";
        m_binary = QString::fromLocal8Bit(dir) + QStringLiteral("/owebook");
        ASSERT_TRUE(QFile::exists(m_binary)) << m_binary.toStdString();
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkdir(QStringLiteral("run"));
        ::chmod(RuntimeDir().toLocal8Bit().constData(), 0700);
    }

    void TearDown() override
    {
        for (auto& process : m_processes)
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(5000);
            }
    }

    QString RuntimeDir() const { return m_dir.path() + QStringLiteral("/run"); }
    QString TracePath() const { return m_dir.path() + QStringLiteral("/trace"); }

    // The environment of a headless launch; `change` may adjust it.
    QProcessEnvironment Environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("OWEBOOK_HOME"), m_dir.path() + QStringLiteral("/home"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), RuntimeDir());
        env.insert(QStringLiteral("OWEBOOK_TRACE"), TracePath());
        // Nobody can tap the home screen offscreen: it is cancelled, so the
        // program goes on to its main window (All Items).
        env.insert(QStringLiteral("OWEBOOK_TEST_DISMISS_DIALOG"), QStringLiteral("159"));
        // Leaks are the unit tests' business; a killed instance must not report.
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        return env;
    }

    // As above, but where there is no display at all.
    QProcessEnvironment NoDisplayEnvironment() const
    {
        QProcessEnvironment env = Environment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        return env;
    }

    QProcess* Launch(const QStringList& args, const QProcessEnvironment& env)
    {
        m_processes.push_back(std::make_unique<QProcess>());
        QProcess* process = m_processes.back().get();
        process->setProcessEnvironment(env);
        process->start(m_binary, args);
        EXPECT_TRUE(process->waitForStarted(10000)) << process->errorString().toStdString();
        return process;
    }
    QProcess* Launch(const QStringList& args = {}) { return Launch(args, Environment()); }

    // The trace lines of process `pid` (all when 0), without the pid.
    std::vector<std::string> Trace(qint64 pid = 0) const
    {
        std::vector<std::string> lines;
        QFile file(TracePath());
        if (!file.open(QIODevice::ReadOnly))
            return lines;
        const QString prefix = QString::number(pid) + QLatin1Char(' ');
        for (const QByteArray& raw : file.readAll().split('\n')) {
            const QString line = QString::fromUtf8(raw);
            if (line.isEmpty())
                continue;
            if (pid == 0)
                lines.push_back(line.toStdString());
            else if (line.startsWith(prefix))
                lines.push_back(line.mid(prefix.size()).toStdString());
        }
        return lines;
    }

    bool Traced(qint64 pid, const std::string& start) const
    {
        for (const std::string& line : Trace(pid))
            if (line.rfind(start, 0) == 0)
                return true;
        return false;
    }

    static bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
    {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() > timeoutMs)
                return false;
            QThread::msleep(20);
        }
        return true;
    }

    // Started and showing its main window (so other launches can find it).
    QProcess* LaunchRunning(const QStringList& args = {})
    {
        QProcess* process = Launch(args);
        const qint64 pid = process->processId();
        EXPECT_TRUE(WaitUntil([&] { return Traced(pid, "main window shown"); }, 20000))
            << "instance " << pid << " never showed its window; stderr: "
            << process->readAllStandardError().toStdString();
        return process;
    }

    QString m_binary;
    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};
