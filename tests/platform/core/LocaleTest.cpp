#include "platform/core/Locale.h"

#include "support/TestZone.h"
#include "platform/core/Clock.h"
#include "platform/core/LastError.h"
#include "platform/core/VariantTime.h"

#include <gtest/gtest.h>

namespace {

class LocaleFormats : public testing::Test {
protected:
    void TearDown() override
    {
        platform::SetLocaleName(nullptr);
        platform::SetUserShortDateFormat(nullptr);
        platform::SetUserTimeFormat(nullptr);
    }

    static CString Date(DWORD flags, const SYSTEMTIME& st, LPCWSTR picture = nullptr)
    {
        WCHAR buf[100];
        int n = GetDateFormatW(LOCALE_SYSTEM_DEFAULT, flags, &st, picture, buf, 100);
        EXPECT_GT(n, 0);
        EXPECT_EQ(n, static_cast<int>(CString(buf).GetLength()) + 1);
        return n > 0 ? CString(buf) : CString(u"<failed>");
    }

    static CString Time(DWORD flags, const SYSTEMTIME& st, LPCWSTR picture = nullptr)
    {
        WCHAR buf[100];
        int n = GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, flags, &st, picture, buf, 100);
        EXPECT_GT(n, 0);
        return n > 0 ? CString(buf) : CString(u"<failed>");
    }
};

TEST_F(LocaleFormats, ShortDateAndDefaultTimePerLocale)
{
    struct Case {
        const char* locale;
        const char16_t* date;
        const char16_t* morning;
        const char16_t* afternoon;
    } cases[] = {
        {"en_US", u"1/5/2024", u"12:04:05 AM", u"3:04:05 PM"},
        {"de_DE", u"05.01.2024", u"00:04:05", u"15:04:05"},
        {"en_GB", u"05/01/2024", u"00:04:05", u"15:04:05"},
        {"C", u"5 Jan 2024", u"00:04:05", u"15:04:05"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        platform::SetLocaleName(c.locale);
        EXPECT_EQ(Date(DATE_SHORTDATE, MakeTime(2024, 1, 5)).str(), c.date);
        EXPECT_EQ(Time(LOCALE_NOUSEROVERRIDE, MakeTime(2024, 1, 5, 0, 4, 5)).str(), c.morning);
        EXPECT_EQ(Time(LOCALE_NOUSEROVERRIDE, MakeTime(2024, 1, 5, 15, 4, 5)).str(), c.afternoon);
    }
}

TEST_F(LocaleFormats, UserOverridesApplyUnlessRefused)
{
    platform::SetLocaleName("en_US");
    platform::SetUserShortDateFormat(u"yyyy-MM-dd");
    platform::SetUserTimeFormat(u"HH'h'mm");
    SYSTEMTIME st = MakeTime(2024, 11, 3, 9, 8, 7);
    EXPECT_EQ(Date(DATE_SHORTDATE, st).str(), u"2024-11-03");
    EXPECT_EQ(Date(DATE_SHORTDATE | LOCALE_NOUSEROVERRIDE, st).str(), u"11/3/2024");
    EXPECT_EQ(Time(0, st).str(), u"09h08");
    EXPECT_EQ(Time(LOCALE_NOUSEROVERRIDE, st).str(), u"9:08:07 AM");
}

TEST_F(LocaleFormats, PicturesAndTimeFlags)
{
    platform::SetLocaleName("en_US");
    SYSTEMTIME st = MakeTime(2024, 1, 5, 15, 4, 5);
    EXPECT_EQ(Date(0, st, u"dddd, MMMM d, yyyy 'at' ''x''").str(), u"Friday, January 5, 2024 at 'x'");
    EXPECT_EQ(Date(0, st, u"ddd dd MMM yy").str(), u"Fri 05 Jan 24");
    EXPECT_EQ(Date(DATE_LONGDATE, st).str(), u"Friday, January 5, 2024");
    EXPECT_EQ(Time(TIME_NOSECONDS | LOCALE_NOUSEROVERRIDE, st).str(), u"3:04 PM");
    EXPECT_EQ(Time(TIME_NOMINUTESORSECONDS | LOCALE_NOUSEROVERRIDE, st).str(), u"3 PM");
    EXPECT_EQ(Time(TIME_NOTIMEMARKER | LOCALE_NOUSEROVERRIDE, st).str(), u"3:04:05");
    EXPECT_EQ(Time(TIME_FORCE24HOURFORMAT | LOCALE_NOUSEROVERRIDE, st).str(), u"15:04:05");
    EXPECT_EQ(Time(0, st, u"hh:mm:ss t").str(), u"03:04:05 P");
    EXPECT_EQ(Time(0, MakeTime(2024, 1, 5, 12, 0, 0), u"h tt").str(), u"12 PM");
}

TEST_F(LocaleFormats, SizeQueriesAndFailures)
{
    platform::SetLocaleName("en_US");
    SYSTEMTIME st = MakeTime(2024, 12, 25);
    EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, nullptr, 0), 11);

    WCHAR small[10];
    std::fill(std::begin(small), std::end(small), u'#');
    SetLastError(0);
    EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, small, 10), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(small[9], u'#');

    WCHAR buf[100];
    SYSTEMTIME feb30 = MakeTime(2024, 2, 30);
    SetLastError(0);
    EXPECT_EQ(GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &feb30, nullptr, buf, 100), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    SYSTEMTIME zero{};
    EXPECT_EQ(GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &zero, nullptr, buf, 100), 0);

    SYSTEMTIME hour24 = MakeTime(2024, 1, 1, 24);
    EXPECT_EQ(GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, 0, &hour24, nullptr, buf, 100), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));

    SetLastError(0);
    EXPECT_EQ(GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE | DATE_LONGDATE, &st, nullptr, buf, 100), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_FLAGS));
    EXPECT_EQ(GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &st, u"d", buf, 100), 0);
    EXPECT_EQ(GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, LOCALE_NOUSEROVERRIDE, &st, u"H", buf, 100), 0);
    EXPECT_EQ(GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &st, nullptr, nullptr, 5), 0);
    EXPECT_EQ(GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, -1), 0);
}

