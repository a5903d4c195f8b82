#include "platform/store/DeviceFolder.h"

#include "platform/registry/Registry.h"
#include "platform/store/CCeDBDatabase.h"

#include <sqlite3.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const WCHAR kVersion[] = u"SOFTWARE\\Brightel\\Owebook\\Version";

class RegistryTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (HKEY key : m_keys)
            RegCloseKey(key);
    }

    HKEY Create(HKEY parent, LPCWSTR path, DWORD* disposition = nullptr)
    {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExW(parent, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, disposition),
                  ERROR_SUCCESS);
        m_keys.push_back(key);
        return key;
    }

    LONG Open(HKEY parent, LPCWSTR path, HKEY* key)
    {
        LONG result = RegOpenKeyExW(parent, path, 0, KEY_READ, key);
        if (result == ERROR_SUCCESS)
            m_keys.push_back(*key);
        return result;
    }

    static LONG SetDword(HKEY key, LPCWSTR name, DWORD value)
    {
        return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
    }

    static int QueryByte(HKEY key, LPCWSTR name)
    {
        DWORD type = 0;
        std::vector<BYTE> data;
        return Query(key, name, type, data) == ERROR_SUCCESS && !data.empty() ? data[0] : -1;
    }

    static LONG Query(HKEY key, LPCWSTR name, DWORD& type, std::vector<BYTE>& data)
    {
        DWORD size = 0;
        LONG result = RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
        if (result != ERROR_SUCCESS)
            return result;
        data.assign(size + 1, 0xEE);  // one spare byte that must stay untouched
        result = RegQueryValueExW(key, name, nullptr, &type, data.data(), &size);
        EXPECT_EQ(data.back(), 0xEE);
        data.resize(size);
        return result;
    }

    DeviceFolder m_device;
    std::vector<HKEY> m_keys;
};

TEST_F(RegistryTest, CreateMakesMissingParentsAndTellsCreatedFromExisting)
{
    DWORD disposition = 0;
    HKEY key = Create(HKEY_LOCAL_MACHINE, kVersion, &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    Create(HKEY_LOCAL_MACHINE, kVersion, &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    HKEY parent = nullptr;
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Brightel", &parent), ERROR_SUCCESS);
    Create(parent, u"Owebook\\Alarms", &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    // A key opened from a handle is the same key as by its full path.
    EXPECT_EQ(SetDword(key, u"Major", 1), ERROR_SUCCESS);
    HKEY again = nullptr;
    ASSERT_EQ(Open(parent, u"Owebook\\Version", &again), ERROR_SUCCESS);
    EXPECT_EQ(QueryByte(again, u"Major"), 1);
}

TEST_F(RegistryTest, MissingKeyAndMissingValueAreDifferentAnswers)
{
    HKEY key = nullptr;
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, kVersion, &key), ERROR_FILE_NOT_FOUND);
    key = Create(HKEY_LOCAL_MACHINE, kVersion);
    DWORD type = 0;
    std::vector<BYTE> data;
    EXPECT_EQ(Query(key, u"Major", type, data), ERROR_FILE_NOT_FOUND);
    // The key stays when its last value goes: the next create opens it.
    ASSERT_EQ(SetDword(key, u"Major", 1), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteValueW(key, u"Major"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(key, u"Major"), ERROR_FILE_NOT_FOUND);
    DWORD disposition = 0;
    HKEY reopened = Create(HKEY_LOCAL_MACHINE, kVersion, &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    EXPECT_EQ(Query(reopened, u"Major", type, data), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, ValuesKeepTheirTypeAndExactBytes)
{
    HKEY key = Create(HKEY_LOCAL_MACHINE, kVersion);
    const BYTE dword[] = {1, 0, 0, 0};
    const BYTE text[] = {'1', 0, '.', 0, 0, 0};
    const BYTE emptyText[] = {0, 0};
    const BYTE letter[] = {0x20, 0x20};
    const BYTE zeros[] = {0, 0xFF, 0, 0};
    struct Case {
        const char16_t* name;
        DWORD type;
        std::vector<BYTE> bytes;
    } cases[] = {
        {u"Major", REG_DWORD, {dword, dword + 4}},
        {u"Text", REG_SZ, {text, text + 6}},
        {u"Empty", REG_SZ, {emptyText, emptyText + 2}},
        {u"Letter", REG_BINARY, {letter, letter + 2}},
        {u"Zeros", REG_BINARY, {zeros, zeros + 4}},
        {u"Nothing", REG_BINARY, {}},
        {u"Short dword", REG_DWORD, {dword, dword + 2}},  // stored as given
        {u"", REG_SZ, {text, text + 6}},                  // the key's default value
    };
    for (const Case& c : cases)
        ASSERT_EQ(RegSetValueExW(key, c.name, 0, c.type, c.bytes.data(), static_cast<DWORD>(c.bytes.size())),
                  ERROR_SUCCESS);
    DeviceFolder::Reopen();
    HKEY reopened = nullptr;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, kVersion, &reopened), ERROR_SUCCESS);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name)));
        DWORD type = 0;
        std::vector<BYTE> data;
        ASSERT_EQ(Query(reopened, c.name, type, data), ERROR_SUCCESS);
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(data, c.bytes);
    }
    // A null name is the default value too.
    DWORD type = 0;
    std::vector<BYTE> data;
    EXPECT_EQ(Query(reopened, nullptr, type, data), ERROR_SUCCESS);
    // Writing again replaces type and bytes.
    ASSERT_EQ(SetDword(reopened, u"Text", 7), ERROR_SUCCESS);
    ASSERT_EQ(Query(reopened, u"Text", type, data), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(data.size(), 4u);
}

