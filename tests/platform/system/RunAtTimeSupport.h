#pragma once
// For the run-at-time tests: a fresh device, the probe program that notes
// its starts (probe/RecordStart.cpp), and times a few seconds from now.

#include "platform/store/DeviceFolder.h"

#include "platform/core/CString.h"
#include "platform/core/Time.h"
#include "platform/system/runattime/PendingRequests.h"
#include "platform/system/runattime/RunAtTime.h"
#include "platform/system/runattime/WaiterService.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <time.h>
#include <vector>

namespace runattimetest {

inline std::int64_t NowMs()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// The local time of a whole second since 1970.
inline SYSTEMTIME LocalTimeAt(std::int64_t seconds)
{
    SYSTEMTIME local {};
    EXPECT_TRUE(platform::UtcSecondsToLocal(seconds, local));
    return local;
}

// Whether process `pid` has ended (gone, or a zombie nobody has reaped yet),
// waiting up to `ms` for it.
inline bool Ended(pid_t pid, int ms = 2000)
{
    const std::int64_t until = NowMs() + ms;
    for (;;) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        const std::size_t close = text.rfind(')');
        if (!stat || close == std::string::npos || close + 2 >= text.size() || text[close + 2] == 'Z')
            return true;
        if (NowMs() >= until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

struct ProbeStart {
    std::int64_t ms = 0;
    std::string args;
    std::string display;
};

class RunAtTimeTest : public ::testing::Test {
protected:
    static std::string BuiltProbe() { return std::string(OWEBOOK_BUILD_DIR) + "/tests/runattime_probe"; }

    void TearDown() override
    {
        // No waiter outlives its test.
        CeRunAppAtTime(Wide(m_probe).c_str(), nullptr);
        for (int i = 0; i < 100 && platform::WaiterService::WaiterPid(platform::RequestKey(m_probe)) != 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    static std::u16string Wide(const std::string& text) { return platform::Utf8ToUtf16(text); }

    BOOL RequestAt(std::int64_t seconds)
    {
        const SYSTEMTIME local = LocalTimeAt(seconds);
        return CeRunAppAtTime(Wide(m_probe).c_str(), &local);
    }
    BOOL Remove() { return CeRunAppAtTime(Wide(m_probe).c_str(), nullptr); }

    std::vector<ProbeStart> Starts() const
    {
        std::vector<ProbeStart> starts;
        std::ifstream log(m_device.Home() + "/probe-starts.log");
        std::string line;
        while (std::getline(log, line)) {
            std::istringstream fields(line);
            ProbeStart start;
            fields >> start.ms >> start.args >> start.display;
            starts.push_back(start);
        }
        return starts;
    }

    // Waits until the probe has started `count` times or `ms` have passed.
    std::vector<ProbeStart> StartsAfter(std::size_t count, int ms) const
    {
        const std::int64_t until = NowMs() + ms;
        std::vector<ProbeStart> starts = Starts();
        while (starts.size() < count && NowMs() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            starts = Starts();
        }
        return starts;
    }

    std::optional<platform::RunAtTimeRequest> Pending() const
    {
        platform::Store::ReleaseDevice();
        auto requests = platform::PendingRequests::ForDevice(false);
        return requests ? requests->Find(m_probe) : std::nullopt;
    }

    pid_t Waiter() const { return platform::WaiterService::WaiterPid(platform::RequestKey(m_probe)); }

    // The next whole second at least `ahead` seconds from now.
    static std::int64_t SecondsFromNow(int ahead) { return NowMs() / 1000 + 1 + ahead; }

    DeviceFolder m_device;
    std::string m_probe = BuiltProbe();
};

}  // namespace runattimetest
