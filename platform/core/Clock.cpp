#include "platform/core/Clock.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <mutex>

namespace platform {
namespace {

constexpr std::int64_t kFree = INT64_MIN;

std::atomic<std::int64_t> g_fixedMs{kFree};
std::once_flag g_envOnce;

// The environment wins only if nobody fixed the clock before the first read.
void ReadEnvironmentOnce()
{
    std::call_once(g_envOnce, [] {
        const char* text = std::getenv("OWEBOOK_FIXED_TIME");
        if (!text || !*text)
            return;
        char* end = nullptr;
        errno = 0;
        long long seconds = std::strtoll(text, &end, 10);
        if (errno != 0 || end == text || *end != '\0')
            return;
        if (seconds < -9'000'000'000'000LL || seconds > 9'000'000'000'000LL)
            return;
        std::int64_t expected = kFree;
        g_fixedMs.compare_exchange_strong(expected, seconds * 1000);
    });
}

}  // namespace

std::int64_t NowUtcMilliseconds()
{
    ReadEnvironmentOnce();
    std::int64_t fixed = g_fixedMs.load();
    if (fixed != kFree)
        return fixed;
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::int64_t NowUtcSeconds()
{
    std::int64_t ms = NowUtcMilliseconds();
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
}

void SetFixedClock(std::int64_t seconds) { SetFixedClockMilliseconds(seconds * 1000); }

void SetFixedClockMilliseconds(std::int64_t milliseconds)
{
    ReadEnvironmentOnce();
    g_fixedMs.store(milliseconds == kFree ? kFree + 1 : milliseconds);
}

void AdvanceFixedClock(std::int64_t seconds)
{
    ReadEnvironmentOnce();
    std::int64_t current = g_fixedMs.load();
    while (current != kFree && !g_fixedMs.compare_exchange_weak(current, current + seconds * 1000)) {
    }
}

void ClearFixedClock()
{
    ReadEnvironmentOnce();
    g_fixedMs.store(kFree);
}

bool IsClockFixed()
{
    ReadEnvironmentOnce();
    return g_fixedMs.load() != kFree;
}

FixedClock::FixedClock(std::int64_t seconds)
{
    ReadEnvironmentOnce();
    m_previousMs = g_fixedMs.load();
    m_wasFixed = m_previousMs != kFree;
    SetFixedClock(seconds);
}

FixedClock::~FixedClock()
{
    if (m_wasFixed)
        g_fixedMs.store(m_previousMs);
    else
        g_fixedMs.store(kFree);
}

}  // namespace platform
