#pragma once
// The real program on a virtual X server (Xvfb) of the test's own, driven
// with xdotool as a user would drive it.

#include "ProcessTestEnv.h"

#include <QMap>
#include <QPoint>
#include <QRect>
#include <QStandardPaths>

#include <unistd.h>

class XvfbTest : public ProcessTest {
protected:
    explicit XvfbTest(QString screen = QStringLiteral("640x800x24")) : m_screen(std::move(screen)) {}

    void SetUp() override
    {
        ProcessTest::SetUp();
        if (IsSkipped())
            return;
        for (const char* tool : {"Xvfb", "xdotool"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                GTEST_SKIP() << tool << " is not installed (scripts/install-deps installs it)";
        StartServer();
    }

    void TearDown() override
    {
        ProcessTest::TearDown();
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            if (!m_server.waitForFinished(5000))
                m_server.kill();
        }
    }

    void StartServer()
    {
        for (int i = 0; i < 100; ++i) {
            const int n = 100 + (getpid() + i) % 100;
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) ||
                QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            m_display = QStringLiteral(":%1").arg(n);
            m_server.start(QStringLiteral("Xvfb"), {m_display, QStringLiteral("-screen"), QStringLiteral("0"), m_screen,
                                                    QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            if (WaitUntil([&] { return QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)); }, 5000))
                return;
            m_server.kill();
            m_server.waitForFinished(2000);
        }
        FAIL() << "no Xvfb display could be started";
    }

    // The program on this display at the given scale.
    QProcessEnvironment DesktopEnvironment(int scale = 2) const
    {
        QProcessEnvironment env = Environment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("DISPLAY"), m_display);
        env.insert(QStringLiteral("OWEBOOK_SCALE"), QString::number(scale));
        return env;
    }

    QString Tool(const QString& program, const QStringList& args) const
    {
        QProcess tool;
        tool.setProcessEnvironment(DesktopEnvironment());
        tool.start(program, args);
        tool.waitForFinished(10000);
        return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    }

    // Where the main window is on the screen.
    QRect MainWindow() const
    {
        const QString id = Tool(QStringLiteral("xdotool"),
                                {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                 QStringLiteral("^Owebook$")})
                               .section(QLatin1Char('\n'), 0, 0);
        QMap<QString, int> geometry;  // X, Y, WIDTH, HEIGHT
        for (const QString& line :
             Tool(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id})
                 .split(QLatin1Char('\n')))
            geometry[line.section(QLatin1Char('='), 0, 0)] = line.section(QLatin1Char('='), 1).toInt();
        return QRect(geometry.value(QStringLiteral("X")), geometry.value(QStringLiteral("Y")),
                     geometry.value(QStringLiteral("WIDTH")), geometry.value(QStringLiteral("HEIGHT")));
    }

    void Click(const QPoint& at) const
    {
        Tool(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                                         QStringLiteral("click"), QStringLiteral("1")});
    }
    void Key(const QString& key) const { Tool(QStringLiteral("xdotool"), {QStringLiteral("key"), key}); }

    QString m_screen;
    QProcess m_server;
    QString m_display;
};
