#include "platform/core/WideC.h"

#include "platform/core/CString.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

namespace {

CString Wide(const char* ascii) { return CString::FromLatin1(ascii); }

const char* const kIntegerInputs[] = {
    "0", "42", "   42", "\t\n-17abc", "+5", "-", "+", "", "abc", " - 5", "2147483647", "2147483648",
    "-2147483648", "-2147483649", "99999999999999999999999", "-99999999999999999999999", "0x1F", "0X1fz", "0x",
    "0xg", "010", "019", "z", "Zz", "12", "1010102", "-0x10", "007", "9a",
};

// The handheld's long is 32 bits: the C library's answer, clamped to that range.
TEST(WideIntegerParse, MatchesTheCLibraryWithA32BitLong)
{
    for (const char* input : kIntegerInputs) {
        for (int base : {0, 2, 8, 10, 16, 36}) {
            SCOPED_TRACE(testing::Message() << '"' << input << "\" base " << base);
            char* cEnd = nullptr;
            errno = 0;
            long long expected = std::strtoll(input, &cEnd, base);
            bool expectRange = errno == ERANGE || expected > INT32_MAX || expected < INT32_MIN;
            if (expected > INT32_MAX)
                expected = INT32_MAX;
            if (expected < INT32_MIN)
                expected = INT32_MIN;

            CString text = Wide(input);
            WCHAR* end = nullptr;
            errno = 0;
            LONG value = wcstol(text, &end, base);
            EXPECT_EQ(value, expected);
            EXPECT_EQ(end - text.GetString(), cEnd - input);
            EXPECT_EQ(errno == ERANGE, expectRange);
        }
    }
}

TEST(WideIntegerParse, UnsignedWrapsNegativesAndClampsOverflow)
{
    struct Case {
        const char* input;
        ULONG value;
        int consumed;
        bool range;
    } cases[] = {
        {"4294967295", 0xFFFFFFFFu, 10, false},
        {"4294967296", 0xFFFFFFFFu, 10, true},
        {"-1", 0xFFFFFFFFu, 2, false},
        {"-4294967295", 1u, 11, false},
        {"-4294967296", 0xFFFFFFFFu, 11, true},
        {"  0x10!", 16u, 6, false},
        {"x", 0u, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        CString text = Wide(c.input);
        WCHAR* end = nullptr;
        errno = 0;
        EXPECT_EQ(wcstoul(text, &end, 0), c.value);
        EXPECT_EQ(end - text.GetString(), c.consumed);
        EXPECT_EQ(errno == ERANGE, c.range);
    }
}

TEST(WideIntegerParse, BadBaseAndNonAsciiDigits)
{
    WCHAR* end = nullptr;
    const WCHAR* text = u"12";
    EXPECT_EQ(wcstol(text, &end, 1), 0);
    EXPECT_EQ(end, text);
    EXPECT_EQ(wcstol(text, &end, 37), 0);
    const WCHAR* fullWidth = u"\uFF11\uFF12";  // fullwidth digits are no digits here
    EXPECT_EQ(wcstol(fullWidth, &end, 10), 0);
    EXPECT_EQ(end, fullWidth);
    const WCHAR* ideographicSpace = u"\u3000-7\u0663";
    EXPECT_EQ(wcstol(ideographicSpace, &end, 10), -7);
    EXPECT_EQ(end - ideographicSpace, 3);
    EXPECT_EQ(_wtoi(u"  -12abc"), -12);
    EXPECT_EQ(_wtoi(u"3000000000"), INT_MAX);
    EXPECT_EQ(_wtol(u"-3000000000"), INT32_MIN);
    EXPECT_EQ(_wtoi(u""), 0);
}

const char* const kDoubleInputs[] = {
    "3.14", "  -2.5e3x", ".5", "5.", ".", "-", "+.e1", "e5", "1e", "1e+", "1e+2", "0x1p4", "0x.8", "0x", "inf",
    "-Infinity", "infinit", "nan", "NaN(123)", "nanx", "1,5", "  +0.0", "-0", "1e400", "-1e400", "1e-400",
    "00012.50", "12.34.56", "123456789012345678901234567890", "2.2250738585072014e-308", "0.1000000000000000055511151231257827",
};

TEST(WideDoubleParse, MatchesTheCLibraryInTheCLocale)
{
    for (const char* input : kDoubleInputs) {
        SCOPED_TRACE(input);
        char* cEnd = nullptr;
        double expected = std::strtod(input, &cEnd);
        CString text = Wide(input);
        WCHAR* end = nullptr;
        double value = wcstod(text, &end);
        if (std::isnan(expected))
            EXPECT_TRUE(std::isnan(value));
        else
            EXPECT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << value << " vs " << expected;
        EXPECT_EQ(end - text.GetString(), cEnd - input);
        if (!std::isnan(value))
            EXPECT_EQ(_wtof(text), value);
    }
}

TEST(WideDoubleParse, StopsAtTheFirstCodeUnitBeyondAscii)
{
    WCHAR* end = nullptr;
    const WCHAR* arabicDigit = u"12\u06635";
    EXPECT_EQ(wcstod(arabicDigit, &end), 12.0);
    EXPECT_EQ(end - arabicDigit, 2);
    const WCHAR* accent = u"\u00E91";
    EXPECT_EQ(wcstod(accent, &end), 0.0);
    EXPECT_EQ(end, accent);
    const WCHAR* nbsp = u"\u00A0 1.5";
    EXPECT_EQ(wcstod(nbsp, &end), 1.5);
    EXPECT_EQ(end - nbsp, 5);
    EXPECT_EQ(wcstod(nullptr, &end), 0.0);
}

TEST(WideStrings, CompareAndSearch)
{
    EXPECT_EQ(wcslen(u"abc"), 3u);
    EXPECT_EQ(wcslen(u""), 0u);
    EXPECT_LT(wcscmp(u"A", u"\uFFFF"), 0);  // code units compare unsigned
    EXPECT_GT(wcscmp(u"ab", u"a"), 0);
    EXPECT_EQ(wcsncmp(u"abcX", u"abcY", 3), 0);
    EXPECT_EQ(_wcsicmp(u"\u00C4pfel \u0416", u"\u00E4PFEL \u0436"), 0);
    EXPECT_LT(_wcsicmp(u"apple", u"APPLES"), 0);
    EXPECT_EQ(_wcsnicmp(u"HELLO world", u"hello", 5), 0);

    const WCHAR* s = u"a/b/c";
    EXPECT_EQ(wcschr(s, u'/'), s + 1);
    EXPECT_EQ(wcsrchr(s, u'/'), s + 3);
    EXPECT_EQ(wcschr(s, u'x'), nullptr);
    EXPECT_EQ(wcschr(s, 0), s + 5);  // the terminator is part of the string
    EXPECT_EQ(wcsstr(s, u"b/c"), s + 2);
    EXPECT_EQ(wcsstr(s, u""), s);
    EXPECT_EQ(wcsstr(s, u"c/"), nullptr);
}

TEST(WideStrings, CopyAndConcatenate)
{
    WCHAR buf[8];
    std::fill(std::begin(buf), std::end(buf), u'#');
    wcsncpy(buf, u"ab", 5);
    EXPECT_EQ(buf[1], u'b');
    EXPECT_EQ(buf[2], 0);
    EXPECT_EQ(buf[4], 0);  // padded to the count
    EXPECT_EQ(buf[5], u'#');
    wcsncpy(buf, u"abcdefgh", 3);
    EXPECT_EQ(buf[2], u'c');
    EXPECT_EQ(buf[3], 0);  // left from before: a long source gets no terminator
    wcscpy(buf, u"ab");
    wcscat(buf, u"cd");
    EXPECT_EQ(CString(buf), CString(u"abcd"));
}

TEST(WideStrings, CharacterClasses)
{
    EXPECT_TRUE(iswspace(u' '));
    EXPECT_TRUE(iswspace(u'\u3000'));
    EXPECT_FALSE(iswspace(u'x'));
    EXPECT_TRUE(iswdigit(u'7'));
    EXPECT_FALSE(iswdigit(u'\u0663'));
    EXPECT_TRUE(iswalpha(u'\u00E9'));
    EXPECT_TRUE(iswalpha(u'\u0416'));
    EXPECT_FALSE(iswalpha(u'1'));
    EXPECT_EQ(towupper(u'\u00FF'), u'\u0178');
    EXPECT_EQ(towlower(u'\u0178'), u'\u00FF');
    EXPECT_EQ(towupper(u'\u00DF'), u'\u00DF');  // no single-unit capital
    EXPECT_EQ(towupper(u'\xD800'), u'\xD800');
}

TEST(WideFormat, NeverWritesPastTheBufferAndAlwaysTerminates)
{
    WCHAR buf[8];
    auto reset = [&] { std::fill(std::begin(buf), std::end(buf), u'#'); };

    reset();
    EXPECT_EQ(_snwprintf(buf, 5, u"%d", 123456), -1);
    EXPECT_EQ(CString(buf), CString(u"1234"));
    EXPECT_EQ(buf[5], u'#');

    reset();
    EXPECT_EQ(snwprintf(buf, 5, u"%s", u"abcd"), 4);
    EXPECT_EQ(CString(buf), CString(u"abcd"));

    reset();
    EXPECT_EQ(_snwprintf(buf, 0, u"%s", u"abcd"), -1);
    EXPECT_EQ(buf[0], u'#');

    reset();
    EXPECT_EQ(swprintf(buf, u"%s-%d", u"0123456789", 5), -1);  // the array bounds it
    EXPECT_EQ(CString(buf), CString(u"0123456"));

    reset();
    EXPECT_EQ(swprintf(buf, 8, u"%.1f%%", 2.25), 4);
    EXPECT_EQ(CString(buf), CString(u"2.2%"));
}

}  // namespace
