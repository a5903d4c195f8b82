// A reminder with the program closed: the document schedules the item's
// alarm a few seconds ahead and is closed; the real run-at-time service (the
// waiter process, or timer units of a user manager of the test's own) starts
// the real program at that time with "AppRunAtTime", which shows the
// reminder on its own; "Item Returned", pressed on the keyboard on a virtual
// X server, is found in the store afterwards.

#include "XvfbTest.h"

#include "owebook/data/OwebookDoc.h"
#include "owebook/reminders/ReminderTestEnv.h"
#include "owebook/res/ResourceTables.h"
#include "platform/core/Time.h"
#include "platform/store/Store.h"
#include "platform/system/runattime/RunAtTime.h"
#include "support/UserManager.h"

#include <QDateTime>

#include <csignal>
#include <cstdlib>
#include <map>
#include <optional>

namespace {

constexpr int LEAD_SECONDS = 5;

enum class Service { Waiter, Systemd };

class ReminderAtTimeTest : public XvfbTest, public ::testing::WithParamInterface<Service> {
protected:
    void SetUp() override
    {
        if (GetParam() == Service::Systemd && !UserManager::Possible())
            GTEST_SKIP() << "a user manager needs root, systemd and /run/systemd here";
        XvfbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        // This process plays the program that set the reminder: the same
        // device, and the display and trace its later start is to have.
        const QProcessEnvironment env = DesktopEnvironment(2);
        for (const char* name : {"OWEBOOK_HOME", "XDG_RUNTIME_DIR", "OWEBOOK_TRACE", "DISPLAY", "OWEBOOK_SCALE",
                                 "ASAN_OPTIONS", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "HOME", "XDG_CONFIG_HOME",
                                 "DBUS_SESSION_BUS_ADDRESS", "OWEBOOK_TEST_DISMISS_DIALOG"}) {
            const char* old = std::getenv(name);
            m_savedEnv[name] = old ? std::optional<std::string>(old) : std::nullopt;
            const QString value = env.value(QString::fromLatin1(name));
            if (env.contains(QString::fromLatin1(name)))
                setenv(name, value.toLocal8Bit().constData(), 1);
            else
                unsetenv(name);
        }
        RegisterResources();
        if (GetParam() == Service::Systemd) {
            // Its units go below this home; the manager's socket into the runtime folder.
            setenv("HOME", (m_dir.path() + QStringLiteral("/user")).toLocal8Bit().constData(), 1);
            unsetenv("XDG_CONFIG_HOME");
            unsetenv("DBUS_SESSION_BUS_ADDRESS");
            if (!m_manager.Start((m_dir.path() + QStringLiteral("/manager.log")).toStdString()))
                GTEST_SKIP() << "no user manager could be started here";
        }
    }

    void TearDown() override
    {
        for (qint64 pid : m_started)
            if (pid > 0)
                ::kill(static_cast<pid_t>(pid), SIGKILL);
        platform::Store::ReleaseDevice();
        m_manager.Stop();
        for (const auto& [name, value] : m_savedEnv) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
        XvfbTest::TearDown();
    }

    // Adds an item whose alarm is `lead` seconds ahead, as the program does,
    // and hands the request it made to the real service for the real binary.
    // The alarm time in seconds since 1970.
    std::int64_t AddItemDueSoon(const char16_t* name, CEOID& oid)
    {
        std::optional<SYSTEMTIME> requested;
        platform::SetRunAtTimeHandler([&](const std::u16string&, const SYSTEMTIME* time) {
            requested = time ? std::optional<SYSTEMTIME>(*time) : std::nullopt;
            return TRUE;
        });
        const std::int64_t due = QDateTime::currentMSecsSinceEpoch() / 1000 + 1 + LEAD_SECONDS;
        {
            COwebookDoc doc;
            EXPECT_TRUE(doc.OnNewDocument());
            CItemRecord item;
            item.SetDefaults();
            item.SetName(name);
            item.SetDueDate(static_cast<DWORD>(due + 3600));
            SYSTEMTIME alarm{};
            EXPECT_TRUE(platform::UtcSecondsToLocal(due, alarm));
            item.SetAlarmTime(alarm);
            EXPECT_TRUE(doc.AddItem(item, oid));
        }
        platform::SetRunAtTimeHandler({});
        platform::Store::ReleaseDevice();   // the program is closed
        EXPECT_TRUE(requested.has_value()) << "the document asked for the program's start";
        if (requested) {
            std::int64_t asked = 0;
            EXPECT_TRUE(platform::LocalToUtcSeconds(*requested, asked));
            EXPECT_EQ(asked, due);
            EXPECT_TRUE(CeRunAppAtTime(reinterpret_cast<LPCWSTR>(m_binary.utf16()), &*requested));
        }
        return due;
    }

