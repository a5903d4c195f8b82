#include "owebook/data/CsvReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::vector<std::string>>;

// Reads the text the way the seeding does: every field of a line while
// NextField succeeds, then on with NextLine.
Lines ReadAll(const CString& text)
{
    CCsvReader reader(text);
    Lines lines;
    do {
        std::vector<std::string> fields;
        CString field;
        do {
            reader.GetField(field);
            fields.push_back(field.ToUtf8());
        } while (reader.NextField());
        lines.push_back(fields);
        if (lines.size() > 1000)
            break;
    } while (reader.NextLine());
    return lines;
}

TEST(CsvReader, ReadsTheDefaultCategories)
{
    CString text(u"CDs,FALSE,TRUE\r\nBooks,FALSE,TRUE\r\nLoans,TRUE,TRUE\r\n"
                 u"Payments,TRUE,TRUE\r\nMisc,FALSE,TRUE\r\n");
    Lines expected = {{"CDs", "FALSE", "TRUE"},      {"Books", "FALSE", "TRUE"},
                      {"Loans", "TRUE", "TRUE"},     {"Payments", "TRUE", "TRUE"},
                      {"Misc", "FALSE", "TRUE"}};
    EXPECT_EQ(ReadAll(text), expected);
}

struct AwkwardCase {
    const char16_t* text;
    Lines lines;
};

class CsvReaderAwkward : public testing::TestWithParam<AwkwardCase> {};

TEST_P(CsvReaderAwkward, ReadsWhatTheScannerAllows)
{
    EXPECT_EQ(ReadAll(CString(GetParam().text)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CsvReaderAwkward,
    testing::Values(
        // The last field counts only when a line separator follows it.
        AwkwardCase{u"a,b,c", {{"a", "b"}}},
        AwkwardCase{u"a,b,c\r\n", {{"a", "b", "c"}}},
        // An empty field ends its line; the line's later fields are lost.
        AwkwardCase{u"a,,c\r\nd\r\n", {{"a"}, {"d"}}},
        // An empty first field repeats the field read before it.
        AwkwardCase{u"a,b\r\n,c\r\n", {{"a", "b"}, {"b"}}},
        // A blank line ends nothing: it repeats the previous field.
        AwkwardCase{u"a\r\n\r\nb\r\n", {{"a"}, {"a"}, {"b"}}},
        // A lone CR or LF is part of a field, not a line end.
        AwkwardCase{u"a\rb,c\nd\r\n", {{"a\rb", "c\nd"}}},
        // A CR at the very end of the text is an ordinary character.
        AwkwardCase{u"a,b\r", {{"a"}}},
        // Empty text and a text of separators only read nothing new.
        AwkwardCase{u"", {{""}}}, AwkwardCase{u"\r\n", {{""}}}, AwkwardCase{u",,,", {{""}}},
        AwkwardCase{u"x", {{""}}}));

TEST(CsvReader, FieldsMayHoldZerosAndNonLatinText)
{
    std::u16string raw(u"\u00e9t\u00e9,z\0z\r\n", 9);
    EXPECT_EQ(ReadAll(CString(raw.data(), static_cast<int>(raw.size()))),
              (Lines{{"\u00e9t\u00e9", std::string("z\0z", 3)}}));
}

}  // namespace
