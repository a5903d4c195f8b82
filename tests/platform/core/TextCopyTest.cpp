// The bounded text copy behind every "get text" call.

#include "platform/core/TextCopy.h"

#include <gtest/gtest.h>

#include <string>

TEST(TextCopy, CopiesWhatFitsAndAlwaysEndsWithAZero)
{
    struct Case {
        std::u16string text;
        std::size_t capacity;
        std::size_t copied;
        std::u16string result;
    };
    const Case cases[] = {
        {u"hello", 10, 5, u"hello"},   // room to spare
        {u"hello", 6, 5, u"hello"},    // exactly text and zero
        {u"hello", 5, 4, u"hell"},     // one short: cut, still ended
        {u"hello", 1, 0, u""},         // room for the zero only
        {u"", 4, 0, u""},
    };
    for (const Case& c : cases) {
        std::u16string buffer(12, u'#');
        EXPECT_EQ(platform::CopyText(c.text, buffer.data(), c.capacity), c.copied) << c.capacity;
        EXPECT_EQ(std::u16string(buffer.c_str()), c.result) << c.capacity;
        EXPECT_EQ(buffer[c.capacity], u'#') << "nothing written past the capacity";
    }
}

TEST(TextCopy, NoBufferOrNoRoomWritesNothing)
{
    WCHAR buffer[2] = {u'#', u'#'};
    EXPECT_EQ(platform::CopyText(u"abc", buffer, 0), 0u);
    EXPECT_EQ(buffer[0], u'#');
    EXPECT_EQ(platform::CopyText(u"abc", nullptr, 5), 0u);
}