    // The pid of the process that traced a line starting with `text`; 0 if none.
    qint64 TracedBy(const std::string& text) const
    {
        for (const std::string& line : Trace()) {
            const std::size_t space = line.find(' ');
            if (space != std::string::npos && line.compare(space + 1, text.size(), text) == 0)
                return std::stoll(line.substr(0, space));
        }
        return 0;
    }

    std::string TraceText() const
    {
        std::string text;
        for (const std::string& line : Trace())
            text += line + "\n";
        return text;
    }

    // Running, not a zombie nobody has reaped yet.
    static bool Alive(qint64 pid)
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (pid <= 0 || !stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray text = stat.readAll();
        const qsizetype close = text.lastIndexOf(')');
        return close >= 0 && close + 2 < text.size() && text.at(close + 2) != 'Z';
    }

    static std::optional<DWORD> AlarmValue()
    {
        const std::optional<DWORD> value = StoredAlarmValue();
        platform::Store::ReleaseDevice();
        return value;
    }

    // Waits for the reminder of `oid`; the milliseconds after `due` it took.
    qint64 WaitForReminder(CEOID oid, std::int64_t due, qint64& pid)
    {
        const std::string line = "reminder shown " + std::to_string(oid);
        qint64 seenAt = 0;
        WaitUntil([&] {
            pid = TracedBy(line);
            seenAt = QDateTime::currentMSecsSinceEpoch();
            return pid != 0;
        }, static_cast<int>((due + 20) * 1000 - QDateTime::currentMSecsSinceEpoch()));
        if (pid)
            m_started.push_back(pid);
        return pid ? seenAt - due * 1000 : -1;
    }

    QString ReminderWindow() const
    {
        return Tool(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                QStringLiteral("--name"), QStringLiteral("^Owebook Reminder$")})
            .section(QLatin1Char('\n'), 0, 0);
    }

    // Description, Snooze, (the hidden list), OK, Item Returned.
    void PressItemReturned(const QString& window) const
    {
        Tool(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
        Tool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("100"),
                                         QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab"),
                                         QStringLiteral("space")});
    }

    // The item as stored now; nothing when it cannot be read.
    static std::optional<CItemRecord> StoredItem(CEOID oid)
    {
        std::optional<CItemRecord> item;
        {
            COwebookDoc reader;
            CItemRecord read;
            if (reader.OnNewDocument() && reader.ReadItem(oid, read))
                item = read;
        }
        platform::Store::ReleaseDevice();
        return item;
    }

    std::map<std::string, std::optional<std::string>> m_savedEnv;
    std::vector<qint64> m_started;
    UserManager m_manager;
};