TEST_F(LocaleFormats, NoTimeGivenMeansNow)
{
    TestZone zone("UTC");
    platform::SetLocaleName("de_DE");
    platform::FixedClock clock(1719835200);  // 2024-07-01 12:00:00 UTC
    WCHAR buf[100];
    ASSERT_GT(GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buf, 100), 0);
    EXPECT_EQ(CString(buf).str(), u"01.07.2024");
    ASSERT_GT(GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, 0, nullptr, nullptr, buf, 100), 0);
    EXPECT_EQ(CString(buf).str(), u"12:00:00");
}

// What the list shows as "date blank time" reads back as the same point in time.
TEST_F(LocaleFormats, DateTimeTextsReadBack)
{
    const SYSTEMTIME times[] = {
        MakeTime(2024, 1, 5, 0, 0, 0), MakeTime(2024, 1, 5, 12, 0, 0), MakeTime(2024, 12, 31, 23, 59, 59),
        MakeTime(1970, 1, 1, 1, 2, 3), MakeTime(2106, 2, 7, 6, 28, 15), MakeTime(2029, 6, 15, 9, 30, 0),
    };
    for (const char* locale : {"en_US", "de_DE", "C", "ja_JP", "ko_KR"}) {
        platform::SetLocaleName(locale);
        for (const auto& st : times) {
            CString text = Date(DATE_SHORTDATE, st) + u" " + Time(LOCALE_NOUSEROVERRIDE, st);
            SCOPED_TRACE(std::string(locale) + ": " + text.ToUtf8());
            DATE expected = 0, parsed = -1;
            ASSERT_TRUE(SystemTimeToVariantTime(&st, &expected));
            ASSERT_EQ(VarDateFromStr(text, LOCALE_USER_DEFAULT, 0, &parsed), S_OK);
            EXPECT_DOUBLE_EQ(parsed, expected);
        }
    }
}

TEST_F(LocaleFormats, ReadingOrdersDatesAndRefusesOtherTexts)
{
    platform::SetLocaleName("en_US");
    DATE early = 0, late = 0, dateOnly = 0;
    ASSERT_EQ(VarDateFromStr(u"1/5/2024 3:04:05 PM", LOCALE_USER_DEFAULT, 0, &early), S_OK);
    ASSERT_EQ(VarDateFromStr(u"1/10/2024 9:00:00 AM", LOCALE_USER_DEFAULT, 0, &late), S_OK);
    EXPECT_LT(early, late);
    ASSERT_EQ(VarDateFromStr(u"  1/5/2024  ", LOCALE_USER_DEFAULT, 0, &dateOnly), S_OK);
    EXPECT_DOUBLE_EQ(dateOnly, 45296.0);
    DATE iso = 0;
    ASSERT_EQ(VarDateFromStr(u"2024-01-05 15:04:05", LOCALE_USER_DEFAULT, 0, &iso), S_OK);
    EXPECT_DOUBLE_EQ(iso, early);
    ASSERT_EQ(VarDateFromStr(u"1/5/2024 3:04:05 PM", LOCALE_USER_DEFAULT, VAR_DATEVALUEONLY, &iso), S_OK);
    EXPECT_DOUBLE_EQ(iso, 45296.0);

    for (const char16_t* bad : {u"Yes", u"No", u"", u"None", u"1/5/2024x", u"2/30/2024 1:00:00 AM",
                                u"1/5/2024 13:00:00 PM", u"1/5/2024 3:61:00 PM", u"5/2024"}) {
        SCOPED_TRACE(CString(bad).ToUtf8());
        DATE untouched = 123.0;
        EXPECT_EQ(VarDateFromStr(bad, LOCALE_USER_DEFAULT, 0, &untouched), DISP_E_TYPEMISMATCH);
        EXPECT_EQ(untouched, 123.0);
    }
    EXPECT_EQ(VarDateFromStr(nullptr, LOCALE_USER_DEFAULT, 0, &early), E_INVALIDARG);
}

}  // namespace
