// CeRunAppAtTime's answers: what it refuses (and that a refused request
// leaves the pending one as it was), how a request is kept in the store, and
// the handler that tests put in its place.

#include "RunAtTimeSupport.h"

#include "platform/core/LastError.h"
#include "platform/system/ProcessInfo.h"
#include "support/TestZone.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace {

using namespace runattimetest;

class RunAtTimeRequests : public RunAtTimeTest {};

SYSTEMTIME Fields(WORD year, WORD month, WORD day, WORD hour = 9, WORD minute = 0, WORD second = 0)
{
    SYSTEMTIME time {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    return time;
}

TEST_F(RunAtTimeRequests, RefusesWhatIsNotAnExecutableAndATimeThatIsNoCalendarTime)
{
    const std::string plainFile = m_device.Root() + "/plain.txt";
    close(open(plainFile.c_str(), O_CREAT | O_WRONLY, 0600));
    const SYSTEMTIME fine = Fields(2031, 5, 6);
    struct Case {
        const char* what;
        std::u16string path;
        SYSTEMTIME time;
        DWORD error;
    } cases[] = {
        {"relative path", u"runattime_probe", fine, ERROR_INVALID_PARAMETER},
        {"empty path", u"", fine, ERROR_INVALID_PARAMETER},
        {"line break in the path", Wide(m_probe) + u"\nx", fine, ERROR_INVALID_PARAMETER},
        {"unpaired surrogate", Wide(m_probe) + u"\xD800", fine, ERROR_INVALID_PARAMETER},
        {"month 13", Wide(m_probe), Fields(2031, 13, 1), ERROR_INVALID_PARAMETER},
        {"30 February", Wide(m_probe), Fields(2032, 2, 30), ERROR_INVALID_PARAMETER},
        {"hour 24", Wide(m_probe), Fields(2031, 5, 6, 24), ERROR_INVALID_PARAMETER},
        {"beyond 2199", Wide(m_probe), Fields(2200, 6, 1), ERROR_INVALID_PARAMETER},
        {"no such file", Wide(m_device.Root() + "/missing"), fine, ERROR_FILE_NOT_FOUND},
        {"not executable", Wide(plainFile), fine, ERROR_FILE_NOT_FOUND},
        {"a folder", Wide(m_device.Root()), fine, ERROR_FILE_NOT_FOUND},
    };
    const std::int64_t pendingDue = SecondsFromNow(3600);
    ASSERT_TRUE(RequestAt(pendingDue));
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_FALSE(CeRunAppAtTime(c.path.c_str(), &c.time)) << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
    }
    SetLastError(0);
    EXPECT_FALSE(CeRunAppAtTime(nullptr, &fine));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    const auto pending = Pending();
    ASSERT_TRUE(pending);
    EXPECT_EQ(pending->due, pendingDue) << "a refused request changed the pending one";
}

TEST_F(RunAtTimeRequests, TheTimeIsLocalTimeKeptAsTheInstantItNames)
{
    TestZone zone("Europe/Berlin");
    struct Case {
        SYSTEMTIME local;
        std::int64_t utc;
    } cases[] = {
        {Fields(2031, 1, 15, 9, 30), 1926232200},   // CET, 08:30 UTC
        {Fields(2031, 7, 15, 9, 30), 1941867000},   // CEST, 07:30 UTC
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(CeRunAppAtTime(Wide(m_probe).c_str(), &c.local));
        const auto pending = Pending();
        ASSERT_TRUE(pending);
        EXPECT_EQ(pending->due, c.utc);
    }
}

TEST_F(RunAtTimeRequests, OneRequestPerExecutableOutlivesTheConnectionThatMadeIt)
{
    ASSERT_TRUE(RequestAt(SecondsFromNow(7200)));
    const auto first = Pending();
    const std::int64_t later = SecondsFromNow(9000);
    ASSERT_TRUE(RequestAt(later));
    platform::Store::ReleaseDevice();   // as after a restart
    auto requests = platform::PendingRequests::ForDevice(false);
    ASSERT_TRUE(requests);
    const std::vector<platform::RunAtTimeRequest> all = requests->All();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].path, m_probe);
    EXPECT_EQ(all[0].due, later);
    ASSERT_TRUE(first);
    EXPECT_NE(all[0].id, first->id);
}

TEST_F(RunAtTimeRequests, AStartWithTheCommandLineUsesUpOnlyItsOwnDueRequest)
{
    // This test program stands for the program: its own request is due (and
    // never armed, or it would start this test program), the probe's is not.
    const std::string self = platform::ProcessExecutable(GetCurrentProcessId());
    auto requests = platform::PendingRequests::ForDevice(true);
    ASSERT_TRUE(requests);
    const std::int64_t now = NowMs() / 1000;
    ASSERT_TRUE(requests->Put({self, now - 1, 11, platform::RunAtTimeService::Waiter}));
    ASSERT_TRUE(RequestAt(now + 3600));

    char name[] = "program";
    char command[] = "AppRunAtTime";
    char* forRequest[] = {name, command, nullptr};
    platform::ResumeRunAtTimeAtStart(2, forRequest);
    EXPECT_FALSE(requests->Find(self));
    EXPECT_TRUE(requests->Find(m_probe));
}

TEST_F(RunAtTimeRequests, AtStartTheRequestOfAnExecutableThatHasGoneIsDropped)
{
    const std::string gone = m_device.Root() + "/removed-program";
    auto requests = platform::PendingRequests::ForDevice(true);
    ASSERT_TRUE(requests);
    ASSERT_TRUE(requests->Put({gone, NowMs() / 1000 + 60, 12, platform::RunAtTimeService::Waiter}));
    char name[] = "program";
    char* argv[] = {name, nullptr};
    platform::ResumeRunAtTimeAtStart(1, argv);
    EXPECT_FALSE(requests->Find(gone));
    EXPECT_EQ(platform::WaiterService::WaiterPid(platform::RequestKey(gone)), 0);
}

TEST_F(RunAtTimeRequests, AHandlerTakesTheRequestsInsteadOfTheService)
{
    std::vector<std::pair<std::u16string, bool>> seen;
    platform::SetRunAtTimeHandler([&](const std::u16string& app, const SYSTEMTIME* time) {
        seen.emplace_back(app, time != nullptr);
        return FALSE;
    });
    const SYSTEMTIME time = Fields(2031, 5, 6);
    EXPECT_FALSE(CeRunAppAtTime(u"/any/program", &time));
    EXPECT_FALSE(CeRunAppAtTime(u"/any/program", nullptr));
    platform::SetRunAtTimeHandler({});
    EXPECT_EQ(seen, (std::vector<std::pair<std::u16string, bool>>{{u"/any/program", true}, {u"/any/program", false}}));
    EXPECT_FALSE(Pending());
}

}  // namespace
