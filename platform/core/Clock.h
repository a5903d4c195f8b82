#pragma once
// The one source of "now" for everything that asks for the current time.
// Tests fix it in-process (FixedClock) or for a whole child process through
// OWEBOOK_FIXED_TIME=<seconds since 1970 UTC>, read on first use.

#include <cstdint>

namespace platform {

std::int64_t NowUtcMilliseconds();
std::int64_t NowUtcSeconds();

void SetFixedClock(std::int64_t seconds);
void SetFixedClockMilliseconds(std::int64_t milliseconds);
void AdvanceFixedClock(std::int64_t seconds);  // no effect while the clock runs free
void ClearFixedClock();                        // back to the system clock
bool IsClockFixed();

// Fixes the clock for a scope and restores whatever was in force before.
class FixedClock {
public:
    explicit FixedClock(std::int64_t seconds);
    ~FixedClock();
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

private:
    bool m_wasFixed;
    std::int64_t m_previousMs;
};

}  // namespace platform
