#include "owebook/data/CategoryRecord.h"

#include <gtest/gtest.h>

namespace {

struct FlagCase {
    const char16_t* text;
    BOOL flag;
    friend std::ostream& operator<<(std::ostream& os, const FlagCase& c)
    {
        return os << '"' << CString(c.text).ToUtf8() << '"';
    }
};

class CategoryFlagField : public testing::TestWithParam<FlagCase> {};

TEST_P(CategoryFlagField, IsTrueOnlyForExactlyTrueAfterLeadingBlanks)
{
    const FlagCase& c = GetParam();
    for (int column : {1, 2}) {
        CCategoryRecord record(u"Loans", !c.flag);
        record.SetActive(!c.flag);
        record.SetField(column, CString(c.text));
        BOOL flag = column == 1 ? record.GetIsMoney() : record.GetActive();
        EXPECT_EQ(flag, c.flag) << "column " << column;
        EXPECT_EQ(CString(record.GetName()), CString(u"Loans"));
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, CategoryFlagField,
                         testing::Values(FlagCase{u"TRUE", TRUE}, FlagCase{u" TRUE", TRUE},
                                         FlagCase{u" \t TRUE", TRUE}, FlagCase{u"True", FALSE},
                                         FlagCase{u"true", FALSE}, FlagCase{u"TRUE ", FALSE},
                                         FlagCase{u"TRUE\r", FALSE}, FlagCase{u"TRUEX", FALSE},
                                         FlagCase{u"FALSE", FALSE}, FlagCase{u"", FALSE},
                                         FlagCase{u"1", FALSE}));

TEST(CategoryRecordFields, NameIsColumnZeroAndOtherColumnsAreIgnored)
{
    CCategoryRecord record;
    record.SetField(0, CString(u" CDs "));
    record.SetField(3, CString(u"TRUE"));
    record.SetField(-1, CString(u"TRUE"));
    EXPECT_EQ(record.GetName(), CString(u" CDs "));
    EXPECT_FALSE(record.GetIsMoney());
    EXPECT_FALSE(record.GetActive());

    CNamedRecord named;  // has no money column
    named.SetField(1, CString(u"TRUE"));
    named.SetField(2, CString(u"TRUE"));
    EXPECT_FALSE(named.GetActive());
}

}  // namespace
