#include "DeviceFolder.h"

#include "platform/core/LastError.h"
#include "platform/store/CCeDBDatabase.h"
#include "platform/store/SqlQuery.h"

#include <gmock/gmock.h>
#include <sqlite3.h>

#include <cstring>
#include <functional>
#include <sys/stat.h>

namespace {

class StoreErrorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_db.Create(u"Items", 101));
        ASSERT_TRUE(m_db.Open(u"Items"));
        m_store = platform::Store::ForDevice();
        ASSERT_TRUE(m_store);
    }
    void TearDown() override { platform::Store::SetBusyTimeout(15000); }

    CEOID Add(int textLength = 10)
    {
        CCeDBRecord rec;
        std::u16string text(textLength, u'z');
        rec.AddProp(CCeDBProp(text.c_str(), 103));
        return m_db.AddRecord(&rec);
    }

    void Exec(const char* sql) { ASSERT_EQ(sqlite3_exec(m_store->Handle(), sql, nullptr, nullptr, nullptr), SQLITE_OK); }

    DeviceFolder m_device;
    CCeDBDatabase m_db;
    std::shared_ptr<platform::Store> m_store;
};

TEST_F(StoreErrorTest, FullDiskIsReportedAsSuch)
{
    ASSERT_NE(Add(), 0u);
    Exec("PRAGMA max_page_count = 20");
    testing::internal::CaptureStderr();
    bool full = false;
    for (int i = 0; i < 100 && !full; ++i)
        full = Add(1000) == 0;
    ASSERT_TRUE(full);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
    testing::internal::GetCapturedStderr();
}

TEST_F(StoreErrorTest, RefusedWriteIsAccessDenied)
{
    CEOID oid = Add();
    ASSERT_NE(oid, 0u);
    Exec("PRAGMA query_only = 1");
    testing::internal::CaptureStderr();
    SetLastError(0);
    EXPECT_EQ(Add(), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    SetLastError(0);
    EXPECT_FALSE(CeDeleteRecord(m_db.GetHandle(), oid));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    testing::internal::GetCapturedStderr();
    Exec("PRAGMA query_only = 0");
}

TEST_F(StoreErrorTest, LockHeldPastTheTimeoutIsASharingViolation)
{
    platform::Store::SetBusyTimeout(50);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(m_device.StoreFile().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Add(), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    testing::internal::GetCapturedStderr();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    EXPECT_NE(Add(), 0u);
    sqlite3_close(other);
}

TEST_F(StoreErrorTest, StoreBusyAtOpenIsTriedAgainLater)
{
    m_db.Close();
    m_store.reset();
    DeviceFolder::Reopen();
    platform::Store::SetBusyTimeout(50);
    // Another process holds the whole file.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(m_device.StoreFile().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr),
              SQLITE_OK);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(platform::Store::ForDevice());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    testing::internal::GetCapturedStderr();
    sqlite3_close(other);
    EXPECT_TRUE(platform::Store::ForDevice());
    EXPECT_TRUE(m_db.Open(u"Items"));
}

TEST_F(StoreErrorTest, MissingThingsAreNotFound)
{
    CEOID oid = Add();
    ASSERT_NE(oid, 0u);
    ASSERT_TRUE(CeDeleteRecord(m_db.GetHandle(), oid));
    struct Row {
        const char* what;
        std::function<bool()> call;
        DWORD cause;
    } rows[] = {
        {"seek to a deleted record", [&] { return m_db.SeekToRecord(oid) != FALSE; }, ERROR_NOT_FOUND},
        {"delete a deleted record", [&] { return CeDeleteRecord(m_db.GetHandle(), oid) != FALSE; }, ERROR_NOT_FOUND},
        {"open a missing database", [] { return CCeDBDatabase().Open(u"Missing") != FALSE; }, ERROR_FILE_NOT_FOUND},
        {"delete a missing database", [] { return CCeDBDatabase::DeleteDatabase(u"Missing") != FALSE; },
         ERROR_FILE_NOT_FOUND},
        {"create a database twice", [] { return CCeDBDatabase().Create(u"Items") != FALSE; }, ERROR_ALREADY_EXISTS},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        SetLastError(0);
        EXPECT_FALSE(row.call());
        EXPECT_EQ(GetLastError(), row.cause);
    }
}

TEST_F(StoreErrorTest, RefusedStoreGivesItsCauseEveryTime)
{
    m_db.Close();
    m_store.reset();
    DeviceFolder device;
    ASSERT_EQ(mkdir(device.Home().c_str(), 0700), 0);
    WriteFileBytes(device.StoreFile(), "plain text, not a store\n");
    testing::internal::CaptureStderr();
    DWORD why = 0;
    EXPECT_FALSE(platform::Store::OpenFile(device.StoreFile(), &why));
    EXPECT_EQ(why, static_cast<DWORD>(ERROR_INVALID_DATA));
    for (int i = 0; i < 2; ++i) {
        SetLastError(0);
        EXPECT_FALSE(CCeDBDatabase().Create(u"X"));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    }
    testing::internal::GetCapturedStderr();
}

TEST_F(StoreErrorTest, StatementsAreCachedByTheirText)
{
    // One buffer holding two statements in turn, as a temporary string may.
    char sql[32];
    std::strcpy(sql, "SELECT 1");
    {
        platform::SqlQuery q(*m_store, sql);
        ASSERT_TRUE(q.Step());
        EXPECT_EQ(q.Int(0), 1);
    }
    std::strcpy(sql, "SELECT 2");
    platform::SqlQuery q(*m_store, sql);
    ASSERT_TRUE(q.Step());
    EXPECT_EQ(q.Int(0), 2);
}

TEST_F(StoreErrorTest, IdsStayBelowTheSignBit)
{
    Exec("UPDATE meta SET value = 2147483646 WHERE key = 'next_oid'");
    CEOID last = Add();
    EXPECT_EQ(last, 0x7FFFFFFEu);
    EXPECT_EQ(Add(), 0x7FFFFFFFu);
    testing::internal::CaptureStderr();
    SetLastError(0);
    EXPECT_EQ(Add(), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
    EXPECT_FALSE(CCeDBDatabase().Create(u"New"));
    EXPECT_THAT(testing::internal::GetCapturedStderr(), testing::HasSubstr("no object ids are left"));
    // Nothing was written by the failed calls.
    EXPECT_EQ(m_db.GetRecordCount(), 2u);
    EXPECT_FALSE(CCeDBDatabase::Exists(u"New"));
}

}  // namespace
