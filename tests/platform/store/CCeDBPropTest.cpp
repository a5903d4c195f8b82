#include "platform/store/CCeDBRecord.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(CCeDBProp, ConstructorsGiveTypeIdentAndValue)
{
    struct Case {
        CCeDBProp prop;
        WORD type;
        LONG asLong;
    } cases[] = {
        {CCeDBProp(static_cast<SHORT>(-2), 102), CEVT_I2, -2},
        {CCeDBProp(static_cast<USHORT>(65535), 102), CEVT_UI2, 65535},
        {CCeDBProp(-7, 102), CEVT_I4, -7},
        {CCeDBProp(4000000000u, 102), CEVT_UI4, static_cast<LONG>(4000000000u)},
        {CCeDBProp(true, 102), CEVT_BOOL, 1},
        {CCeDBProp(2.5, 102), CEVT_R8, 0},
        {CCeDBProp(u"name", 102), CEVT_LPWSTR, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(c.prop.GetIdent(), 102);
        EXPECT_EQ(c.prop.GetType(), c.type);
        EXPECT_EQ(c.prop.GetPropID(), static_cast<CEPROPID>(MAKELONG(c.type, 102)));
        EXPECT_TRUE(c.prop.HasValue());
        EXPECT_EQ(c.prop.GetLong(), c.asLong);
    }
    EXPECT_EQ(CCeDBProp(static_cast<SHORT>(-1), 1).GetShort(), -1);  // sign-extends as the program compares
    EXPECT_EQ(CCeDBProp(2.5, 1).GetDouble(), 2.5);
    EXPECT_EQ(std::u16string(CCeDBProp(u"name", 1).GetString()), u"name");
}

TEST(CCeDBProp, WithoutValueOrOfAnotherKindReadsAsTheEmptyValue)
{
    for (CCeDBProp::Type type : {CCeDBProp::Type_Long, CCeDBProp::Type_String, CCeDBProp::Type_Blob,
                                 CCeDBProp::Type_Double, CCeDBProp::Type_Bool}) {
        CCeDBProp prop(type, 110);
        EXPECT_FALSE(prop.HasValue());
        EXPECT_EQ(prop.GetType(), type);
        EXPECT_EQ(prop.GetLong(), 0);
        EXPECT_EQ(prop.GetDouble(), 0.0);
        EXPECT_EQ(prop.GetString()[0], 0);
        EXPECT_EQ(prop.GetBlob().dwCount, 0u);
        EXPECT_NE(prop.GetBlob().lpb, nullptr);  // callers copy from it with a zero count
    }
    EXPECT_EQ(CCeDBProp(u"12", 1).GetLong(), 0);
    EXPECT_EQ(CCeDBProp(12, 1).GetString()[0], 0);
    EXPECT_EQ(CCeDBProp(12, 1).GetBlob().dwCount, 0u);
}

TEST(CCeDBProp, SettersSetTypeAndValue)
{
    CCeDBProp prop(CCeDBProp::Type_Long, 5);
    prop.SetBool(TRUE);
    EXPECT_EQ(prop.GetType(), CEVT_BOOL);
    EXPECT_EQ(prop.GetBool(), TRUE);
    prop.SetString(nullptr);
    EXPECT_EQ(prop.GetType(), CEVT_LPWSTR);
    EXPECT_TRUE(prop.HasValue());
    EXPECT_EQ(prop.GetStringLength(), 0);
    prop.Empty();
    EXPECT_FALSE(prop.HasValue());
    EXPECT_EQ(prop.GetType(), CEVT_LPWSTR);
    EXPECT_EQ(prop.GetIdent(), 5);
}

TEST(CCeDBProp, KeepsItsOwnCopyOfTextAndBytes)
{
    WCHAR text[] = {u'a', 0, u'b', 0xD800, 0};
    BYTE bytes[] = {1, 0, 2};
    CCeDBProp str(CCeDBProp::Type_String, 1);
    str.SetString(text, 4);
    CCeDBProp blob(CEBLOB{3, bytes}, 2);
    text[0] = u'z';
    bytes[0] = 9;
    EXPECT_EQ(std::u16string(str.GetString(), str.GetStringLength()), std::u16string(u"a\0b\xD800", 4));
    ASSERT_EQ(blob.GetBlob().dwCount, 3u);
    EXPECT_EQ(std::memcmp(blob.GetBlob().lpb, "\x01\x00\x02", 3), 0);

    CCeDBProp copy = blob;
    copy.GetBlob().lpb[0] = 7;  // writes only the copy's buffer
    EXPECT_EQ(blob.GetBlob().lpb[0], 1);
}

TEST(CCeDBRecord, KeepsPropertiesInTheOrderAdded)
{
    CCeDBProp props[] = {CCeDBProp(CCeDBProp::Type_Long, 101), CCeDBProp(CCeDBProp::Type_Short, 102),
                         CCeDBProp(CCeDBProp::Type_String, 103)};
    CCeDBRecord rec;
    rec.AddProps(props, 3);
    rec.AddProp(CCeDBProp(CCeDBProp::Type_Blob, 104));
    ASSERT_EQ(rec.GetNumProps(), 4);
    for (WORD i = 0; i < 4; ++i)
        EXPECT_EQ(rec[i]->GetIdent(), 101 + i);
    EXPECT_EQ(rec[4], nullptr);
    EXPECT_EQ(rec.GetPropFromID(103), rec[2]);
    EXPECT_EQ(rec.GetPropFromID(999), nullptr);
    rec.AddProp(CCeDBProp(CCeDBProp::Type_Long, 103));  // same id, other type
    EXPECT_EQ(rec.GetPropFromPropID(MAKEPROP(103, CEVT_I4)), rec[4]);
    EXPECT_EQ(rec.GetPropFromPropID(MAKEPROP(103, CEVT_R8)), nullptr);
}

TEST(CCeDBRecord, DeletingAPropertyKeepsPointersToTheOthers)
{
    CCeDBRecord rec;
    for (WORD id = 1; id <= 3; ++id)
        rec.AddProp(CCeDBProp(static_cast<LONG>(id), id));
    CCeDBProp* third = rec.GetPropFromID(3);
    EXPECT_TRUE(rec.DeleteProp(0));
    EXPECT_FALSE(rec.DeleteProp(5));
    EXPECT_TRUE(rec.DeletePropFromID(2));
    EXPECT_EQ(rec.GetNumProps(), 1);
    EXPECT_EQ(rec[0], third);
    EXPECT_EQ(third->GetLong(), 3);
}

TEST(CCeDBRecord, CopiesAreIndependent)
{
    CCeDBRecord original;
    original.AddProp(CCeDBProp(u"before", 103));
    CCeDBRecord copy = original;
    copy.GetPropFromID(103)->SetString(u"after");
    EXPECT_EQ(std::u16string(original.GetPropFromID(103)->GetString()), u"before");
    original = copy;
    EXPECT_EQ(std::u16string(original.GetPropFromID(103)->GetString()), u"after");
    EXPECT_NE(original.GetPropFromID(103), copy.GetPropFromID(103));
}

}  // namespace
