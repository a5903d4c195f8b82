// The real program read over the desktop's accessibility bus (AT-SPI) as a
// screen reader reads it: on Xvfb, with a session bus and the AT-SPI bus
// launcher of the test's own, through pyatspi (atspi_reader.py beside this
// file). The main window with the item list's header items, rows and cells,
// a pop-up menu of the command bar opened by a real click at the place the
// bus gives for its button, the category combo box's name and entries, focus
// announcements, and positions in screen pixels at 2x and 3x.
// What was read is printed, one object a line.

#include "XvfbTest.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>
#include <iostream>

#include <csignal>
#include <sys/types.h>

namespace {

QString ReaderScript()
{
    const QString file = QString::fromUtf8(__FILE__);
    const QFileInfo source = QFileInfo(file).isAbsolute() ? QFileInfo(file)
                                                           : QFileInfo(QStringLiteral(OWEBOOK_BUILD_DIR "/") + file);
    return source.dir().filePath(QStringLiteral("atspi_reader.py"));
}

QString FirstExecutable(const QStringList& candidates)
{
    for (const QString& candidate : candidates) {
        const QString found = candidate.startsWith(QLatin1Char('/'))
                                  ? (QFileInfo(candidate).isExecutable() ? candidate : QString())
                                  : QStandardPaths::findExecutable(candidate);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

// One object read from the bus.
struct Node {
    QJsonObject json;

    QString Role() const { return json.value(QStringLiteral("role")).toString(); }
    QString Name() const { return json.value(QStringLiteral("name")).toString(); }
    QString Description() const { return json.value(QStringLiteral("description")).toString(); }
    bool Has(const char* state) const
    {
        return json.value(QStringLiteral("states")).toArray().contains(QString::fromLatin1(state));
    }
    QRect Extents() const
    {
        const QJsonArray e = json.value(QStringLiteral("extents")).toArray();
        return e.size() == 4 ? QRect(e[0].toInt(), e[1].toInt(), e[2].toInt(), e[3].toInt()) : QRect();
    }
    // A table's column names and its rows' texts, as its Table interface gives them.
    QStringList ColumnNames() const { return Strings("columnNames"); }
    QStringList RowTexts() const { return Strings("rowTexts"); }
    QStringList Strings(const char* key) const
    {
        QStringList strings;
        for (const QJsonValue& value : json.value(QString::fromLatin1(key)).toArray())
            strings << value.toString();
        return strings;
    }

    std::vector<Node> Children() const
    {
        std::vector<Node> children;
        for (const QJsonValue& child : json.value(QStringLiteral("children")).toArray())
            children.push_back({child.toObject()});
        return children;
    }
    bool Valid() const { return !json.isEmpty(); }

    // The first object below this one (depth first) that `match` accepts.
    Node Find(const std::function<bool(const Node&)>& match) const
    {
        for (const Node& child : Children()) {
            if (match(child))
                return child;
            if (Node found = child.Find(match); found.Valid())
                return found;
        }
        return {};
    }
    Node Find(const QString& role, const QString& name) const
    {
        return Find([&](const Node& n) { return n.Role() == role && n.Name() == name; });
    }
    Node FindRole(const QString& role) const
    {
        return Find([&](const Node& n) { return n.Role() == role; });
    }

    std::string Line() const
    {
        const QRect e = Extents();
        QStringList states;
        for (const char* s : {"showing", "focused", "enabled", "checked", "selected", "expanded"})
            if (Has(s))
                states << QString::fromLatin1(s);
        QString line = QStringLiteral("%1 '%2'").arg(Role(), Name());
        if (!Description().isEmpty())
            line += QStringLiteral(" (%1)").arg(Description());
        if (json.contains(QStringLiteral("extents")))
            line += QStringLiteral(" [%1,%2 %3x%4]").arg(e.x()).arg(e.y()).arg(e.width()).arg(e.height());
        if (json.contains(QStringLiteral("columnNames")))
            line += QStringLiteral(" columns {%1} rows {%2}")
                        .arg(ColumnNames().join(QStringLiteral(" | ")), RowTexts().join(QStringLiteral(" | ")));
        return (line + QLatin1Char(' ') + states.join(QLatin1Char(','))).toStdString();
    }

    void Print(int depth = 0) const
    {
        std::cout << std::string(static_cast<std::size_t>(depth) * 2, ' ') << Line() << "\n";
        for (const Node& child : Children())
            child.Print(depth + 1);
    }
};

class AccessibilityBusTest : public XvfbTest {
protected:
    AccessibilityBusTest() : XvfbTest(QStringLiteral("800x1000x24")) {}

    void SetUp() override
    {
        XvfbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_python = FindPython();
        if (m_python.isEmpty())
            GTEST_SKIP() << "no python3 with pyatspi (scripts/install-deps installs python3-pyatspi)";
        const QString daemon = FirstExecutable({QStringLiteral("dbus-daemon")});
        const QString launcher = FirstExecutable({QStringLiteral("/usr/libexec/at-spi-bus-launcher"),
                                                  QStringLiteral("/usr/lib/at-spi2-core/at-spi-bus-launcher"),
                                                  QStringLiteral("at-spi-bus-launcher")});
        if (daemon.isEmpty() || launcher.isEmpty())
            GTEST_SKIP() << "dbus-daemon or at-spi-bus-launcher is missing (scripts/install-deps installs them)";

        m_sessionBus.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                    QStringLiteral("--print-address=1")});
        if (!m_sessionBus.waitForReadyRead(10000))
            GTEST_SKIP() << "the session bus cannot start: " << m_sessionBus.readAllStandardError().toStdString();
        m_busAddress = QString::fromUtf8(m_sessionBus.readLine()).trimmed();

        m_launcher.setProcessEnvironment(BusEnvironment());
        m_launcher.start(launcher, {QStringLiteral("--launch-immediately")});
        QString error;
        const bool enabled = WaitUntil([&] { return Reader({QStringLiteral("enable")}, &error).contains("address"); },
                                       10000);
        if (!enabled)
            GTEST_SKIP() << "the accessibility bus cannot start: " << error.toStdString();
    }

    void TearDown() override
    {
        XvfbTest::TearDown();   // the program first, then its buses
        // The launcher's accessibility bus and the registry it started end
        // with it, but are no children of ours: wait for them by their ids.
        const std::vector<pid_t> started = Descendants(m_launcher.processId());
        for (QProcess* process : {&m_launcher, &m_sessionBus})
            if (process->state() != QProcess::NotRunning) {
                process->terminate();
                if (!process->waitForFinished(5000)) {
                    process->kill();
                    process->waitForFinished(2000);
                }
            }
        for (pid_t pid : started)
            if (!WaitUntil([pid] { return !Running(pid); }, 5000))
                ::kill(pid, SIGKILL);
    }

    static std::vector<pid_t> Descendants(qint64 pid)
    {
        std::vector<pid_t> found;
        if (pid <= 0)
            return found;
        QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
        for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile children(tasks.filePath(task + QStringLiteral("/children")));
            if (!children.open(QIODevice::ReadOnly))
                continue;
            for (const QByteArray& child : children.readAll().split(' '))
                if (const pid_t id = child.trimmed().toInt(); id > 0) {
                    found.push_back(id);
                    const std::vector<pid_t> below = Descendants(id);
                    found.insert(found.end(), below.begin(), below.end());
                }
        }
        return found;
    }

