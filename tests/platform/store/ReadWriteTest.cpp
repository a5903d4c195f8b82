#include "DeviceFolder.h"

#include "platform/store/CCeDBDatabase.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Twelve properties of the shapes an item carries.
CCeDBRecord ItemShape()
{
    CCeDBRecord rec;
    rec.AddProp(CCeDBProp(CCeDBProp::Type_Long, 101));
    rec.AddProp(CCeDBProp(CCeDBProp::Type_Short, 102));
    rec.AddProp(CCeDBProp(CCeDBProp::Type_String, 103));
    rec.AddProp(CCeDBProp(CCeDBProp::Type_Double, 104));
    rec.AddProp(CCeDBProp(CCeDBProp::Type_String, 105));
    rec.AddProp(CCeDBProp(CCeDBProp::Type_Bool, 106));
    rec.AddProp(CCeDBProp(CCeDBProp::Type_ULong, 107));
    rec.AddProp(CCeDBProp(CCeDBProp::Type_ULong, 108));
    rec.AddProp(CCeDBProp(CCeDBProp::Type_ULong, 109));
    rec.AddProp(CCeDBProp(CCeDBProp::Type_Blob, 110));
    rec.AddProp(CCeDBProp(CCeDBProp::Type_Blob, 111));
    rec.AddProp(CCeDBProp(CCeDBProp::Type_Blob, 112));
    return rec;
}

class ReadWriteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_db.Create(u"OwebookMain", 101));
        ASSERT_TRUE(m_db.Open(u"OwebookMain"));
    }

    DeviceFolder m_device;
    CCeDBDatabase m_db;
};

TEST_F(ReadWriteTest, ValuesRoundTripExactly)
{
    const WCHAR name[] = {u'L', 0, 0xDC00, u'x', 0xD800};  // zero and unpaired surrogates
    const BYTE reminder[8] = {1, 0, 0, 0, 2, 0, 0, 0};
    BYTE alarm[16] = {};
    alarm[15] = 0xFF;
    const BYTE snooze[8] = {0, 0, 0, 0, 5, 0, 0xAB, 0xCD};
    double nanWithPayload;
    std::uint64_t nanBits = 0x7FF8000000ABCDEFULL;
    std::memcpy(&nanWithPayload, &nanBits, 8);

    CCeDBRecord rec = ItemShape();
    rec.GetPropFromID(101)->SetLong(std::numeric_limits<LONG>::min());
    rec.GetPropFromID(102)->SetShort(-32768);
    rec.GetPropFromID(103)->SetString(name, 5);
    rec.GetPropFromID(104)->SetDouble(nanWithPayload);
    rec.GetPropFromID(105)->SetString(u"");
    rec.GetPropFromID(106)->SetBool(TRUE);
    rec.GetPropFromID(107)->SetULong(0xFFFFFFFFu);
    rec.GetPropFromID(108)->SetULong(0);
    rec.GetPropFromID(109)->SetULong(1700000000u);
    rec.GetPropFromID(110)->SetBlob(reminder, 8);
    rec.GetPropFromID(111)->SetBlob(alarm, 16);
    rec.GetPropFromID(112)->SetBlob(snooze, 8);
    CEOID oid = m_db.AddRecord(&rec);
    ASSERT_NE(oid, 0u);

    DeviceFolder::Reopen();
    CCeDBDatabase db;
    ASSERT_TRUE(db.Open(u"OwebookMain"));
    CCeDBRecord read = ItemShape();
    ASSERT_TRUE(db.SeekToRecord(oid));
    ASSERT_TRUE(db.ReadCurrRecord(&read));
    for (WORD i = 0; i < 12; ++i) {
        SCOPED_TRACE(101 + i);
        EXPECT_TRUE(*read[i] == *rec[i]) << "property differs";
    }
    std::uint64_t readBits;
    double readDouble = read.GetPropFromID(104)->GetDouble();
    std::memcpy(&readBits, &readDouble, 8);
    EXPECT_EQ(readBits, nanBits);
    EXPECT_TRUE(read.GetPropFromID(105)->HasValue());  // an empty string is a value
}

TEST_F(ReadWriteTest, ReadFillsOnlyPropertiesOfTheSameIdAndType)
{
    CCeDBRecord stored;
    stored.AddProp(CCeDBProp(u"text", 101));
    stored.AddProp(CCeDBProp(42, 102));
    ASSERT_NE(m_db.AddRecord(&stored), 0u);

    CCeDBRecord read;
    read.AddProp(CCeDBProp(99, 101));            // same id, other type
    read.AddProp(CCeDBProp(7, 102));             // same id and type
    read.AddProp(CCeDBProp(u"old value", 103));  // not stored at all
    ASSERT_TRUE(m_db.ReadCurrRecord(&read));
    EXPECT_FALSE(read[0]->HasValue());
    EXPECT_EQ(read[0]->GetType(), CEVT_I4);
    EXPECT_EQ(read[1]->GetLong(), 42);
    EXPECT_FALSE(read[2]->HasValue());
    EXPECT_EQ(read[2]->GetString()[0], 0);
    EXPECT_EQ(read.GetNumProps(), 3);  // reading adds nothing to the record object
}

