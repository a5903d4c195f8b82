#include "platform/core/OleDateTime.h"
#include "platform/core/VariantTime.h"

#include "support/TestZone.h"
#include "platform/core/Clock.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace {

struct KnownDate {
    SYSTEMTIME st;
    DATE date;
};

const KnownDate kKnown[] = {
    {MakeTime(1899, 12, 30), 0.0},
    {MakeTime(1899, 12, 30, 12), 0.5},
    {MakeTime(1900, 1, 1), 2.0},
    {MakeTime(2000, 1, 1), 36526.0},
    {MakeTime(2024, 2, 29, 18), 45351.75},
    {MakeTime(1899, 12, 29), -1.0},
    {MakeTime(1899, 12, 29, 6), -1.25},  // the fraction counts forwards from the negative day
    {MakeTime(1800, 1, 1, 18), -36522.75},
    {MakeTime(100, 1, 1), -657434.0},
    {MakeTime(9999, 12, 31), 2958465.0},
};

TEST(VariantTime, KnownDatesBothWays)
{
    for (const auto& k : kKnown) {
        SCOPED_TRACE(k.date);
        DATE d = 12345;
        ASSERT_TRUE(SystemTimeToVariantTime(&k.st, &d));
        EXPECT_DOUBLE_EQ(d, k.date);
        SYSTEMTIME back{};
        ASSERT_TRUE(VariantTimeToSystemTime(k.date, &back));
        EXPECT_EQ(back.wYear, k.st.wYear);
        EXPECT_EQ(back.wMonth, k.st.wMonth);
        EXPECT_EQ(back.wDay, k.st.wDay);
        EXPECT_EQ(back.wHour, k.st.wHour);
        EXPECT_EQ(back.wMinute, 0);
    }
}

TEST(VariantTime, OutsideTheRangeOrNoDateFails)
{
    SYSTEMTIME st = MakeTime(2020, 1, 1);
    const DATE bad[] = {-657435.0, 2958466.0, std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity()};
    for (DATE d : bad)
        EXPECT_FALSE(VariantTimeToSystemTime(d, &st)) << d;
    EXPECT_EQ(st.wYear, 2020);

    DATE d = 7;
    const SYSTEMTIME invalid[] = {MakeTime(99, 12, 31), MakeTime(10000, 1, 1), MakeTime(2023, 2, 29),
                                  MakeTime(2024, 1, 1, 24), SYSTEMTIME{}};
    for (const auto& s : invalid)
        EXPECT_FALSE(SystemTimeToVariantTime(&s, &d));
    EXPECT_EQ(d, 7);
}

TEST(VariantTime, RoundsToTheNearestSecondAndCarriesIntoTheNextDay)
{
    SYSTEMTIME st{};
    ASSERT_TRUE(VariantTimeToSystemTime(0.5 + 0.4 / 86400, &st));
    EXPECT_EQ(st.wHour, 12);
    EXPECT_EQ(st.wSecond, 0);
    ASSERT_TRUE(VariantTimeToSystemTime(36526.0 - 0.1 / 86400, &st));
    EXPECT_EQ(st.wYear, 2000);  // 1999-12-31 23:59:59.9 rounds to midnight
    EXPECT_EQ(st.wDay, 1);
    EXPECT_EQ(st.wHour, 0);
    EXPECT_EQ(st.wDayOfWeek, 6);
    ASSERT_TRUE(VariantTimeToSystemTime(-1.9999999, &st));
    EXPECT_EQ(st.wDay, 30);  // 1899-12-29 23:59:59.99 rounds to the following midnight
    EXPECT_EQ(st.wHour, 0);
}

TEST(OleDateTime, StatusFollowsTheCalendar)
{
    COleDateTime fresh;
    EXPECT_EQ(fresh.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(fresh.m_dt, 0.0);

    COleDateTime y2k(MakeTime(2000, 1, 1));
    EXPECT_EQ(y2k.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(y2k.m_dt, 36526.0);
    EXPECT_EQ(y2k.GetYear(), 2000);
    EXPECT_EQ(y2k.GetDayOfWeek(), 7);  // Saturday

    COleDateTime leap(2023, 2, 29, 0, 0, 0);
    EXPECT_EQ(leap.GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(leap.GetYear(), -1);
    EXPECT_EQ(leap.SetDateTime(2024, 2, 29, 23, 59, 59), 0);
    EXPECT_EQ(leap.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(leap.GetSecond(), 59);
    EXPECT_EQ(leap.SetDateTime(-1, 1, 1, 0, 0, 0), 1);

    SYSTEMTIME out = MakeTime(1999, 9, 9);
    EXPECT_FALSE(COleDateTime(std::nan("")).GetAsSystemTime(out));
    EXPECT_EQ(out.wYear, 1999);
}

TEST(OleDateTime, FailedAssignmentKeepsTheValueButNotTheStatus)
{
    COleDateTime t(MakeTime(2024, 5, 1, 8));
    DATE before = t.m_dt;
    t = MakeTime(2024, 13, 1);
    EXPECT_EQ(t.GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(t.m_dt, before);
    EXPECT_NE(t, COleDateTime(MakeTime(2024, 5, 1, 8)));  // same value, other status
    t = MakeTime(2024, 5, 1, 8);
    EXPECT_EQ(t, COleDateTime(MakeTime(2024, 5, 1, 8)));
}

TEST(OleDateTime, OrderingIsByPointInTimeAlsoBefore1900)
{
    COleDateTime midnight(-1.0);  // 1899-12-29 00:00
    COleDateTime morning(-1.25);  // 1899-12-29 06:00
    EXPECT_TRUE(midnight < morning);
    EXPECT_TRUE(morning > midnight);
    EXPECT_TRUE(COleDateTime(-0.5) <= COleDateTime(0.5));  // both 1899-12-30 12:00
    EXPECT_TRUE(COleDateTime(-0.5) >= COleDateTime(0.5));
    COleDateTime y3001(3001, 1, 1, 0, 0, 0);
    COleDateTime alarm(MakeTime(2024, 6, 1, 9));
    EXPECT_TRUE(alarm < y3001);
    EXPECT_FALSE(y3001 < y3001);
}

TEST(OleDateTime, FromTimeValueAndNowUseLocalTime)
{
    TestZone zone("Europe/Berlin");
    COleDateTime epoch(DWORD(0));
    EXPECT_EQ(epoch.GetHour(), 1);
    EXPECT_DOUBLE_EQ(epoch.m_dt, 25569.0 + 1.0 / 24);

    platform::FixedClock clock(946684800);  // 2000-01-01 00:00:00 UTC
    platform::SetFixedClockMilliseconds(946684800LL * 1000 + 999);
    COleDateTime now = COleDateTime::GetCurrentTime();
    EXPECT_EQ(now.GetStatus(), COleDateTime::valid);
    EXPECT_DOUBLE_EQ(now.m_dt, 36526.0 + 1.0 / 24);  // whole seconds only
}

}  // namespace
