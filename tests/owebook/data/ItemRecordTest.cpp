#include "owebook/data/ItemRecord.h"

#include "LedgerTestEnv.h"
#include "owebook/data/CategoryIds.h"
#include "platform/store/CCeDBDatabase.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

class ItemRecord : public LedgerTest {
protected:
    // Writes the record to a scratch database and reads it into `into`.
    static void RoundTrip(CCeDBRecord& record, CItemRecord& into)
    {
        CCeDBDatabase db;
        if (!CCeDBDatabase::Exists(u"Scratch")) {
            ASSERT_TRUE(db.Create(u"Scratch", 101));
        }
        ASSERT_TRUE(db.Open(u"Scratch"));
        CEOID oid = db.AddRecord(&record);
        ASSERT_NE(oid, 0u);
        ASSERT_TRUE(db.SeekToRecord(oid));
        ASSERT_TRUE(db.ReadCurrRecord(&into));
    }
};

TEST_F(ItemRecord, DefaultsAreThoseOfANewItemCreatedNow)
{
    CItemRecord item;
    item.SetDefaults();
    EXPECT_EQ(item.GetCategory(), CATEGORY_NONE);
    EXPECT_EQ(item.GetType(), ITEM_IOU);
    EXPECT_EQ(item.GetAmount(), 1.0);
    EXPECT_FALSE(item.GetReturned());
    DWORD returned = 7, created = 7, due = 7;
    EXPECT_TRUE(item.GetReturnedDate(returned) && item.GetCreatedDate(created) && item.GetDueDate(due));
    EXPECT_EQ(returned, 0u);
    EXPECT_EQ(created, static_cast<DWORD>(TEST_NOW));
    EXPECT_EQ(due, 0u);

    ReminderSpec reminder(1, 0, 0), snooze;
    SYSTEMTIME alarm{1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_TRUE(item.GetReminder(reminder) && item.GetSnooze(snooze) && item.GetAlarmTime(alarm));
    EXPECT_EQ(reminder, ReminderSpec(0, REMINDER_DAYS, 1));
    EXPECT_EQ(snooze, ReminderSpec(0, 5, 0));
    EXPECT_TRUE(CItemRecord::IsZeroSystemTime(alarm));
}

TEST_F(ItemRecord, EveryFieldSurvivesTheDatabaseIncludingExtremeValues)
{
    const double amounts[] = {10.0, std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                              -0.0};
    const DWORD dates[] = {0u, 0xFFFFFFFFu, 0x80000000u};
    CString name(u'N', 50), description(u'D', 100);
    name.SetAt(0, u'\u00e9');

    for (double amount : amounts) {
        for (DWORD date : dates) {
            SCOPED_TRACE(testing::Message() << "amount " << amount << " date " << date);
            CItemRecord item;
            item.SetDefaults();
            item.SetCategory(-16);
            item.SetType(-5);
            item.SetName(name);
            item.SetAmount(amount);
            item.SetDescription(description);
            item.SetReturned(TRUE);
            item.SetReturnedDate(date);
            item.SetCreatedDate(date);
            item.SetDueDate(date);
            item.SetReminder(ReminderSpec(1, REMINDER_WEEKS, 255));
            item.SetAlarmTime(SYSTEMTIME{2106, 2, 0, 7, 7, 28, 15, 999});
            item.SetSnooze(ReminderSpec(1, 9, 200));

            CItemRecord back;
            RoundTrip(item, back);
            EXPECT_EQ(back.GetCategory(), -16);
            EXPECT_EQ(back.GetType(), -5);
            EXPECT_EQ(back.GetName(), name);
            EXPECT_EQ(back.GetDescription(), description);
            double got = back.GetAmount();
            EXPECT_EQ(std::memcmp(&got, &amount, sizeof got), 0) << got;
            EXPECT_TRUE(back.GetReturned());
            DWORD r = 1, c = 1, d = 1;
            EXPECT_TRUE(back.GetReturnedDate(r) && back.GetCreatedDate(c) && back.GetDueDate(d));
            EXPECT_EQ(r, date);
            EXPECT_EQ(c, date);
            EXPECT_EQ(d, date);
            ReminderSpec reminder, snooze;
            SYSTEMTIME alarm{};
            EXPECT_TRUE(back.GetReminder(reminder) && back.GetSnooze(snooze) && back.GetAlarmTime(alarm));
            EXPECT_EQ(reminder, ReminderSpec(1, REMINDER_WEEKS, 255));
            EXPECT_EQ(snooze, ReminderSpec(1, 9, 200));
            EXPECT_EQ(alarm.wYear, 2106);
            EXPECT_EQ(alarm.wMilliseconds, 999);
        }
    }
}

TEST_F(ItemRecord, ARecordWrittenElsewhereWithMissingPropertiesReadsAsEmpty)
{
    CCeDBRecord foreign;
    foreign.AddProp(CCeDBProp(LPCWSTR(u"Only a name"), ITEMPROP_NAME));
    foreign.AddProp(CCeDBProp(LONG(12), ITEMPROP_DUE_DATE));  // right id, wrong type

    CItemRecord item;
    item.SetDefaults();
    RoundTrip(foreign, item);
    EXPECT_EQ(Utf8(item.GetName()), "Only a name");
    EXPECT_EQ(item.GetCategory(), 0);
    EXPECT_EQ(item.GetType(), 0);
    EXPECT_EQ(item.GetAmount(), 0.0);
    EXPECT_TRUE(item.GetDescription().IsEmpty());
    EXPECT_FALSE(item.GetReturned());
    DWORD date = 99;
    EXPECT_FALSE(item.GetDueDate(date));
    EXPECT_FALSE(item.GetCreatedDate(date));
    EXPECT_FALSE(item.GetReturnedDate(date));
    EXPECT_EQ(date, 99u);
    ReminderSpec spec(1, 3, 9);
    EXPECT_FALSE(item.GetReminder(spec));
    EXPECT_FALSE(item.GetSnooze(spec));
    EXPECT_EQ(spec, ReminderSpec(1, 3, 9));
    SYSTEMTIME alarm{2024, 1, 0, 1, 0, 0, 0, 0};
    EXPECT_FALSE(item.GetAlarmTime(alarm));
    EXPECT_EQ(alarm.wYear, 2024);
    CString text(u"kept");
    EXPECT_TRUE(item.GetColumnText(ITEMFIELD_DUE, text));
    EXPECT_EQ(Utf8(text), "kept");
}

TEST_F(ItemRecord, BlobsOfTheWrongLengthFillOnlyWhatTheyHold)
{
    const BYTE shortSpec[] = {1, 0, 0, 0, 4};  // bOn and nUnit, no count
    BYTE longTime[40];
    std::memset(longTime, 0x11, sizeof longTime);
    CCeDBRecord foreign;
    foreign.AddProp(CCeDBProp(CEBLOB{sizeof shortSpec, const_cast<BYTE*>(shortSpec)}, ITEMPROP_REMINDER));
    foreign.AddProp(CCeDBProp(CEBLOB{sizeof longTime, longTime}, ITEMPROP_ALARM_TIME));
    foreign.AddProp(CCeDBProp(CEBLOB{0, longTime}, ITEMPROP_SNOOZE));

    CItemRecord item;
    RoundTrip(foreign, item);
    ReminderSpec reminder;  // off, days, 1
    EXPECT_TRUE(item.GetReminder(reminder));
    EXPECT_EQ(reminder, ReminderSpec(1, REMINDER_MONTHS, 1));

    struct {
        SYSTEMTIME time;
        BYTE guard[8];
    } alarm{};
    std::memset(alarm.guard, 0xAB, sizeof alarm.guard);
    EXPECT_TRUE(item.GetAlarmTime(alarm.time));
    EXPECT_EQ(alarm.time.wYear, 0x1111);
    EXPECT_EQ(alarm.time.wMilliseconds, 0x1111);
    EXPECT_EQ(alarm.guard[0], 0xAB);

    ReminderSpec snooze(1, 2, 3);
    EXPECT_TRUE(item.GetSnooze(snooze));
    EXPECT_EQ(snooze, ReminderSpec(1, 2, 3));
}

TEST(ReminderSpecValue, ComparesWithoutPaddingAndKeepsTheStoredLayout)
{
    ReminderSpec a;
    ReminderSpec b;
    b.wPad = 0xBEEF;
    EXPECT_EQ(a, b);
    EXPECT_NE(a, ReminderSpec(1, REMINDER_DAYS, 1));
    EXPECT_NE(a, ReminderSpec(0, REMINDER_HOURS, 1));
    EXPECT_NE(a, ReminderSpec(0, REMINDER_DAYS, 2));

    BYTE raw[8];
    ReminderSpec c(1, 3, 5);
    std::memcpy(raw, &c, 8);
    const BYTE expected[6] = {1, 0, 0, 0, 3, 5};  // little-endian layout as stored
    EXPECT_EQ(std::memcmp(raw, expected, 6), 0);
}

TEST(ZeroSystemTime, OnlyAllSixteenBytesZeroMeanNoAlarm)
{
    SYSTEMTIME zero{};
    EXPECT_TRUE(CItemRecord::IsZeroSystemTime(zero));
    for (int field = 0; field < 8; ++field) {
        SYSTEMTIME t{};
        reinterpret_cast<WORD*>(&t)[field] = 0x100;  // only a high byte
        EXPECT_FALSE(CItemRecord::IsZeroSystemTime(t)) << "field " << field;
    }
}

}  // namespace
