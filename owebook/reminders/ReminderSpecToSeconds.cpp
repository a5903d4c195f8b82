#include "owebook/reminders/ReminderSpecToSeconds.h"

#include "platform/core/Time.h"

namespace {

constexpr DWORD SECONDS_PER_DAY = 86400;
constexpr int MONTH_DAYS[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

DWORD MonthsToDays(int nCount)
{
    if (nCount == 0)
        return 0;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const int month = now.wMonth >= 1 && now.wMonth <= 12 ? now.wMonth - 1 : 0;
    DWORD days = 0;
    for (int i = 0; i < nCount; ++i)
        days += MONTH_DAYS[(month + i) % 12];
    // One leap day for a leap year's span, wherever February falls in it;
    // century years never get it.
    if (now.wYear % 100 != 0 && now.wYear % 4 == 0)
        ++days;
    return days;
}

}  // namespace

DWORD ReminderSpecToSeconds(const ReminderSpec& spec)
{
    const DWORD count = spec.nCount;
    switch (spec.nUnit) {
    case REMINDER_MINUTES:
        return count * 60;
    case REMINDER_HOURS:
        return count * 3600;
    case REMINDER_DAYS:
        return count * SECONDS_PER_DAY;
    case REMINDER_WEEKS:
        return count * 7 * SECONDS_PER_DAY;
    case REMINDER_MONTHS:
        return MonthsToDays(spec.nCount) * SECONDS_PER_DAY;
    default:
        return count;
    }
}
