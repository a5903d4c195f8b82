#include "platform/core/Time.h"

#include "support/TestZone.h"
#include "platform/core/Clock.h"

#include <gtest/gtest.h>

namespace {

void ExpectFields(const SYSTEMTIME& st, int y, int mo, int d, int h, int mi, int s, int dow)
{
    EXPECT_EQ(st.wYear, y);
    EXPECT_EQ(st.wMonth, mo);
    EXPECT_EQ(st.wDay, d);
    EXPECT_EQ(st.wHour, h);
    EXPECT_EQ(st.wMinute, mi);
    EXPECT_EQ(st.wSecond, s);
    EXPECT_EQ(st.wDayOfWeek, dow);
    EXPECT_EQ(st.wMilliseconds, 0);
}

struct EdgeCase {
    DWORD time;
    int y, mo, d, h, mi, s, dow;
};

TEST(Time32, EdgesOfTheRangeRoundTripInUtc)
{
    TestZone zone("UTC");
    const EdgeCase cases[] = {
        {0, 1970, 1, 1, 0, 0, 0, 4},
        {0x7FFFFFFF, 2038, 1, 19, 3, 14, 7, 2},
        {0x80000000u, 2038, 1, 19, 3, 14, 8, 2},
        {0xFFFFFFFFu, 2106, 2, 7, 6, 28, 15, 0},
        {951782400, 2000, 2, 29, 0, 0, 0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.time);
        SYSTEMTIME local{}, utc{};
        ASSERT_TRUE(Time32ToLocalSystemTime(c.time, &local));
        ASSERT_TRUE(Time32ToSystemTime(c.time, &utc));
        ExpectFields(local, c.y, c.mo, c.d, c.h, c.mi, c.s, c.dow);
        ExpectFields(utc, c.y, c.mo, c.d, c.h, c.mi, c.s, c.dow);
        DWORD back = 1;
        ASSERT_TRUE(LocalSystemTimeToTime32(&local, &back));
        EXPECT_EQ(back, c.time);
        back = 1;
        ASSERT_TRUE(SystemTimeToTime32(&utc, &back));
        EXPECT_EQ(back, c.time);
    }
}

TEST(Time32, LocalTimesOutsideTheRangeAreRefused)
{
    TestZone zone("Europe/Berlin");
    SYSTEMTIME st{};
    ASSERT_TRUE(Time32ToLocalSystemTime(0, &st));
    ExpectFields(st, 1970, 1, 1, 1, 0, 0, 4);

    DWORD t = 77;
    SYSTEMTIME beforeEpoch = MakeTime(1970, 1, 1, 0, 59, 59);
    EXPECT_FALSE(LocalSystemTimeToTime32(&beforeEpoch, &t));
    SYSTEMTIME afterEnd = MakeTime(2106, 2, 7, 7, 28, 16);
    EXPECT_FALSE(LocalSystemTimeToTime32(&afterEnd, &t));
    SYSTEMTIME lastSecond = MakeTime(2106, 2, 7, 7, 28, 15);
    EXPECT_TRUE(LocalSystemTimeToTime32(&lastSecond, &t));
    EXPECT_EQ(t, 0xFFFFFFFFu);
}

TEST(Time32, InvalidCalendarFieldsAreRefusedAndLeaveTheOutput)
{
    TestZone zone("UTC");
    DWORD t = 1234;
    SYSTEMTIME feb30 = MakeTime(2024, 2, 30);
    SYSTEMTIME zero{};
    EXPECT_FALSE(LocalSystemTimeToTime32(&feb30, &t));
    EXPECT_FALSE(SystemTimeToTime32(&feb30, &t));
    EXPECT_FALSE(LocalSystemTimeToTime32(&zero, &t));
    EXPECT_FALSE(LocalSystemTimeToTime32(nullptr, &t));
    EXPECT_EQ(t, 1234u);
}

TEST(Time32, BerlinSpringForward)
{
    TestZone zone("Europe/Berlin");
    const DWORD lastWinterSecond = 1711846799;  // 2024-03-31 00:59:59 UTC
    SYSTEMTIME st{};
    ASSERT_TRUE(Time32ToLocalSystemTime(lastWinterSecond, &st));
    ExpectFields(st, 2024, 3, 31, 1, 59, 59, 0);
    ASSERT_TRUE(Time32ToLocalSystemTime(lastWinterSecond + 1, &st));
    ExpectFields(st, 2024, 3, 31, 3, 0, 0, 0);

    // 02:30 does not exist that night; it is read as winter time, i.e. 03:30.
    SYSTEMTIME missing = MakeTime(2024, 3, 31, 2, 30, 0);
    DWORD t = 0;
    ASSERT_TRUE(LocalSystemTimeToTime32(&missing, &t));
    EXPECT_EQ(t, lastWinterSecond + 1 + 1800);
}

TEST(Time32, BerlinFallBackTakesTheEarlierOfTwoReadings)
{
    TestZone zone("Europe/Berlin");
    const DWORD firstReading = 1729989000;  // 2024-10-27 00:30 UTC = 02:30 summer time
    SYSTEMTIME a{}, b{};
    ASSERT_TRUE(Time32ToLocalSystemTime(firstReading, &a));
    ASSERT_TRUE(Time32ToLocalSystemTime(firstReading + 3600, &b));
    ExpectFields(a, 2024, 10, 27, 2, 30, 0, 0);
    ExpectFields(b, 2024, 10, 27, 2, 30, 0, 0);
    DWORD t = 0;
    ASSERT_TRUE(LocalSystemTimeToTime32(&b, &t));
    EXPECT_EQ(t, firstReading);
}

TEST(Time32, EveryQuarterHourAroundBothChangesRoundTrips)
{
    TestZone zone("Europe/Berlin");
    for (DWORD start : {1711836000u, 1729980000u}) {  // a few hours before each change
        for (DWORD t = start; t < start + 6 * 3600; t += 900) {
            SCOPED_TRACE(t);
            SYSTEMTIME local{};
            ASSERT_TRUE(Time32ToLocalSystemTime(t, &local));
            DWORD back = 0;
            ASSERT_TRUE(LocalSystemTimeToTime32(&local, &back));
            bool repeatedHour = t >= 1729990800u && t < 1729994400u;  // 01:00-02:00 UTC, 2024-10-27
            EXPECT_EQ(back, repeatedHour ? t - 3600 : t);
        }
    }
}

TEST(SystemTimeValidity, CalendarFields)
{
    struct Case {
        SYSTEMTIME st;
        bool valid;
    } cases[] = {
        {MakeTime(2024, 1, 31), true},
        {MakeTime(2024, 2, 29), true},
        {MakeTime(2023, 2, 29), false},
        {MakeTime(2000, 2, 29), true},
        {MakeTime(1900, 2, 29), false},
        {MakeTime(2024, 4, 31), false},
        {MakeTime(2024, 12, 31, 23, 59, 59, 999), true},
        {MakeTime(2024, 0, 1), false},
        {MakeTime(2024, 13, 1), false},
        {MakeTime(2024, 1, 0), false},
        {MakeTime(2024, 1, 1, 24), false},
        {MakeTime(2024, 1, 1, 0, 60), false},
        {MakeTime(2024, 1, 1, 0, 0, 60), false},
        {MakeTime(2024, 1, 1, 0, 0, 0, 1000), false},
        {MakeTime(1601, 1, 1), true},
        {MakeTime(1600, 12, 31), false},
        {MakeTime(30827, 12, 31), true},
        {MakeTime(30828, 1, 1), false},
        {SYSTEMTIME{}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.st.wYear << "-" << c.st.wMonth << "-" << c.st.wDay << " " << c.st.wHour
                                        << ":" << c.st.wMinute << ":" << c.st.wSecond << "." << c.st.wMilliseconds);
        EXPECT_EQ(IsValidSystemTime(&c.st), c.valid ? TRUE : FALSE);
    }
    EXPECT_FALSE(IsValidSystemTime(nullptr));
    SYSTEMTIME anyWeekday = MakeTime(2024, 1, 1);
    anyWeekday.wDayOfWeek = 9;
    EXPECT_TRUE(IsValidSystemTime(&anyWeekday));
}

TEST(FileTime, RoundTripKeepsMillisecondsAndKnownEpoch)
{
    SYSTEMTIME epoch = MakeTime(1970, 1, 1);
    FILETIME ft{};
    ASSERT_TRUE(SystemTimeToFileTime(&epoch, &ft));
    std::uint64_t ticks = (std::uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    EXPECT_EQ(ticks, 116444736000000000ull);

    SYSTEMTIME st = MakeTime(2024, 2, 29, 13, 14, 15, 678);
    ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
    SYSTEMTIME back{};
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
    ExpectFields(MakeTime(back.wYear, back.wMonth, back.wDay, back.wHour, back.wMinute, back.wSecond), 2024, 2, 29, 13,
                 14, 15, 0);
    EXPECT_EQ(back.wMilliseconds, 678);
    EXPECT_EQ(back.wDayOfWeek, 4);

    SYSTEMTIME bad = MakeTime(2024, 2, 30);
    EXPECT_FALSE(SystemTimeToFileTime(&bad, &ft));
}

TEST(CurrentTime, ReadsTheFixedClockInUtcAndLocalTime)
{
    TestZone zone("Europe/Berlin");
    platform::FixedClock clock(1719835200);  // 2024-07-01 12:00:00 UTC, summer time in Berlin
    platform::SetFixedClockMilliseconds(1719835200LL * 1000 + 250);
    SYSTEMTIME utc{}, local{};
    GetSystemTime(&utc);
    GetLocalTime(&local);
    EXPECT_EQ(utc.wHour, 12);
    EXPECT_EQ(local.wHour, 14);
    EXPECT_EQ(local.wDay, 1);
    EXPECT_EQ(local.wDayOfWeek, 1);
    EXPECT_EQ(local.wMilliseconds, 250);
    DWORD stored = 0;
    EXPECT_EQ(time32(&stored), 1719835200u);
    EXPECT_EQ(stored, 1719835200u);
}

TEST(CurrentTime, Time32ClampsToItsRange)
{
    {
        platform::FixedClock clock(-5);
        EXPECT_EQ(time32(nullptr), 0u);
    }
    platform::FixedClock clock(0x100000005LL);
    EXPECT_EQ(time32(nullptr), 0xFFFFFFFFu);
}

}  // namespace