    // Alive and not yet a zombie.
    static bool Running(pid_t pid)
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray fields = stat.readAll();
        const qsizetype end = fields.lastIndexOf(')');
        return end >= 0 && end + 2 < fields.size() && fields.at(end + 2) != 'Z' && fields.at(end + 2) != 'X';
    }

    static QString FindPython()
    {
        for (const QString& python : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
            const QString path = FirstExecutable({python});
            if (path.isEmpty())
                continue;
            QProcess check;
            check.start(path, {ReaderScript(), QStringLiteral("check")});
            if (check.waitForFinished(20000) && check.exitCode() == 0)
                return path;
        }
        return QString();
    }

    QProcessEnvironment BusEnvironment(int scale = 2) const
    {
        QProcessEnvironment env = DesktopEnvironment(scale);
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_busAddress);
        env.remove(QStringLiteral("AT_SPI_BUS_ADDRESS"));
        return env;
    }

    QByteArray Reader(const QStringList& args, QString* error = nullptr) const
    {
        QProcess reader;
        reader.setProcessEnvironment(BusEnvironment());
        reader.start(m_python, QStringList{ReaderScript()} + args);
        if (!reader.waitForFinished(30000)) {
            reader.kill();
            reader.waitForFinished(2000);
        }
        if (error)
            *error = QString::fromUtf8(reader.readAllStandardError());
        return reader.readAllStandardOutput();
    }

    // The program's objects as the bus has them now.
    Node Tree() const
    {
        QString error;
        const QByteArray out = Reader({QStringLiteral("tree"), QStringLiteral("owebook")}, &error);
        const QJsonObject root = QJsonDocument::fromJson(out).object();
        if (root.contains(QStringLiteral("error")) || root.isEmpty())
            ADD_FAILURE() << "reading the bus: " << out.toStdString() << error.toStdString();
        return {root};
    }

    Node TreeOnceItHas(const std::function<bool(const Node&)>& done, const char* what) const
    {
        Node tree;
        const bool ok = WaitUntil([&] { return done(tree = Tree()); }, 10000);
        EXPECT_TRUE(ok) << what;
        return tree;
    }

    QProcess* Start(int scale)
    {
        QProcess* owebook = Launch({}, BusEnvironment(scale));
        EXPECT_TRUE(WaitUntil([&] { return Traced(owebook->processId(), "main window shown"); }, 20000))
            << owebook->readAllStandardError().toStdString();
        return owebook;
    }

    QString m_python;
    QString m_busAddress;
    QProcess m_sessionBus;
    QProcess m_launcher;
};

