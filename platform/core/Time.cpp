#include "platform/core/Time.h"

#include "platform/core/Clock.h"

#include <ctime>
#include <initializer_list>

namespace platform {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// Days from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kFileTimeEpochDays = 134774;

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

void FillFromSeconds(std::int64_t seconds, SYSTEMTIME& out)
{
    std::int64_t days = FloorDiv(seconds, kSecondsPerDay);
    std::int64_t rest = seconds - days * kSecondsPerDay;
    int y, m, d;
    CivilFromDays(days, y, m, d);
    out.wYear = static_cast<WORD>(y);
    out.wMonth = static_cast<WORD>(m);
    out.wDay = static_cast<WORD>(d);
    std::int64_t weekday = (days + 4) % 7;  // 1970-01-01 was a Thursday
    out.wDayOfWeek = static_cast<WORD>(weekday < 0 ? weekday + 7 : weekday);
    out.wHour = static_cast<WORD>(rest / 3600);
    out.wMinute = static_cast<WORD>(rest / 60 % 60);
    out.wSecond = static_cast<WORD>(rest % 60);
    out.wMilliseconds = 0;
}

// Seconds east of UTC in force at `seconds`.
bool OffsetAt(std::int64_t seconds, long& offset)
{
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    if (!localtime_r(&t, &tm))
        return false;
    offset = tm.tm_gmtoff;
    return true;
}

bool InTime32Range(std::int64_t seconds) { return seconds >= 0 && seconds <= 0xFFFFFFFFLL; }

}  // namespace

