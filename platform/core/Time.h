#pragma once
// Points in time as the program keeps them: 32-bit unsigned seconds since
// 1970-01-01 00:00:00 UTC ("time values", 0..0xFFFFFFFF, that is up to
// 2106-02-07 06:28:15 UTC), and SYSTEMTIME calendar fields in local time or
// UTC. Local time follows the process time zone (TZ), daylight saving included.

#include "platform/core/Types.h"

#include <cstdint>

// The current time from the platform clock (platform/core/Clock.h).
void GetLocalTime(LPSYSTEMTIME time);
void GetSystemTime(LPSYSTEMTIME time);        // UTC
DWORD time32(DWORD* timer);                     // as time(), clamped to the 32-bit range

// A calendar date and time of day: year 1601..30827, month 1..12, day within
// the month (leap years included), hour < 24, minute and second < 60,
// milliseconds < 1000. The day of week is not checked.
BOOL IsValidSystemTime(const SYSTEMTIME* time);

// Time value <-> calendar fields. The results fill the day of week and set
// milliseconds to 0; a SYSTEMTIME that is not valid or lies outside the
// 32-bit range gives FALSE and leaves the output untouched.
// A local time that occurs twice (clocks going back) is the earlier of the
// two instants; one that does not exist (clocks going forward) is read with
// the offset in force before the change, so 02:30 becomes 03:30.
BOOL Time32ToLocalSystemTime(DWORD time, LPSYSTEMTIME local);
BOOL LocalSystemTimeToTime32(const SYSTEMTIME* local, DWORD* time);
BOOL Time32ToSystemTime(DWORD time, LPSYSTEMTIME utc);
BOOL SystemTimeToTime32(const SYSTEMTIME* utc, DWORD* time);

// FILETIME: 100-nanosecond intervals since 1601-01-01 00:00:00 UTC.
BOOL SystemTimeToFileTime(const SYSTEMTIME* time, FILETIME* fileTime);
BOOL FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME time);

namespace platform {

// Day number relative to 1970-01-01 of a proleptic Gregorian date, and back.
std::int64_t DaysFromCivil(int year, int month, int day);
void CivilFromDays(std::int64_t days, int& year, int& month, int& day);
int DaysInMonth(int year, int month);
bool IsValidTimeOfDay(const SYSTEMTIME& time);
bool IsValidDate(const SYSTEMTIME& time, int minYear, int maxYear);

// 64-bit seconds since 1970 UTC, for instants outside the 32-bit range.
bool UtcSecondsToLocal(std::int64_t seconds, SYSTEMTIME& local);
bool LocalToUtcSeconds(const SYSTEMTIME& local, std::int64_t& seconds);
void UtcSecondsToSystemTime(std::int64_t seconds, SYSTEMTIME& utc);
std::int64_t SystemTimeToUtcSeconds(const SYSTEMTIME& utc);  // fields taken as they are

}  // namespace platform
