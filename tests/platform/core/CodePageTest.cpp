#include "platform/core/CodePage.h"

#include "platform/core/LastError.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

TEST(CodePage, AnsiIsWindows1252BothWays)
{
    const char bytes[] = "a\x80\x81\x9F\xA0\xE9\xFF";
    const std::u16string wide = u"a\u20AC\u0081\u0178\u00A0\u00E9\u00FF";
    WCHAR out[16] = {};
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, bytes, 7, out, 16), 7);
    EXPECT_EQ(std::u16string(out, 7), wide);

    char back[16] = {};
    BOOL usedDefault = TRUE;
    ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), 7, back, 16, nullptr, &usedDefault), 7);
    EXPECT_EQ(std::memcmp(back, bytes, 7), 0);
    EXPECT_FALSE(usedDefault);
}

TEST(CodePage, UnmappableCharactersTakeTheDefault)
{
    char out[8] = {};
    BOOL usedDefault = FALSE;
    ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, u"1\u0416\u20AC", -1, out, 8, nullptr, &usedDefault), 4);
    EXPECT_STREQ(out, "1?\x80");
    EXPECT_TRUE(usedDefault);
    const char star = '*';
    ASSERT_EQ(WideCharToMultiByte(1252, 0, u"\xD800", 1, out, 8, &star, nullptr), 1);
    EXPECT_EQ(out[0], '*');
}

TEST(CodePage, SizesTerminatorsAndFailures)
{
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "h\xC3\xA9", -1, nullptr, 0), 3);  // h, e-acute, zero
    WCHAR small[2] = {u'#', u'#'};
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 3, small, 2), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(small[0], u'#');
    EXPECT_EQ(MultiByteToWideChar(932, 0, "abc", 3, small, 2), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 0, small, 2), 0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u00E9", 1, nullptr, 0, nullptr, nullptr), 2);
}

}  // namespace
