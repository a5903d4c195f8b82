// The systemd service's part, seen through a recorder of the systemctl
// commands with a stand-in for the manager's socket: the unit files (their
// quoting, mode and contents) and the commands of each request, removal and
// start. RunAtTimeSystemdTest.cpp runs them under a real manager.

#include "RunAtTimeSupport.h"

#include "platform/core/LastError.h"
#include "platform/system/runattime/Command.h"
#include "platform/system/runattime/SystemdService.h"
#include "platform/system/runattime/SystemdUnits.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

namespace {

using namespace runattimetest;
using Commands = std::vector<std::vector<std::string>>;

std::string ReadAll(const std::string& path)
{
    std::ifstream file(path);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

class RunAtTimeSystemdUnits : public RunAtTimeTest {
protected:
    void SetUp() override
    {
        m_runtime = std::getenv("XDG_RUNTIME_DIR");
        mkdir((m_runtime + "/systemd").c_str(), 0700);
        m_socket = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        const std::string path = m_runtime + "/systemd/private";
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
        unlink(path.c_str());
        ASSERT_EQ(bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        setenv("HOME", (m_device.Root() + "/home").c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        ASSERT_TRUE(platform::SystemdService::Available());
        platform::SetCommandHandlerForTesting([this](const std::vector<std::string>& argv) {
            m_commands.push_back(argv);
            return m_answer;
        });
    }

    void TearDown() override
    {
        m_answer = true;
        RunAtTimeTest::TearDown();
        platform::SetCommandHandlerForTesting({});
        close(m_socket);
        unlink((m_runtime + "/systemd/private").c_str());
    }

    static std::vector<std::string> Systemctl(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"systemctl", "--user", "--quiet"});
        return args;
    }

    platform::SystemdUnitNames Names() const
    {
        const auto pending = Pending();
        return platform::UnitNamesFor(platform::RequestKey(m_probe), pending ? pending->id : 0);
    }
    std::string UnitFile(const std::string& name) const { return m_device.Root() + "/home/.config/systemd/user/" + name; }

    std::string m_runtime;
    int m_socket = -1;
    Commands m_commands;
    bool m_answer = true;
};

TEST_F(RunAtTimeSystemdUnits, ARequestWritesPrivateUnitsAndStartsItsTimer)
{
    setenv("DISPLAY", ":5", 1);
    unsetenv("WAYLAND_DISPLAY");
    const std::int64_t due = SecondsFromNow(600);
    ASSERT_TRUE(RequestAt(due));
    const platform::SystemdUnitNames names = Names();
    EXPECT_EQ(m_commands, (Commands{Systemctl({"daemon-reload"}), Systemctl({"enable", names.timer}),
                                   Systemctl({"restart", names.timer})}));
    EXPECT_EQ(Pending()->service, platform::RunAtTimeService::Systemd);

    for (const std::string& name : {names.timer, names.templ}) {
        struct stat st {};
        ASSERT_EQ(stat(UnitFile(name).c_str(), &st), 0) << name;
        EXPECT_EQ(st.st_mode & 0777, 0600u) << name;
    }
    const std::string timer = ReadAll(UnitFile(names.timer));
    EXPECT_EQ(timer, platform::TimerUnitText(names, due));
    for (const std::string& line : {"OnCalendar=" + platform::CalendarTextUtc(due), std::string("Persistent=true"),
                                   std::string("AccuracySec=1s"), "Unit=" + names.instance,
                                   std::string("WantedBy=timers.target")})
        EXPECT_NE(timer.find(line + "\n"), std::string::npos) << line;
    const std::string service = ReadAll(UnitFile(names.templ));
    EXPECT_NE(service.find("ExecStart=\"" + m_probe + "\" AppRunAtTime\n"), std::string::npos) << service;
    EXPECT_NE(service.find("Environment=\"DISPLAY=:5\"\n"), std::string::npos) << service;
    EXPECT_NE(service.find("UnsetEnvironment=WAYLAND_DISPLAY\n"), std::string::npos) << service;
    unsetenv("DISPLAY");
}

TEST_F(RunAtTimeSystemdUnits, ATimeThatHasPassedStartsTheServiceAtOnceWithoutATimer)
{
    ASSERT_TRUE(RequestAt(SecondsFromNow(600)));
    const std::string oldTimer = Names().timer;
    m_commands.clear();
    ASSERT_TRUE(RequestAt(NowMs() / 1000 - 60));
    const platform::SystemdUnitNames names = Names();
    EXPECT_EQ(m_commands, (Commands{Systemctl({"disable", "--now", oldTimer}), Systemctl({"daemon-reload"}),
                                   Systemctl({"daemon-reload"}), Systemctl({"start", "--no-block", names.instance})}));
    struct stat st {};
    EXPECT_NE(stat(UnitFile(names.timer).c_str(), &st), 0);
}

TEST_F(RunAtTimeSystemdUnits, ANewRequestNamesANewServiceInstance)
{
    ASSERT_TRUE(RequestAt(SecondsFromNow(600)));
    const platform::SystemdUnitNames first = Names();
    const std::int64_t later = SecondsFromNow(900);
    ASSERT_TRUE(RequestAt(later));
    const platform::SystemdUnitNames second = Names();
    EXPECT_EQ(first.timer, second.timer);
    EXPECT_NE(first.instance, second.instance);
    EXPECT_EQ(ReadAll(UnitFile(second.timer)), platform::TimerUnitText(second, later));
}

TEST_F(RunAtTimeSystemdUnits, RemovalDisablesTheTimerAndDeletesTheUnits)
{
    ASSERT_TRUE(RequestAt(SecondsFromNow(600)));
    const platform::SystemdUnitNames names = Names();
    m_commands.clear();
    ASSERT_TRUE(Remove());
    EXPECT_EQ(m_commands, (Commands{Systemctl({"disable", "--now", names.timer}), Systemctl({"daemon-reload"})}));
    struct stat st {};
    EXPECT_NE(stat(UnitFile(names.timer).c_str(), &st), 0);
    EXPECT_NE(stat(UnitFile(names.templ).c_str(), &st), 0);
    m_commands.clear();
    ASSERT_TRUE(Remove());
    EXPECT_TRUE(m_commands.empty()) << "nothing to remove, nothing asked";
}

TEST_F(RunAtTimeSystemdUnits, ARefusingManagerIsAFailureAndTheRequestStaysPending)
{
    m_answer = false;
    const std::int64_t due = SecondsFromNow(600);
    SetLastError(0);
    EXPECT_FALSE(RequestAt(due));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    ASSERT_TRUE(Pending());
    EXPECT_EQ(Pending()->due, due);
}

TEST_F(RunAtTimeSystemdUnits, AtStartARequestWhoseTimerIsMissingIsArmedAgain)
{
    ASSERT_TRUE(RequestAt(SecondsFromNow(600)));
    const platform::SystemdUnitNames names = Names();
    char name[] = "program";
    char* argv[] = {name, nullptr};
    m_commands.clear();
    platform::ResumeRunAtTimeAtStart(1, argv);
    EXPECT_TRUE(m_commands.empty()) << "a timer in place is left alone";

    ASSERT_EQ(unlink(UnitFile(names.timer).c_str()), 0);
    platform::ResumeRunAtTimeAtStart(1, argv);
    EXPECT_EQ(m_commands, (Commands{Systemctl({"daemon-reload"}), Systemctl({"enable", names.timer}),
                                   Systemctl({"restart", names.timer})}));
}

TEST_F(RunAtTimeSystemdUnits, ARequestOfTheWaiterMovesToTheManagerAtTheNextStart)
{
    platform::SetCommandHandlerForTesting({});
    close(m_socket);
    unlink((m_runtime + "/systemd/private").c_str());
    ASSERT_TRUE(RequestAt(SecondsFromNow(600)));
    ASSERT_NE(Waiter(), 0);
    SetUp();   // the manager is there now

    char name[] = "program";
    char* argv[] = {name, nullptr};
    platform::ResumeRunAtTimeAtStart(1, argv);
    EXPECT_EQ(m_commands.size(), 3u);
    EXPECT_EQ(Pending()->service, platform::RunAtTimeService::Systemd);
    for (int i = 0; i < 100 && Waiter() != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(Waiter(), 0) << "the waiter stays beside the timer";
}

TEST(SystemdUnitQuoting, ValuesAreQuotedForUnitFiles)
{
    struct Case {
        std::string value;
        std::string quoted;
    } cases[] = {
        {"/usr/bin/app", "\"/usr/bin/app\""},
        {"/opt/my apps/app", "\"/opt/my apps/app\""},
        {"/opt/100%/%i", "\"/opt/100%%/%%i\""},
        {"/opt/$HOME/${X}", "\"/opt/$HOME/${X}\""},
        {"say \"hi\" \\ bye", "\"say \\\"hi\\\" \\\\ bye\""},
        {"a\nb\tc\x7f", "\"a\\x0ab\\x09c\\x7f\""},
        {"/home/j\xC3\xBCrgen/app", "\"/home/j\xC3\xBCrgen/app\""},
        {"", "\"\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::QuoteForUnitFile(c.value), c.quoted) << c.value;
}

TEST(SystemdUnitQuoting, TheServiceStartsThePathAsOneWordAndCarriesTheEnvironment)
{
    const std::string text = platform::ServiceUnitText(
        "/opt/my apps/100% $HOME/app", {{"DISPLAY", ":0"}, {"XAUTHORITY", std::nullopt}, {"OWEBOOK_HOME", "/d/50%"}});
    EXPECT_NE(text.find("ExecStart=\"/opt/my apps/100%% $HOME/app\" AppRunAtTime\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Environment=\"DISPLAY=:0\"\nUnsetEnvironment=XAUTHORITY\nEnvironment=\"OWEBOOK_HOME=/d/50%%\"\n"),
              std::string::npos)
        << text;
}

TEST(SystemdUnitQuoting, UnitNamesComeFromAHashOfThePath)
{
    const std::string key = platform::RequestKey("/opt/my apps/app; rm -rf ~");
    EXPECT_EQ(key.size(), 16u);
    EXPECT_EQ(key.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_NE(key, platform::RequestKey("/opt/my apps/app"));
    const platform::SystemdUnitNames names = platform::UnitNamesFor(key, 0xABCDEF);
    EXPECT_EQ(names.timer, "runattime-" + key + ".timer");
    EXPECT_EQ(names.templ, "runattime-" + key + "@.service");
    EXPECT_EQ(names.instance, "runattime-" + key + "@0000000000abcdef.service");
}

}  // namespace
