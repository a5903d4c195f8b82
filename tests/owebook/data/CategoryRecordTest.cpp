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
    EXPECT_EQ(record.GetNumProps(), 3);

    CNamedRecord named;
    named.SetField(1, CString(u"TRUE"));
    named.SetField(2, CString(u"TRUE"));
    named.SetField(0, CString(u"Misc"));
    EXPECT_EQ(named.GetName(), CString(u"Misc"));
    EXPECT_FALSE(named.GetActive());
}

TEST(CategoryRecordFields, ConstructorsGiveNameActiveAndMoneyInPropertyOrder)
{
    CCategoryRecord record(u"Payments", TRUE);
    ASSERT_EQ(record.GetNumProps(), 3);
    EXPECT_EQ(record[0]->GetPropID(), MAKEPROP(NAMEPROP_NAME, CEVT_LPWSTR));
    EXPECT_EQ(record[1]->GetPropID(), MAKEPROP(NAMEPROP_ACTIVE, CEVT_BOOL));
    EXPECT_EQ(record[2]->GetPropID(), MAKEPROP(CATPROP_ISMONEY, CEVT_BOOL));
    EXPECT_TRUE(record.GetActive());
    EXPECT_TRUE(record.GetIsMoney());

    CCategoryRecord empty;
    EXPECT_TRUE(empty.GetName().IsEmpty());
    EXPECT_FALSE(empty[0]->HasValue());
    EXPECT_FALSE(empty[2]->HasValue());
}

}  // namespace