TEST_F(AccessibilityBusTest, ScreenReaderReadsTheMainWindowItsPopupMenusAndComboEntriesInScreenPixels)
{
    Start(2);
    QRect window;
    ASSERT_TRUE(WaitUntil([&] { return (window = MainWindow()).width() > 1; }, 5000));

    // --- the main window ---
    const auto shown = [](const Node& t) { return t.Find(QStringLiteral("frame"), QStringLiteral("Owebook")).Valid(); };
    const Node tree = TreeOnceItHas(shown, "the main window on the bus");
    std::cout << "== main window at 2x (the X server has it at " << window.x() << "," << window.y() << " "
              << window.width() << "x" << window.height() << ")\n";
    tree.Print();
    const Node frame = tree.Find(QStringLiteral("frame"), QStringLiteral("Owebook"));
    ASSERT_TRUE(frame.Valid());
    EXPECT_EQ(frame.Extents(), window) << "the bus and the X server agree on where the window is";
    const Node title = frame.Find(QStringLiteral("label"), QStringLiteral("Owebook"));
    ASSERT_TRUE(title.Valid()) << "the caption strip's title is named by its text";
    EXPECT_TRUE(QRect(window.topLeft(), QSize(window.width(), 52)).contains(title.Extents()));
    EXPECT_TRUE(frame.Find(QStringLiteral("label"), QStringLiteral("All Items")).Valid()) << "a static is a label";
    EXPECT_TRUE(frame.Find(QStringLiteral("label"), QStringLiteral("Total: Choose a category(top-right)")).Valid());
    const Node rule = frame.FindRole(QStringLiteral("image"));
    EXPECT_EQ(rule.Description(), QStringLiteral("Picture, 240 by 1 pixels"));
    // The item list of All Items: its header names the columns, its one row
    // (the example item of a first start) reads cell by cell.
    const Node items = frame.FindRole(QStringLiteral("table"));
    ASSERT_TRUE(items.Valid());
    const QStringList columns = {QStringLiteral("Type"), QStringLiteral("Category"), QStringLiteral("Name"),
                                 QStringLiteral("Amount")};
    const QStringList cells = {QStringLiteral("UOMe"), QStringLiteral("Loans"), QStringLiteral("Lenny P."),
                               QStringLiteral("10")};
    EXPECT_EQ(items.ColumnNames(), columns);
    EXPECT_EQ(items.RowTexts(), QStringList{cells.join(QStringLiteral(", "))});
    QStringList headerItems;
    QStringList cellTexts;
    for (const Node& part : items.Children()) {
        if (part.Role() == QStringLiteral("table column header"))
            headerItems << part.Name();
        else if (part.Role() == QStringLiteral("table cell"))
            cellTexts << part.Name();
        EXPECT_TRUE(items.Extents().contains(part.Extents())) << part.Line();
    }
    EXPECT_EQ(headerItems, columns);
    EXPECT_EQ(cellTexts, cells);
    // The category selector is named by the entry in force.
    EXPECT_TRUE(frame.Find(QStringLiteral("combo box"), QStringLiteral("All Categories")).Valid());

    const Node bar = frame.FindRole(QStringLiteral("tool bar"));
    ASSERT_TRUE(bar.Valid());
    EXPECT_EQ(bar.Extents(), QRect(window.left(), window.bottom() - 51, window.width(), 52));
    QStringList buttons;
    for (const Node& button : bar.Children())
        buttons << button.Name();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("Input Panel"), QStringLiteral("View"), QStringLiteral("Tools"),
                                    QStringLiteral("Help"), QStringLiteral("New")}));
    const Node tools = bar.Find(QStringLiteral("push button"), QStringLiteral("Tools"));
    ASSERT_TRUE(bar.Extents().contains(tools.Extents()));

    // --- a pop-up menu, opened by a click where the bus says "Tools" is ---
    Click(tools.Extents().center());
    const auto menuOpen = [](const Node& t) {
        return t.Find(QStringLiteral("popup menu"), QStringLiteral("Tools")).Valid();
    };
    const Node withMenu = TreeOnceItHas(menuOpen, "the Tools pop-up on the bus while open");
    const Node menu = withMenu.Find(QStringLiteral("popup menu"), QStringLiteral("Tools"));
    std::cout << "== the Tools pop-up, opened by a click at " << tools.Extents().center().x() << ","
              << tools.Extents().center().y() << "\n";
    menu.Print();
    ASSERT_TRUE(menu.Valid());
    const std::vector<Node> entries = menu.Children();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Role(), QStringLiteral("menu item"));
    EXPECT_EQ(entries[0].Name(), QStringLiteral("Edit Categories..."));
    EXPECT_TRUE(entries[0].Has("enabled")) << "the main view carries it out";
    EXPECT_EQ(entries[1].Role(), QStringLiteral("separator"));
    EXPECT_EQ(entries[2].Name(), QStringLiteral("Exit")) << "E&xit without its '&'";
    EXPECT_TRUE(entries[2].Has("enabled"));
    for (const Node& entry : entries) {
        EXPECT_FALSE(entry.Has("checked")) << entry.Line();
        EXPECT_TRUE(menu.Extents().contains(entry.Extents())) << entry.Line();
    }
    EXPECT_TRUE(window.contains(menu.Extents()));
    EXPECT_LT(menu.Extents().bottom(), tools.Extents().top()) << "opens above its button";
    Key(QStringLiteral("Escape"));
    TreeOnceItHas([&](const Node& t) { return !menuOpen(t); }, "the closed pop-up leaves the bus");

    // --- the category combo box and its entries, dropped by a click ---
    const Node combo = frame.FindRole(QStringLiteral("combo box"));
    ASSERT_TRUE(combo.Valid());
    Click(combo.Extents().center());
    const auto dropped = [](const Node& t) { return t.FindRole(QStringLiteral("combo box")).Has("expanded"); };
    const Node withList = TreeOnceItHas(dropped, "the combo box drops down");
    const Node list = withList.FindRole(QStringLiteral("combo box")).FindRole(QStringLiteral("list"));
    std::cout << "== the category combo box, dropped by a click\n";
    withList.FindRole(QStringLiteral("combo box")).Print();
    ASSERT_TRUE(list.Has("showing"));
    // The selector's entries: the pseudo entries, the categories by name, the editor.
    const std::vector<Node> selectorEntries = list.Children();
    QStringList names;
    for (const Node& item : selectorEntries)
        names << item.Name();
    EXPECT_EQ(names, (QStringList{QStringLiteral("All Categories"), QStringLiteral("All Money"),
                                  QStringLiteral("No Category"), QStringLiteral("Books"), QStringLiteral("CDs"),
                                  QStringLiteral("Loans"), QStringLiteral("Misc"), QStringLiteral("Payments"),
                                  QStringLiteral("Edit Categories...")}));
    QRect previous;
    for (const Node& item : selectorEntries) {
        EXPECT_EQ(item.Role(), QStringLiteral("list item"));
        EXPECT_TRUE(item.Has("showing")) << item.Line();
        EXPECT_TRUE(list.Extents().contains(item.Extents())) << item.Line();
        if (previous.isValid()) {
            EXPECT_EQ(item.Extents().top(), previous.bottom() + 1) << item.Line();
        }
        previous = item.Extents();
    }
    Key(QStringLiteral("Escape"));
    TreeOnceItHas([&](const Node& t) { return !dropped(t); }, "the combo box closes");

    // --- focus moving with Tab is announced: from the combo box the click
    // left it on, to the item list, to the form's default button ---
    QProcess events;
    events.setProcessEnvironment(BusEnvironment());
    events.start(m_python, {ReaderScript(), QStringLiteral("events"), QStringLiteral("owebook"), QStringLiteral("4")});
    ASSERT_TRUE(events.waitForReadyRead(15000));
    ASSERT_TRUE(events.readLine().contains("ready"));
    Key(QStringLiteral("Tab"));
    QThread::msleep(500);
    Key(QStringLiteral("Tab"));
    ASSERT_TRUE(events.waitForFinished(20000));
    QStringList focused;   // role 'name' of each control that took the focus
    std::cout << "== focus events while Tab moves the focus\n";
    for (const QByteArray& line : events.readAllStandardOutput().split('\n')) {
        const QJsonObject e = QJsonDocument::fromJson(line).object();
        if (e.isEmpty())
            continue;
        std::cout << line.toStdString() << "\n";
        if (e.value(QStringLiteral("type")).toString().startsWith(QStringLiteral("object:state-changed:focused")) &&
            e.value(QStringLiteral("detail1")).toInt() == 1)
            focused << QStringLiteral("%1 '%2'").arg(e.value(QStringLiteral("role")).toString(),
                                                     e.value(QStringLiteral("name")).toString());
    }
    // The list announces itself and, now that it has a row, its focused cell too.
    const QStringList cellsFocused = focused.filter(QStringLiteral("table cell "));
    for (const QString& cell : cellsFocused)
        EXPECT_EQ(cell, QStringLiteral("table cell 'UOMe'"));
    focused.removeIf([](const QString& f) { return f.startsWith(QStringLiteral("table cell ")); });
    EXPECT_EQ(focused, (QStringList{QStringLiteral("table ''"), QStringLiteral("push button 'Button1'")}));

    // --- the same window at 3x: every position scales with it ---
    for (auto& process : m_processes) {
        process->kill();
        process->waitForFinished(5000);
    }
    Start(3);
    QRect window3;
    ASSERT_TRUE(WaitUntil([&] { return (window3 = MainWindow()).width() > 1; }, 5000));
    EXPECT_EQ(window3.size(), QSize(720, 960));
    const Node tree3 = TreeOnceItHas([](const Node& t) { return t.FindRole(QStringLiteral("tool bar")).Valid(); },
                                     "the main window at 3x on the bus");
    const Node frame3 = tree3.Find(QStringLiteral("frame"), QStringLiteral("Owebook"));
    EXPECT_EQ(frame3.Extents(), window3);
    const QRect tools3 = tree3.Find(QStringLiteral("push button"), QStringLiteral("Tools")).Extents();
    const QRect at2 = tools.Extents().translated(-window.topLeft());
    std::cout << "== at 3x: window " << window3.width() << "x" << window3.height() << ", Tools ["
              << tools3.x() << "," << tools3.y() << " " << tools3.width() << "x" << tools3.height() << "]\n";
    EXPECT_EQ(tools3.translated(-window3.topLeft()),
              QRect(at2.x() * 3 / 2, at2.y() * 3 / 2, at2.width() * 3 / 2, at2.height() * 3 / 2));
}

}  // namespace
