// The real program on a real X server (Xvfb): the main window with its
// command bar, each pop-up opened by a click, and Exit from the Tools menu.
// Screenshots go to <build>/screenshots/desktop-*.png.

#include "XvfbTest.h"

#include <QColor>
#include <QImage>

namespace {

class DesktopTest : public XvfbTest {
protected:
    void SetUp() override
    {
        XvfbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        if (QStandardPaths::findExecutable(QStringLiteral("import")).isEmpty())
            GTEST_SKIP() << "import is not installed (scripts/install-deps installs it)";
        m_shots = QString::fromLocal8Bit(std::getenv("OWEBOOK_TEST_BIN_DIR")) + QStringLiteral("/screenshots");
        QDir().mkpath(m_shots);
    }

    QImage Shot(const QString& name) const
    {
        const QString path = m_shots + QStringLiteral("/desktop-") + name + QStringLiteral(".png");
        QFile::remove(path);
        Tool(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), path});
        return QImage(path).convertToFormat(QImage::Format_RGB32);
    }

    static bool Dark(QRgb pixel) { return qGray(pixel) < 110; }

    // The text runs along the bar's middle row, left to right: the buttons' labels.
    static std::vector<QPoint> BarButtons(const QImage& image, const QRect& bar)
    {
        std::vector<QPoint> centres;
        int start = -1, lastDark = -100;
        for (int x = bar.left(); x <= bar.right() + 1; ++x) {
            bool dark = false;
            for (int y = bar.top() + 4; x <= bar.right() && y < bar.bottom() - 4 && !dark; ++y)
                dark = Dark(image.pixel(x, y));
            if (dark) {
                if (x - lastDark > 12) {
                    if (start >= 0)
                        centres.emplace_back((start + lastDark) / 2, bar.center().y());
                    start = x;
                }
                lastDark = x;
            }
        }
        if (start >= 0)
            centres.emplace_back((start + lastDark) / 2, bar.center().y());
        return centres;
    }

    // The box of pixels inside `area` that differ between two screenshots.
    static QRect Changed(const QImage& a, const QImage& b, const QRect& area)
    {
        QRect box;
        const QRect within = area & a.rect() & b.rect();
        for (int y = within.top(); y <= within.bottom(); ++y)
            for (int x = within.left(); x <= within.right(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y))
                    box |= QRect(x, y, 1, 1);
        return box;
    }

    static int DistinctColours(const QImage& image, const QRect& area)
    {
        std::vector<QRgb> seen;
        for (int y = area.top(); y <= area.bottom(); y += 2)
            for (int x = area.left(); x <= area.right(); x += 2)
                if (std::find(seen.begin(), seen.end(), image.pixel(x, y)) == seen.end() && seen.size() < 1000)
                    seen.push_back(image.pixel(x, y));
        return static_cast<int>(seen.size());
    }

    // Clicks a bar button and waits for its pop-up; the pop-up's box.
    QRect OpenPopup(const QImage& base, const QPoint& button, const QString& name)
    {
        Click(button);
        QImage shot;
        QRect box;
        WaitUntil(
            [&] {
                shot = Shot(name);
                box = Changed(base, shot, m_above);
                return box.height() > 30;
            },
            5000);
        EXPECT_GT(box.height(), 30) << name.toStdString() << " never opened";
        if (!box.isEmpty()) {
            EXPECT_GT(DistinctColours(shot, box), 3) << name.toStdString() << " shows no text";
        }
        return box;
    }

    void ClosePopup(const QImage& base)
    {
        Key(QStringLiteral("Escape"));
        EXPECT_TRUE(WaitUntil([&] { return Changed(base, Shot(QStringLiteral("closing")), m_above).isEmpty(); }, 5000));
    }

    QRect m_above;   // the screen above the command bar, where pop-ups open
    QString m_shots;
};

TEST_F(DesktopTest, MainWindowShowsTheCommandBarWhosePopupsOpenAndExitEndsWithZero)
{
    QProcess* owebook = Launch({}, DesktopEnvironment());
    ASSERT_TRUE(WaitUntil([&] { return Traced(owebook->processId(), "main window shown"); }, 20000))
        << owebook->readAllStandardError().toStdString();

    QRect window;
    ASSERT_TRUE(WaitUntil([&] { return (window = MainWindow()).width() > 1; }, 5000));
    EXPECT_EQ(window.size(), QSize(480, 640)) << "240 x 320 at scale 2";
    QImage base;
    ASSERT_TRUE(WaitUntil([&] { return DistinctColours(base = Shot(QStringLiteral("main")), window) > 3; }, 5000));

    // The caption strip is dark with light text; the form below is light.
    EXPECT_LT(qGray(base.pixel(window.left() + 2, window.top() + 2)), 100);
    EXPECT_GT(qGray(base.pixel(window.center())), 200);

    const QRect bar(window.left(), window.bottom() - 51, window.width(), 52);
    m_above = QRect(0, 0, base.width(), bar.top());
    const std::vector<QPoint> buttons = BarButtons(base, bar);
    ASSERT_EQ(buttons.size(), 5u) << "View, Tools, Help, New, the input panel's keyboard";

    QRect popups[3];
    const char* names[3] = {"view", "tools", "help"};
    for (int i = 0; i < 3; ++i) {
        popups[i] = OpenPopup(base, buttons[i], QString::fromLatin1(names[i]));
        ClosePopup(base);
    }
    const QRect &view = popups[0], &tools = popups[1], &help = popups[2];
    for (const QRect& popup : popups) {
        EXPECT_TRUE(window.contains(popup)) << "pop-ups stay on the handheld's screen";
        EXPECT_GT(popup.top(), window.top() + 52) << "below the caption strip";
        EXPECT_EQ(popup.bottom(), bar.top() - 1) << "pop-ups open right above the bar";
    }
    EXPECT_GT(view.height(), tools.height() + 40) << "View has six rows, Tools three";
    EXPECT_NEAR(tools.height(), help.height(), 8);

    OpenPopup(base, buttons[1], QStringLiteral("tools-exit"));
    Key(QStringLiteral("x"));   // E&xit
    ASSERT_TRUE(owebook->waitForFinished(15000));
    EXPECT_EQ(owebook->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(owebook->exitCode(), 0) << owebook->readAllStandardError().toStdString();
}

}  // namespace