TEST_P(ReminderAtTimeTest, TheServiceStartsTheProgramWhichShowsTheReminderAndStoresItemReturned)
{
    CEOID oid = 0;
    const std::int64_t due = AddItemDueSoon(u"Dana", oid);
    ASSERT_NE(oid, 0u);
    EXPECT_EQ(AlarmValue(), std::optional<DWORD>(oid));
    const char* by = GetParam() == Service::Systemd ? " by systemd" : " by waiter";
    ASSERT_TRUE(WaitUntil([&] {
        for (const std::string& line : Trace())
            if (line.find("run-at-time: ") != std::string::npos && line.find(by) != std::string::npos)
                return true;
        return false;
    }, 5000)) << "the request went to the" << by;
    EXPECT_EQ(TracedBy("reminder shown"), 0) << "nothing before the time";

    qint64 pid = 0;
    const qint64 late = WaitForReminder(oid, due, pid);
    ASSERT_NE(pid, 0) << "no reminder came up; trace:\n" << TraceText();
    std::cout << "reminder shown " << late << " ms after its time\n";
    EXPECT_GE(late, 0) << "not before its time";
    EXPECT_LE(late, 2000) << "within two seconds of its time";
    EXPECT_EQ(TracedBy("main window shown"), 0) << "the reminder's launch opens no main window";

    QString window;
    ASSERT_TRUE(WaitUntil([&] { return !(window = ReminderWindow()).isEmpty(); }, 5000));
    PressItemReturned(window);
    ASSERT_TRUE(WaitUntil([&] { return !Alive(pid); }, 15000)) << "the launch ends after the reminder";

    const std::optional<CItemRecord> stored = StoredItem(oid);
    ASSERT_TRUE(stored.has_value());
    const CItemRecord& item = *stored;
    EXPECT_TRUE(item.GetReturned());
    DWORD returnedDate = 0;
    item.GetReturnedDate(returnedDate);
    EXPECT_NEAR(static_cast<double>(returnedDate), static_cast<double>(due), 30.0);
    SYSTEMTIME alarm{};
    item.GetAlarmTime(alarm);
    EXPECT_TRUE(CItemRecord::IsZeroSystemTime(alarm));
    EXPECT_EQ(AlarmValue(), std::optional<DWORD>(0));
}

// The program running: the service's launch hands the reminder over
// (0x4C9), and the running instance shows it over its main window.
TEST_P(ReminderAtTimeTest, ARunningProgramShowsTheReminderHandedOverByTheServicesLaunch)
{
    QProcess* running = Launch({}, DesktopEnvironment(2));
    ASSERT_TRUE(WaitUntil([&] { return Traced(running->processId(), "main window shown"); }, 20000))
        << running->readAllStandardError().toStdString();
    CEOID oid = 0;
    const std::int64_t due = AddItemDueSoon(u"Eve", oid);
    ASSERT_NE(oid, 0u);

    qint64 pid = 0;
    const qint64 late = WaitForReminder(oid, due, pid);
    ASSERT_EQ(pid, running->processId()) << "trace:\n" << TraceText();
    std::cout << "reminder shown by the running program " << late << " ms after its time\n";
    EXPECT_GE(late, 0);
    EXPECT_LE(late, 2000);
    EXPECT_TRUE(Traced(pid, "alarm message"));

    QString window;
    ASSERT_TRUE(WaitUntil([&] { return !(window = ReminderWindow()).isEmpty(); }, 5000)) << "the reminder is on the screen";
    PressItemReturned(window);
    ASSERT_TRUE(WaitUntil([&] { return ReminderWindow().isEmpty(); }, 5000)) << "the reminder closes";
    // The running program wrote the item while other processes opened and
    // closed the store (its automatic backup among them): they see it.
    std::optional<CItemRecord> stored;
    EXPECT_TRUE(WaitUntil([&] {
        stored = StoredItem(oid);
        return stored && stored->GetReturned();
    }, 5000)) << "Item Returned is stored";
    EXPECT_EQ(running->state(), QProcess::Running) << "and the program goes on running";
    running->kill();
    running->waitForFinished(5000);
    stored = StoredItem(oid);
    ASSERT_TRUE(stored.has_value());
    EXPECT_TRUE(stored->GetReturned()) << "and it outlives the program";
    SYSTEMTIME alarm{};
    stored->GetAlarmTime(alarm);
    EXPECT_TRUE(CItemRecord::IsZeroSystemTime(alarm));
}

INSTANTIATE_TEST_SUITE_P(Reminders, ReminderAtTimeTest, ::testing::Values(Service::Waiter, Service::Systemd),
                         [](const ::testing::TestParamInfo<Service>& info) {
                             return std::string(info.param == Service::Systemd ? "systemd" : "waiter");
                         });

}  // namespace
