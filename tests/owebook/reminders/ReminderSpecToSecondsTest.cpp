// Lead times and snooze lengths: fixed units, and months counted in days
// from the current local month, with the leap day of a leap year's span.

#include "owebook/data/LedgerTestEnv.h"
#include "owebook/reminders/ReminderSpecToSeconds.h"
#include "platform/core/Time.h"

namespace {

struct LengthCase {
    const char* name;
    SYSTEMTIME now;   // local, Berlin
    BYTE unit;
    BYTE count;
    DWORD seconds;
};

void PrintTo(const LengthCase& c, std::ostream* os) { *os << c.name; }

constexpr DWORD DAY = 86400;

class ReminderLength : public LedgerTest, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(ReminderLength, IsTheUnitTimesTheCountOrTheMonthsDays)
{
    const LengthCase& c = GetParam();
    std::int64_t now = 0;
    ASSERT_TRUE(platform::LocalToUtcSeconds(c.now, now));
    platform::FixedClock clock(now);
    // The switch on the unit reads only unit and count.
    for (DWORD on : {0u, 1u})
        EXPECT_EQ(ReminderSpecToSeconds(ReminderSpec(on, c.unit, c.count)), c.seconds);
}

const SYSTEMTIME MID_MARCH_2024 = MakeTime(2024, 3, 10, 15, 30);

INSTANTIATE_TEST_SUITE_P(Reminders, ReminderLength, ::testing::ValuesIn(std::vector<LengthCase>{
    {"minutes", MID_MARCH_2024, 0, 5, 300},
    {"minutes_most", MID_MARCH_2024, 0, 255, 15300},
    {"hours", MID_MARCH_2024, 1, 2, 7200},
    {"days", MID_MARCH_2024, 2, 3, 3 * DAY},
    {"weeks", MID_MARCH_2024, 3, 2, 14 * DAY},
    {"weeks_most", MID_MARCH_2024, 3, 255, 255 * 7 * DAY},
    {"zero_days", MID_MARCH_2024, 2, 0, 0},
    {"other_unit_counts_seconds", MID_MARCH_2024, 9, 45, 45},
    {"unit_5_count_0", MID_MARCH_2024, 5, 0, 0},
    {"unit_255", MID_MARCH_2024, 255, 255, 255},
    // Months: from the current month on, leap day once in a year divisible
    // by 4 and not by 100, whatever months the span covers.
    {"month_31_january_2024", MakeTime(2024, 1, 31, 12), 4, 1, 32 * DAY},
    {"month_march_2024", MID_MARCH_2024, 4, 1, 32 * DAY},
    {"months_january_to_march_2024", MakeTime(2024, 1, 5), 4, 3, (31 + 28 + 31 + 1) * DAY},
    {"month_february_2023", MakeTime(2023, 2, 1), 4, 1, 28 * DAY},
    {"months_december_2023_wrap", MakeTime(2023, 12, 20), 4, 2, 62 * DAY},
    {"month_february_2100", MakeTime(2100, 2, 10), 4, 1, 28 * DAY},
    {"month_july_2100", MakeTime(2100, 7, 10), 4, 1, 31 * DAY},
    {"month_february_2000_century", MakeTime(2000, 2, 10), 4, 1, 28 * DAY},
    {"twelve_months_2025", MakeTime(2025, 6, 1), 4, 12, 365 * DAY},
    {"zero_months_in_a_leap_year", MID_MARCH_2024, 4, 0, 0},
}), [](const ::testing::TestParamInfo<LengthCase>& info) { return std::string(info.param.name); });

}  // namespace
