#include "platform/core/CString.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

namespace {

TEST(CStringUtf8, DecodesAndReplacesInvalidSequences)
{
    struct Case {
        const char* utf8;
        std::u16string expected;
    } cases[] = {
        {"h\xC3\xA9llo", u"h\u00E9llo"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"\xFF" "a", u"\uFFFD" "a"},
        {"\xE2\x82", u"\uFFFD\uFFFD"},          // cut short
        {"\xC0\xAF", u"\uFFFD\uFFFD"},          // overlong '/'
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
        {"", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(CString(c.utf8).str(), c.expected);
        EXPECT_EQ(CString::FromUtf8(c.utf8).str(), c.expected);
    }
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
}

TEST(CStringUtf8, LengthCountsCodeUnitsAndRoundTrips)
{
    CString s("a\xF0\x9F\x98\x80" "b");
    EXPECT_EQ(s.GetLength(), 4);
    EXPECT_EQ(s.ToUtf8(), "a\xF0\x9F\x98\x80" "b");
    CString lone(u"x\xD800y");
    EXPECT_EQ(lone.ToUtf8(), "x\xEF\xBF\xBDy");
}

TEST(CStringText, EmbeddedZerosAreKept)
{
    CString s(u"a\0b", 3);
    EXPECT_EQ(s.GetLength(), 3);
    EXPECT_EQ(s.Find(u'b'), 2);
    EXPECT_EQ(s.ToUtf8(), std::string("a\0b", 3));
    EXPECT_EQ(CString::FromUtf8(std::string_view("x\0y", 3)).GetLength(), 3);
    EXPECT_EQ(CString(static_cast<LPCWSTR>(nullptr), 5).GetLength(), 0);
    EXPECT_EQ(CString(u'z', -2).GetLength(), 0);
}

TEST(CStringCompare, OrdinalAndNoCase)
{
    EXPECT_LT(CString(u"Z").Compare(u"a"), 0);
    EXPECT_GT(CString(u"\uFFFF").Compare(u"z"), 0);
    EXPECT_EQ(CString().Compare(nullptr), 0);
    EXPECT_LT(CString(u"ab").Compare(u"abc"), 0);

    struct Case {
        const char16_t* a;
        const char16_t* b;
        int sign;
    } cases[] = {
        {u"abc", u"ABC", 0},
        {u"\u00C4\u00D6\u00DC", u"\u00E4\u00F6\u00FC", 0},
        {u"\u03A9\u039C\u0388", u"\u03C9\u03BC\u03AD", 0},
        {u"\u0416\u0401", u"\u0436\u0451", 0},
        {u"\u0141\u00F3d\u017A", u"\u0142\u00D3D\u0179", 0},
        {u"abc", u"ABD", -1},
        {u"ab", u"ABC", -1},
        {u"Stra\u00DFe", u"STRASSE", 1},
        {u"", u"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(CString(c.a).ToUtf8() + " / " + CString(c.b).ToUtf8());
        EXPECT_EQ(CString(c.a).CompareNoCase(c.b), c.sign);
        EXPECT_EQ(CString(c.b).CompareNoCase(c.a), -c.sign);
    }
    CString s(u"abc");
    EXPECT_TRUE(s == u"abc");
    EXPECT_TRUE(u"abc" == s);
    EXPECT_TRUE(s != u"abd");
}

TEST(CStringFind, EdgeCases)
{
    CString s(u"abcabc");
    EXPECT_EQ(s.Find(u'c'), 2);
    EXPECT_EQ(s.Find(u'c', 3), 5);
    EXPECT_EQ(s.Find(u'c', 6), -1);
    EXPECT_EQ(s.Find(u'a', -1), -1);
    EXPECT_EQ(s.Find(u"bc", 2), 4);
    EXPECT_EQ(s.Find(u""), 0);
    EXPECT_EQ(s.Find(u"", 6), 6);
    EXPECT_EQ(s.Find(u"a", 7), -1);
    EXPECT_EQ(s.Find(static_cast<LPCWSTR>(nullptr)), -1);
    EXPECT_EQ(s.Find(u"abcabcd"), -1);
    EXPECT_EQ(s.ReverseFind(u'a'), 3);
    EXPECT_EQ(s.ReverseFind(u'x'), -1);
    EXPECT_EQ(CString().Find(u'a'), -1);
}

TEST(CStringSubstrings, OutOfRangeArgumentsClamp)
{
    CString s(u"hello");
    struct Case {
        CString got;
        const char16_t* expected;
    } cases[] = {
        {s.Left(2), u"he"},     {s.Left(-1), u""},     {s.Left(99), u"hello"},
        {s.Mid(1), u"ello"},    {s.Mid(-5), u"hello"}, {s.Mid(5), u""},
        {s.Mid(9), u""},        {s.Mid(1, 3), u"ell"}, {s.Mid(2, -1), u""},
        {s.Mid(3, 99), u"lo"},  {s.Mid(-2, 3), u"hel"}, {s.Right(2), u"lo"},
        {s.Right(-3), u""},     {s.Right(99), u"hello"},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].got.str(), cases[i].expected) << "case " << i;
    EXPECT_EQ(s.GetAt(5), 0);
    EXPECT_EQ(s.GetAt(-1), 0);
}

TEST(CStringTrim, LeftAndRight)
{
    EXPECT_EQ(CString(u" \t\u00A0\u3000x y ").TrimLeft().str(), u"x y ");
    EXPECT_EQ(CString(u"   ").TrimLeft().str(), u"");
    EXPECT_EQ(CString(u"xxaxb").TrimLeft(u'x').str(), u"axb");
    EXPECT_EQ(CString(u"yxzab").TrimLeft(u"xy").str(), u"zab");
    EXPECT_EQ(CString(u" a").TrimLeft(static_cast<LPCWSTR>(nullptr)).str(), u" a");
    EXPECT_EQ(CString(u"a \r\n").TrimRight().str(), u"a");
    EXPECT_EQ(CString(u"  a  ").Trim().str(), u"a");
}

// Each conversion is checked against the C library's own output.
template <typename T>
void ExpectLikeSnprintf(const char* narrow, const char16_t* wide, T value)
{
    std::string expected(static_cast<size_t>(std::snprintf(nullptr, 0, narrow, value)), '\0');
    std::snprintf(expected.data(), expected.size() + 1, narrow, value);
    CString s;
    s.Format(wide, value);
    EXPECT_EQ(s.ToUtf8(), expected) << narrow;
}

TEST(CStringFormat, NumbersAsTheCLibraryPrintsThem)
{
    const std::pair<const char*, const char16_t*> intFormats[] = {
        {"%d", u"%d"},     {"%5d", u"%5d"},   {"%-5d|", u"%-5d|"}, {"%05d", u"%05d"}, {"%+d", u"%+d"},
        {"% d", u"% d"},   {"%x", u"%x"},     {"%X", u"%X"},       {"%#x", u"%#x"},   {"%o", u"%o"},
        {"%u", u"%u"},     {"%.3d", u"%.3d"}, {"%i", u"%i"},
    };
    for (int v : {0, 1, -1, 42, 65535, INT_MAX, INT_MIN})
        for (const auto& f : intFormats)
            ExpectLikeSnprintf(f.first, f.second, v);

    const std::pair<const char*, const char16_t*> doubleFormats[] = {
        {"%f", u"%f"},         {"%.2f", u"%.2f"}, {"%10.3f", u"%10.3f"}, {"%-10.1f|", u"%-10.1f|"},
        {"%e", u"%e"},         {"%.0f", u"%.0f"}, {"%g", u"%g"},         {"%+.3f", u"%+.3f"},
        {"%7.2f", u"%7.2f"},   {"%E", u"%E"},     {"%G", u"%G"},         {"%#.0f", u"%#.0f"},
    };
    for (double v : {0.0, -0.0, 1.005, 12.345, -2.5, 0.125, 1e10, 123456789.125, 0.004, 1e300})
        for (const auto& f : doubleFormats)
            ExpectLikeSnprintf(f.first, f.second, v);
}

TEST(CStringFormat, StringsWithWidthAndPrecision)
{
    const std::pair<const char*, const char16_t*> formats[] = {
        {"%s", u"%s"}, {"%10s", u"%10s"}, {"%-10s|", u"%-10s|"}, {"%.3s", u"%.3s"}, {"%10.2s", u"%10.2s"},
    };
    for (const char* text : {"", "abc", "abcdefghijk"}) {
        CString wide = CString::FromLatin1(text);
        for (const auto& f : formats) {
            char expected[64];
            std::snprintf(expected, sizeof expected, f.first, text);
            CString s;
            s.Format(f.second, static_cast<LPCWSTR>(wide));
            EXPECT_EQ(s.ToUtf8(), expected) << f.first << " " << text;
        }
    }
}

TEST(CStringFormat, SizePrefixesAndOddities)
{
    CString s;
    LONG minus = -5;
    DWORD all = 0xFFFFFFFFu;
    s.Format(u"%ld %lu %lx", minus, all, all);  // 32-bit longs, as the handheld's
    EXPECT_EQ(s.str(), u"-5 4294967295 ffffffff");
    s.Format(u"%I64d %lld %hd", -9000000000LL, 9000000000LL, 70000);
    EXPECT_EQ(s.str(), u"-9000000000 9000000000 4464");
    s.Format(u"%c%C|%3c|%-3c|", u'\u00E9', 'x', u'a', u'b');
    EXPECT_EQ(s.str(), u"\u00E9x|  a|b  |");
    s.Format(u"%hs/%S/%s", "n\xC3\xA4rrow", "x", static_cast<LPCWSTR>(nullptr));
    EXPECT_EQ(s.str(), u"n\u00E4rrow/x/(null)");
    s.Format(u"%*d|%-*d|%.*f", 4, 7, 3, 8, 1, 2.25);
    EXPECT_EQ(s.str(), u"   7|8  |2.2");
    s.Format(u"%*d|", -4, 7);
    EXPECT_EQ(s.str(), u"7   |");
    s.Format(u"100%% %k %");
    EXPECT_EQ(s.str(), u"100% %k %");
    s.Format(u"%*d", INT_MAX, 1);  // bounded, not a crash
    EXPECT_LE(s.GetLength(), 100000);
    s.Format(nullptr);
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringFormat, OwnTextAsArgument)
{
    CString s(u"abc");
    s.Format(u"[%s]", static_cast<LPCWSTR>(s));
    EXPECT_EQ(s.str(), u"[abc]");
}

TEST(CStringBuffer, GetBufferAndRelease)
{
    CString s(u"xyz");
    LPWSTR p = s.GetBuffer(10);
    EXPECT_EQ(p[0], u'x');
    p[0] = u'a';
    p[1] = u'b';
    p[2] = 0;
    s.ReleaseBuffer();
    EXPECT_EQ(s.str(), u"ab");

    p = s.GetBuffer(0);
    p[0] = u'q';
    s.ReleaseBuffer(1);
    EXPECT_EQ(s.str(), u"q");

    p = s.GetBufferSetLength(4);
    std::memcpy(p, u"wxyz", 8);
    s.ReleaseBuffer(4);
    EXPECT_EQ(s.str(), u"wxyz");
    s.ReleaseBuffer(99);  // longer than the text: nothing to cut
    EXPECT_EQ(s.str(), u"wxyz");
}

TEST(CStringEdit, ReplaceInsertDeleteAndCase)
{
    CString s(u"a-b-c");
    EXPECT_EQ(s.Replace(u"-", u"--"), 2);
    EXPECT_EQ(s.str(), u"a--b--c");
    EXPECT_EQ(s.Replace(u"", u"x"), 0);
    EXPECT_EQ(s.Replace(u'-', u'+'), 4);
    EXPECT_EQ(s.Insert(-3, u'>'), 8);
    EXPECT_EQ(s.Insert(99, u"<"), 9);
    EXPECT_EQ(s.str(), u">a++b++c<");
    EXPECT_EQ(s.Delete(1, 99), 1);
    EXPECT_EQ(s.Delete(5), 1);
    CString mixed(u"\u00E4bc\u0436\u03C9");
    EXPECT_EQ(mixed.MakeUpper().str(), u"\u00C4BC\u0416\u03A9");
    EXPECT_EQ(mixed.MakeLower().str(), u"\u00E4bc\u0436\u03C9");
}

}  // namespace
