#include "owebook/views/Formatting.h"

#include "owebook/data/LedgerTestEnv.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD JULY_3_2024 = 1720000000;  // 09:46:40 UTC

struct DateTimeCase {
    const char* zone;
    const char* locale;
    DWORD time;
    const char* shown;
    friend std::ostream& operator<<(std::ostream& os, const DateTimeCase& c)
    {
        return os << c.zone << " " << c.locale << " " << c.time;
    }
};

class FormatDateTimeTest : public testing::TestWithParam<DateTimeCase> {};

TEST_P(FormatDateTimeTest, GivesShortDateOneBlankAndLocalTime)
{
    const DateTimeCase& c = GetParam();
    TestZone zone(c.zone);
    TestLocale locale(c.locale);
    CString text(u"previous");
    int length = FormatDateTime(c.time, text);
    EXPECT_EQ(Utf8(text), c.shown);
    EXPECT_EQ(length, text.GetLength());
}

INSTANTIATE_TEST_SUITE_P(
    ZonesAndLocales, FormatDateTimeTest,
    testing::Values(DateTimeCase{"Europe/Berlin", "en_US", JULY_3_2024, "7/3/2024 11:46:40 AM"},
                    DateTimeCase{"Europe/Berlin", "de_DE", JULY_3_2024, "03.07.2024 11:46:40"},
                    DateTimeCase{"UTC", "en_GB", JULY_3_2024, "03/07/2024 09:46:40"},
                    DateTimeCase{"America/New_York", "en_US", JULY_3_2024, "7/3/2024 5:46:40 AM"},
                    // Winter time in Berlin, and the ends of the 32-bit range.
                    DateTimeCase{"Europe/Berlin", "en_US", 1710081000, "3/10/2024 3:30:00 PM"},
                    DateTimeCase{"Europe/Berlin", "de_DE", 0, "01.01.1970 01:00:00"},
                    DateTimeCase{"Europe/Berlin", "de_DE", 0xFFFFFFFFu, "07.02.2106 07:28:15"}));

TEST(FormatDateTime, TheUsersShortDateCountsButNotTheirTimeFormat)
{
    TestZone zone("Europe/Berlin");
    TestLocale locale("en_US");
    platform::SetUserShortDateFormat(u"yyyy-MM-dd");
    platform::SetUserTimeFormat(u"HH'h'mm");
    CString text;
    FormatDateTime(JULY_3_2024, text);
    EXPECT_EQ(Utf8(text), "2024-07-03 11:46:40 AM");
}

}  // namespace