TEST_F(ReadWriteTest, WriteOverReplacesGivenPropertiesAndKeepsTheOthers)
{
    CCeDBRecord rec = ItemShape();
    rec.GetPropFromID(101)->SetLong(-2);
    rec.GetPropFromID(103)->SetString(u"Lenny P.");
    rec.GetPropFromID(104)->SetDouble(10.0);
    rec.GetPropFromID(112)->SetBlob(reinterpret_cast<const BYTE*>("snoozed!"), 8);
    rec.GetPropFromID(111)->SetBlob(reinterpret_cast<const BYTE*>("0123456789abcdef"), 16);
    CEOID oid = m_db.AddRecord(&rec);
    ASSERT_NE(oid, 0u);

    // Rewrite only the alarm time, as the reminder code does, and add a
    // property the record did not have.
    CCeDBRecord alarmOnly;
    BYTE zeros[16] = {};
    alarmOnly.AddProp(CCeDBProp(CEBLOB{16, zeros}, 111));
    alarmOnly.AddProp(CCeDBProp(5, 200));
    alarmOnly.AddProp(CCeDBProp(CCeDBProp::Type_String, 103));  // no value: left alone
    ASSERT_TRUE(m_db.SeekToRecord(oid));
    ASSERT_TRUE(m_db.WriteCurrRecord(&alarmOnly));

    CCeDBRecord read = rec;
    read.AddProp(CCeDBProp(CCeDBProp::Type_Long, 200));
    ASSERT_TRUE(m_db.SeekToRecord(oid));
    ASSERT_TRUE(m_db.ReadCurrRecord(&read));
    EXPECT_EQ(read.GetPropFromID(101)->GetLong(), -2);
    EXPECT_EQ(std::u16string(read.GetPropFromID(103)->GetString()), u"Lenny P.");
    EXPECT_EQ(read.GetPropFromID(104)->GetDouble(), 10.0);
    EXPECT_TRUE(*read.GetPropFromID(112) == *rec.GetPropFromID(112));
    CEBLOB alarm = read.GetPropFromID(111)->GetBlob();
    ASSERT_EQ(alarm.dwCount, 16u);
    EXPECT_EQ(std::memcmp(alarm.lpb, zeros, 16), 0);
    EXPECT_EQ(read.GetPropFromID(200)->GetLong(), 5);
    EXPECT_EQ(m_db.GetRecordCount(), 1u);
}

TEST_F(ReadWriteTest, WriteOverThatChangesTheSortKeyMovesTheRecord)
{
    SORTORDERSPEC order{MAKEPROP(101, CEVT_LPWSTR), 0};
    CCeDBDatabase db;
    ASSERT_TRUE(db.Create(u"Sorted", 0, 1, &order));
    ASSERT_TRUE(db.Open(u"Sorted", &order));
    auto named = [](const char16_t* name) {
        CCeDBRecord rec;
        rec.AddProp(CCeDBProp(name, 101));
        return rec;
    };
    CCeDBRecord a = named(u"a"), b = named(u"b"), c = named(u"c"), d = named(u"d");
    CEOID idA = db.AddRecord(&a), idB = db.AddRecord(&b), idC = db.AddRecord(&c);
    ASSERT_EQ(db.SeekFirst(), idA);
    ASSERT_TRUE(db.WriteCurrRecord(&d));
    EXPECT_EQ(db.GetCurrentRecordID(), idA);
    EXPECT_EQ(db.SeekNext(), 0u);  // "d" is now the last
    EXPECT_EQ(db.SeekFirst(), idB);
    EXPECT_EQ(db.SeekNext(), idC);
    EXPECT_EQ(db.SeekNext(), idA);
    EXPECT_EQ(db.SeekFirstEqual(CCeDBProp(u"d", 101)), idA);
}

TEST_F(ReadWriteTest, CeDeleteRecordByIdOrTheJustWrittenCurrentOne)
{
    CCeDBRecord rec;
    rec.AddProp(CCeDBProp(1, 1));
    CEOID a = m_db.AddRecord(&rec), b = m_db.AddRecord(&rec), c = m_db.AddRecord(&rec);
    HANDLE h = m_db.GetHandle();
    EXPECT_TRUE(CeDeleteRecord(h, b));
    EXPECT_FALSE(CeDeleteRecord(h, b));  // already gone
    EXPECT_EQ(m_db.GetCurrentRecordID(), c);  // the newest write is current
    EXPECT_TRUE(CeDeleteRecord(h, 0));
    EXPECT_EQ(m_db.GetRecordCount(), 1u);
    EXPECT_EQ(m_db.SeekFirst(), a);
    EXPECT_EQ(m_db.SeekNext(), 0u);
    EXPECT_FALSE(CeDeleteRecord(h, 0));  // no current record after the failed seek

    int notADatabase = 0;
    EXPECT_FALSE(CeDeleteRecord(&notADatabase, a));
    EXPECT_FALSE(CeDeleteRecord(nullptr, a));
    m_db.Close();
    EXPECT_FALSE(CeDeleteRecord(h, a));  // the handle died with the open database
}

TEST_F(ReadWriteTest, RecordWithoutValuesIsStoredEmptyAndNoRecordIsRefused)
{
    EXPECT_EQ(m_db.AddRecord(nullptr), 0u);
    EXPECT_FALSE(m_db.WriteCurrRecord(nullptr));
    EXPECT_FALSE(m_db.ReadCurrRecord(nullptr));
    CCeDBRecord empty = ItemShape();
    CEOID oid = m_db.AddRecord(&empty);
    ASSERT_NE(oid, 0u);
    CCeDBRecord read = ItemShape();
    read.GetPropFromID(101)->SetLong(3);
    ASSERT_TRUE(m_db.ReadCurrRecord(&read));
    EXPECT_FALSE(read.GetPropFromID(101)->HasValue());
}

}  // namespace
