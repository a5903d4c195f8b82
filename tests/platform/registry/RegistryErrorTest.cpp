#include "platform/store/DeviceFolder.h"

#include "platform/core/LastError.h"
#include "platform/registry/Registry.h"

#include <gmock/gmock.h>
#include <sqlite3.h>

#include <vector>

namespace {

// Each failure of a registry call comes back as its cause, returned and
// left as the last error.
class RegistryErrorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Errors", 0, nullptr, 0, 0, nullptr, &m_key, nullptr),
                  ERROR_SUCCESS);
        m_store = platform::Store::ForDevice();
        ASSERT_TRUE(m_store);
    }
    void TearDown() override
    {
        RegCloseKey(m_key);
        platform::Store::SetBusyTimeout(15000);
    }

    LONG SetValue(const char16_t* name, DWORD size)
    {
        std::vector<BYTE> bytes(size, 7);
        SetLastError(0);
        return RegSetValueExW(m_key, name, 0, REG_BINARY, bytes.data(), size);
    }

    void Exec(const char* sql) { ASSERT_EQ(sqlite3_exec(m_store->Handle(), sql, nullptr, nullptr, nullptr), SQLITE_OK); }

    DeviceFolder m_device;
    HKEY m_key = nullptr;
    std::shared_ptr<platform::Store> m_store;
};

TEST_F(RegistryErrorTest, FullDisk)
{
    Exec("PRAGMA max_page_count = 20");
    testing::internal::CaptureStderr();
    EXPECT_EQ(SetValue(u"Big", 256 * 1024), ERROR_DISK_FULL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
    testing::internal::GetCapturedStderr();
}

TEST_F(RegistryErrorTest, RefusedWrite)
{
    Exec("PRAGMA query_only = 1");
    testing::internal::CaptureStderr();
    EXPECT_EQ(SetValue(u"V", 4), ERROR_ACCESS_DENIED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"Errors"), ERROR_ACCESS_DENIED);
    testing::internal::GetCapturedStderr();
    Exec("PRAGMA query_only = 0");
}

TEST_F(RegistryErrorTest, LockHeldPastTheTimeout)
{
    platform::Store::SetBusyTimeout(50);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(m_device.StoreFile().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    testing::internal::CaptureStderr();
    EXPECT_EQ(SetValue(u"V", 4), ERROR_SHARING_VIOLATION);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    testing::internal::GetCapturedStderr();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(SetValue(u"V", 4), ERROR_SUCCESS);
}

TEST_F(RegistryErrorTest, MissingValueAndKey)
{
    DWORD size = 0;
    SetLastError(0);
    EXPECT_EQ(RegQueryValueExW(m_key, u"Missing", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    SetLastError(0);
    EXPECT_EQ(RegDeleteValueW(m_key, u"Missing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    HKEY key = nullptr;
    SetLastError(0);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"No\\Such", 0, 0, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(RegistryErrorTest, KeyIdsStayBelowTheSignBit)
{
    Exec("UPDATE meta SET value = 2147483647 WHERE key = 'next_oid'");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Last", 0, nullptr, 0, 0, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegCloseKey(key);
    testing::internal::CaptureStderr();
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Past\\It", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_DISK_FULL);
    EXPECT_THAT(testing::internal::GetCapturedStderr(), testing::HasSubstr("no object ids are left"));
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Past", 0, 0, &key), ERROR_FILE_NOT_FOUND);
}

}  // namespace