TEST_F(RegistryTest, QueryReportsSizesAndTooSmallBuffers)
{
    HKEY key = Create(HKEY_LOCAL_MACHINE, kVersion);
    const BYTE bytes[] = {1, 2, 3, 4, 5, 6};
    ASSERT_EQ(RegSetValueExW(key, u"Six", 0, REG_BINARY, bytes, 6), ERROR_SUCCESS);

    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"Six", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(type, REG_BINARY);

    BYTE small[4] = {9, 9, 9, 9};
    size = sizeof small;
    type = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"Six", nullptr, &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(type, REG_BINARY);

    BYTE exact[6] = {};
    size = 6;
    EXPECT_EQ(RegQueryValueExW(key, u"Six", nullptr, nullptr, exact, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::memcmp(exact, bytes, 6), 0);

    EXPECT_EQ(RegQueryValueExW(key, u"Six", nullptr, nullptr, exact, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExW(key, u"Six", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, u"Bad", 0, REG_BINARY, nullptr, 3), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, NamesMatchWithoutRegardToCaseAndKeepTheirFirstSpelling)
{
    HKEY key = Create(HKEY_LOCAL_MACHINE, kVersion);
    ASSERT_EQ(SetDword(key, u"Major", 1), ERROR_SUCCESS);
    HKEY shouted = nullptr;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, u"software\\BRIGHTEL\\owebook\\VERSION", &shouted), ERROR_SUCCESS);
    ASSERT_EQ(SetDword(shouted, u"MAJOR", 2), ERROR_SUCCESS);
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_EQ(Query(key, u"major", type, data), ERROR_SUCCESS);
    EXPECT_EQ(data, (std::vector<BYTE>{2, 0, 0, 0}));
    DWORD disposition = 0;
    Create(HKEY_LOCAL_MACHINE, u"Software\\Brightel\\Owebook\\\u00C9t\u00C9", &disposition);
    Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\BRIGHTEL\\OWEBOOK\\\u00E9t\u00E9", &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));  // beyond ASCII too

    // The file keeps the spellings used first.
    DeviceFolder::Reopen();
    sqlite3* handle = nullptr;
    ASSERT_EQ(sqlite3_open_v2(m_device.StoreFile().c_str(), &handle, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    auto names = [handle](const char* sql) {
        std::vector<std::u16string> out;
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(handle, sql, -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW)
            out.emplace_back(static_cast<const char16_t*>(sqlite3_column_blob(stmt, 0)),
                             sqlite3_column_bytes(stmt, 0) / 2);
        sqlite3_finalize(stmt);
        return out;
    };
    EXPECT_EQ(names("SELECT name FROM regkeys ORDER BY id"),
              (std::vector<std::u16string>{u"SOFTWARE", u"Brightel", u"Owebook", u"Version", u"\u00C9t\u00C9"}));
    EXPECT_EQ(names("SELECT name FROM regvalues"), (std::vector<std::u16string>{u"Major"}));
    sqlite3_close(handle);
}

TEST_F(RegistryTest, DeletingAKeyDeletesItsSubkeysAndValues)
{
    HKEY owebook = Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Brightel\\Owebook");
    HKEY version = Create(owebook, u"Version");
    ASSERT_EQ(SetDword(version, u"Major", 1), ERROR_SUCCESS);
    ASSERT_EQ(SetDword(Create(owebook, u"Alarms"), u"Alarm", 5), ERROR_SUCCESS);

    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"software\\brightel\\owebook"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Brightel\\Owebook"), ERROR_FILE_NOT_FOUND);
    HKEY gone = nullptr;
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Brightel\\Owebook\\Alarms", &gone), ERROR_FILE_NOT_FOUND);
    HKEY parent = nullptr;
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Brightel", &parent), ERROR_SUCCESS);

    // Handles to deleted keys say so, also once the path exists again.
    DWORD type = 0;
    std::vector<BYTE> data;
    EXPECT_EQ(Query(version, u"Major", type, data), ERROR_KEY_DELETED);
    EXPECT_EQ(SetDword(version, u"Major", 1), ERROR_KEY_DELETED);
    DWORD disposition = 0;
    HKEY fresh = Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Brightel\\Owebook\\Version", &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    EXPECT_EQ(Query(fresh, u"Major", type, data), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Query(version, u"Major", type, data), ERROR_KEY_DELETED);
    HKEY child = nullptr;
    EXPECT_EQ(RegCreateKeyExW(version, u"Child", 0, nullptr, 0, 0, nullptr, &child, nullptr), ERROR_KEY_DELETED);

    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u""), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, nullptr), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, RootsAreSeparateTreesAndHoldValuesThemselves)
{
    ASSERT_EQ(SetDword(Create(HKEY_LOCAL_MACHINE, u"Shared"), u"Who", 1), ERROR_SUCCESS);
    ASSERT_EQ(SetDword(Create(HKEY_CURRENT_USER, u"Shared"), u"Who", 2), ERROR_SUCCESS);
    HKEY machine = nullptr, user = nullptr;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, u"Shared", &machine), ERROR_SUCCESS);
    ASSERT_EQ(Open(HKEY_CURRENT_USER, u"Shared", &user), ERROR_SUCCESS);
    EXPECT_EQ(QueryByte(machine, u"Who"), 1);
    EXPECT_EQ(QueryByte(user, u"Who"), 2);
    EXPECT_EQ(SetDword(HKEY_CURRENT_USER, u"Top", 3), ERROR_SUCCESS);
    EXPECT_EQ(QueryByte(HKEY_CURRENT_USER, u"Top"), 3);
    EXPECT_EQ(QueryByte(HKEY_LOCAL_MACHINE, u"Top"), -1);
}

