// Pins what the program leaves in the store, with the numbers written out:
// a change to the stored layout makes these fail, whatever the code's names say.
#include "DocumentTestEnv.h"

#include "owebook/data/RegistryKey.h"
#include "platform/store/CCeDBDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <array>
#include <cstdlib>
#include <cstring>

namespace {

class StoredLayout : public DocumentTest {};

TEST_F(StoredLayout, ItemPropertiesHaveTheirIdsTypesAndSizes)
{
    std::unique_ptr<CRecordingDoc> doc = Start();
    CItemRecord item = NewItem(u"Carol", -2, 1);
    item.SetAmount(12.5);
    item.SetDescription(u"lunch");
    item.SetReturned(TRUE);
    item.SetReturnedDate(1000);
    item.SetCreatedDate(2000);
    item.SetDueDate(3000);
    item.SetReminder(ReminderSpec(1, REMINDER_HOURS, 3));
    SYSTEMTIME alarm{};
    alarm.wYear = 2026;
    item.SetAlarmTime(alarm);
    item.SetSnooze(ReminderSpec(1, REMINDER_MINUTES, 5));
    CEOID oid = Add(*doc, item);

    const struct {
        WORD ident;
        CCeDBProp::Type type;
        DWORD blobSize;
    } layout[] = {
        {101, CCeDBProp::Type_Long, 0},   {102, CCeDBProp::Type_Short, 0},  {103, CCeDBProp::Type_String, 0},
        {104, CCeDBProp::Type_Double, 0}, {105, CCeDBProp::Type_String, 0}, {106, CCeDBProp::Type_Bool, 0},
        {107, CCeDBProp::Type_ULong, 0},  {108, CCeDBProp::Type_ULong, 0},  {109, CCeDBProp::Type_ULong, 0},
        {110, CCeDBProp::Type_Blob, 8},   {111, CCeDBProp::Type_Blob, 16},  {112, CCeDBProp::Type_Blob, 8},
    };
    CCeDBDatabase db;
    ASSERT_TRUE(db.Open(u"OwebookMain"));
    ASSERT_TRUE(db.SeekToRecord(oid));
    CCeDBRecord raw;
    for (const auto& prop : layout)
        raw.AddProp(CCeDBProp(prop.type, prop.ident));
    ASSERT_TRUE(db.ReadCurrRecord(&raw));
    for (WORD i = 0; i < raw.GetNumProps(); ++i) {
        SCOPED_TRACE(layout[i].ident);
        EXPECT_TRUE(raw[i]->HasValue());
        if (layout[i].blobSize) {
            EXPECT_EQ(raw[i]->GetBlob().dwCount, layout[i].blobSize);
        }
    }
    EXPECT_EQ(raw[0]->GetLong(), -2);
    EXPECT_EQ(raw[1]->GetShort(), 1);
    EXPECT_EQ(std::u16string(raw[2]->GetString()), u"Carol");
    EXPECT_EQ(raw[3]->GetDouble(), 12.5);
    EXPECT_EQ(std::u16string(raw[4]->GetString()), u"lunch");
    EXPECT_EQ(raw[5]->GetBool(), TRUE);
    EXPECT_EQ(raw[6]->GetULong(), 1000u);
    EXPECT_EQ(raw[7]->GetULong(), 2000u);
    EXPECT_EQ(raw[8]->GetULong(), 3000u);
    const BYTE reminder[8] = {1, 0, 0, 0, 1, 3, 0, 0};
    EXPECT_EQ(std::memcmp(raw[9]->GetBlob().lpb, reminder, 8), 0);
    EXPECT_EQ(raw[10]->GetBlob().lpb[0] | (raw[10]->GetBlob().lpb[1] << 8), 2026);
}

TEST_F(StoredLayout, DatabasesHaveTheirTypesAndSortOrders)
{
    std::unique_ptr<CRecordingDoc> doc = Start();
    Add(*doc, NewItem(u"Dave"));
    LONG loans = doc->FindCategoryByName(u"Loans");
    End(doc);

    // Categories: type 103, sorted by the name (101, text), ascending.
    SORTORDERSPEC byName{(101u << 16) | 31u, 0};
    CCeDBDatabase categories;
    ASSERT_TRUE(categories.Open(u"OwebookCategories", &byName));
    CCeDBRecord raw;
    raw.AddProp(CCeDBProp(CCeDBProp::Type_String, 101));
    raw.AddProp(CCeDBProp(CCeDBProp::Type_Bool, 102));
    raw.AddProp(CCeDBProp(CCeDBProp::Type_Bool, 103));
    ASSERT_TRUE(categories.SeekToRecord(static_cast<CEOID>(loans)));
    ASSERT_TRUE(categories.ReadCurrRecord(&raw));
    EXPECT_EQ(std::u16string(raw[0]->GetString()), u"Loans");
    EXPECT_TRUE(raw[1]->HasValue() && raw[1]->GetBool());
    EXPECT_TRUE(raw[2]->HasValue() && raw[2]->GetBool());

    sqlite3* handle = nullptr;
    std::string store = std::string(std::getenv("OWEBOOK_HOME")) + "/objectstore.db";
    ASSERT_EQ(sqlite3_open_v2(store.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(handle, "SELECT type, sort_propid, sort_flags FROM databases WHERE type IN (101, 103)"
                                         " ORDER BY type",
                                 -1, &stmt, nullptr),
              SQLITE_OK);
    std::vector<std::array<std::int64_t, 3>> rows;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        rows.push_back({sqlite3_column_int64(stmt, 0), sqlite3_column_int64(stmt, 1), sqlite3_column_int64(stmt, 2)});
    sqlite3_finalize(stmt);
    sqlite3_close(handle);
    EXPECT_EQ(rows, (std::vector<std::array<std::int64_t, 3>>{{101, 0, 0}, {103, 0x0065001F, 0}}));
}

TEST_F(StoredLayout, RegistrySettersStoreExactBytesAndSayHowItWent)
{
    CRegistryKey key(u"SOFTWARE\\Layout");
    EXPECT_EQ(key.SetString(u"Empty", u""), ERROR_SUCCESS);
    EXPECT_EQ(key.SetString(u"Text", u"ab"), ERROR_SUCCESS);
    const BYTE bytes[3] = {1, 2, 3};
    EXPECT_EQ(key.SetBinary(u"Bytes", bytes, 3), ERROR_SUCCESS);
    key.SetDword(u"Number", 0x01020304);
    const struct {
        const char16_t* name;
        DWORD type;
        std::vector<BYTE> data;
    } stored[] = {
        {u"Empty", 1, {0, 0}},
        {u"Text", 1, {'a', 0, 'b', 0, 0, 0}},
        {u"Bytes", 3, {1, 2, 3}},
        {u"Number", 4, {4, 3, 2, 1}},
    };
    HKEY hKey = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Layout", 0, 0, &hKey), ERROR_SUCCESS);
    for (const auto& value : stored) {
        BYTE data[16];
        DWORD size = sizeof data, type = 0;
        ASSERT_EQ(RegQueryValueExW(hKey, value.name, nullptr, &type, data, &size), ERROR_SUCCESS);
        EXPECT_EQ(type, value.type);
        EXPECT_EQ(std::vector<BYTE>(data, data + size), value.data);
    }
    RegCloseKey(hKey);

    // No registry at all: setters say so, getters leave the buffer alone.
    TestDevice::Restart();
    std::string blocked = std::string(std::getenv("OWEBOOK_HOME")) + "/blocked";
    FILE* file = std::fopen(blocked.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    setenv("OWEBOOK_HOME", (blocked + "/device").c_str(), 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(key.SetString(u"Text", u"x"), ERROR_CANTOPEN);
    EXPECT_EQ(key.SetBinary(u"Bytes", bytes, 3), ERROR_CANTOPEN);
    WCHAR buffer[4] = {u'k', u'e', u'p', u't'};
    EXPECT_TRUE(key.GetString(u"Text", buffer, sizeof buffer, u"default"));
    EXPECT_EQ(std::u16string(buffer, 4), u"kept");
    testing::internal::GetCapturedStderr();
}

}  // namespace