std::int64_t DaysFromCivil(int year, int month, int day)
{
    // Count from 1 March so that the leap day ends the year.
    std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
    std::int64_t era = FloorDiv(y, 400);
    std::int64_t yearOfEra = y - era * 400;
    std::int64_t monthFromMarch = month > 2 ? month - 3 : month + 9;
    std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
    std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(std::int64_t days, int& year, int& month, int& day)
{
    days += 719468;
    std::int64_t era = FloorDiv(days, 146097);
    std::int64_t dayOfEra = days - era * 146097;
    std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

int DaysInMonth(int year, int month)
{
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeap(year) ? 29 : lengths[month - 1];
}

bool IsValidTimeOfDay(const SYSTEMTIME& t)
{
    return t.wHour < 24 && t.wMinute < 60 && t.wSecond < 60 && t.wMilliseconds < 1000;
}

bool IsValidDate(const SYSTEMTIME& t, int minYear, int maxYear)
{
    return t.wYear >= minYear && t.wYear <= maxYear && t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 &&
           t.wDay <= DaysInMonth(t.wYear, t.wMonth);
}

void UtcSecondsToSystemTime(std::int64_t seconds, SYSTEMTIME& utc) { FillFromSeconds(seconds, utc); }

std::int64_t SystemTimeToUtcSeconds(const SYSTEMTIME& utc)
{
    return DaysFromCivil(utc.wYear, utc.wMonth, utc.wDay) * kSecondsPerDay + utc.wHour * 3600 +
           utc.wMinute * 60 + utc.wSecond;
}

bool UtcSecondsToLocal(std::int64_t seconds, SYSTEMTIME& local)
{
    tzset();
    long offset = 0;
    if (!OffsetAt(seconds, offset))
        return false;
    FillFromSeconds(seconds + offset, local);
    return true;
}

bool LocalToUtcSeconds(const SYSTEMTIME& local, std::int64_t& seconds)
{
    if (!IsValidDate(local, 1601, 30827) || !IsValidTimeOfDay(local))
        return false;
    tzset();
    // The wall-clock reading as if it were UTC; the instant lies within a day of it.
    std::int64_t wall = SystemTimeToUtcSeconds(local);
    long before = 0, at = 0, after = 0;
    if (!OffsetAt(wall - kSecondsPerDay, before) || !OffsetAt(wall, at) || !OffsetAt(wall + kSecondsPerDay, after))
        return false;
    bool found = false;
    std::int64_t best = 0;
    for (long candidate : {before, at, after}) {
        std::int64_t instant = wall - candidate;
        long actual = 0;
        if (OffsetAt(instant, actual) && actual == candidate && (!found || instant < best)) {
            best = instant;
            found = true;
        }
    }
    seconds = found ? best : wall - before;
    return true;
}

}  // namespace platform

using namespace platform;

void GetLocalTime(LPSYSTEMTIME time)
{
    if (!time)
        return;
    std::int64_t ms = NowUtcMilliseconds();
    std::int64_t seconds = FloorDiv(ms, 1000);
    if (!UtcSecondsToLocal(seconds, *time))
        FillFromSeconds(seconds, *time);
    time->wMilliseconds = static_cast<WORD>(ms - seconds * 1000);
}

void GetSystemTime(LPSYSTEMTIME time)
{
    if (!time)
        return;
    std::int64_t ms = NowUtcMilliseconds();
    std::int64_t seconds = FloorDiv(ms, 1000);
    FillFromSeconds(seconds, *time);
    time->wMilliseconds = static_cast<WORD>(ms - seconds * 1000);
}

DWORD time32(DWORD* timer)
{
    std::int64_t now = NowUtcSeconds();
    DWORD value = now < 0 ? 0 : now > 0xFFFFFFFFLL ? 0xFFFFFFFFu : static_cast<DWORD>(now);
    if (timer)
        *timer = value;
    return value;
}

BOOL IsValidSystemTime(const SYSTEMTIME* time)
{
    return time && IsValidDate(*time, 1601, 30827) && IsValidTimeOfDay(*time) ? TRUE : FALSE;
}

BOOL Time32ToLocalSystemTime(DWORD time, LPSYSTEMTIME local)
{
    SYSTEMTIME st{};
    if (!local || !UtcSecondsToLocal(time, st))
        return FALSE;
    *local = st;
    return TRUE;
}

BOOL LocalSystemTimeToTime32(const SYSTEMTIME* local, DWORD* time)
{
    std::int64_t seconds = 0;
    if (!local || !time || !LocalToUtcSeconds(*local, seconds) || !InTime32Range(seconds))
        return FALSE;
    *time = static_cast<DWORD>(seconds);
    return TRUE;
}

BOOL Time32ToSystemTime(DWORD time, LPSYSTEMTIME utc)
{
    if (!utc)
        return FALSE;
    FillFromSeconds(time, *utc);
    return TRUE;
}

BOOL SystemTimeToTime32(const SYSTEMTIME* utc, DWORD* time)
{
    if (!utc || !time || !IsValidSystemTime(utc))
        return FALSE;
    std::int64_t seconds = SystemTimeToUtcSeconds(*utc);
    if (!InTime32Range(seconds))
        return FALSE;
    *time = static_cast<DWORD>(seconds);
    return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* time, FILETIME* fileTime)
{
    if (!time || !fileTime || !IsValidSystemTime(time))
        return FALSE;
    std::int64_t seconds = SystemTimeToUtcSeconds(*time) + kFileTimeEpochDays * kSecondsPerDay;
    std::uint64_t ticks = static_cast<std::uint64_t>(seconds) * 10'000'000u + time->wMilliseconds * 10'000u;
    fileTime->dwLowDateTime = static_cast<DWORD>(ticks);
    fileTime->dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME time)
{
    if (!fileTime || !time)
        return FALSE;
    std::uint64_t ticks = (static_cast<std::uint64_t>(fileTime->dwHighDateTime) << 32) | fileTime->dwLowDateTime;
    if (ticks >= 0x8000000000000000ull)
        return FALSE;
    std::int64_t seconds = static_cast<std::int64_t>(ticks / 10'000'000u) - kFileTimeEpochDays * kSecondsPerDay;
    FillFromSeconds(seconds, *time);
    time->wMilliseconds = static_cast<WORD>(ticks % 10'000'000u / 10'000u);
    return TRUE;
}