TEST_F(RegistryTest, BadPathsAreRefused)
{
    HKEY key = nullptr;
    std::u16string tooLong(256, u'k');
    for (const std::u16string& path : {std::u16string(u"\\Leading"), std::u16string(u"Double\\\\Slash"), tooLong}) {
        EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, 0, nullptr, &key, nullptr),
                  ERROR_INVALID_PARAMETER);
        EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, 0, &key), ERROR_INVALID_PARAMETER);
    }
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"A", 0, nullptr, 0, 0, nullptr, nullptr, nullptr),
              ERROR_INVALID_PARAMETER);
    Create(HKEY_LOCAL_MACHINE, u"Trailing\\");
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, u"Trailing", &key), ERROR_SUCCESS);
    // An empty path opens the key itself.
    HKEY same = nullptr;
    EXPECT_EQ(Open(key, u"", &same), ERROR_SUCCESS);
    EXPECT_EQ(SetDword(same, u"V", 1), ERROR_SUCCESS);
    EXPECT_EQ(QueryByte(key, u"V"), 1);
}

TEST_F(RegistryTest, HandlesAreCheckedAndClosedOnce)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"K", 0, nullptr, 0, 0, nullptr, &key, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(SetDword(key, u"V", 1), ERROR_INVALID_HANDLE);
    int notAKey = 0;
    HKEY bogus = reinterpret_cast<HKEY>(&notAKey);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(bogus, u"V", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyExW(nullptr, u"K", 0, 0, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegDeleteValueW(bogus, u"V"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegDeleteKeyW(bogus, u"K"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
}

TEST_F(RegistryTest, SharesTheStoreFileWithTheDatabases)
{
    ASSERT_TRUE(CCeDBDatabase().Create(u"OwebookMain", 101));
    ASSERT_EQ(SetDword(Create(HKEY_LOCAL_MACHINE, kVersion), u"Major", 1), ERROR_SUCCESS);
    DeviceFolder::Reopen();
    EXPECT_TRUE(CCeDBDatabase::Exists(u"OwebookMain"));
    HKEY key = nullptr;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, kVersion, &key), ERROR_SUCCESS);
    EXPECT_EQ(QueryByte(key, u"Major"), 1);
}

TEST_F(RegistryTest, UnusableStoreFileGivesAnErrorAndStaysUnchanged)
{
    ASSERT_EQ(mkdir(m_device.Home().c_str(), 0700), 0);
    WriteFileBytes(m_device.StoreFile(), "not a database at all");
    testing::internal::CaptureStderr();
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kVersion, 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_CANTOPEN);
    EXPECT_EQ(SetDword(HKEY_LOCAL_MACHINE, u"V", 1), ERROR_CANTOPEN);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(ReadFileBytes(m_device.StoreFile()), "not a database at all");
}

}  // namespace
