#include "owebook/data/RegistryKey.h"

#include "LedgerTestEnv.h"
#include "platform/registry/Registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

const WCHAR KEY[] = u"SOFTWARE\\Test\\Settings";

enum class KeyState { Missing, WithValue, WithoutValue };

class RegistryKeyGetters : public LedgerTest {
protected:
    // Puts the key into the state a row of the getter table starts from;
    // "WithValue" stores `type` and the bytes given.
    void Prepare(KeyState state, DWORD type = REG_NONE, const void* data = nullptr, DWORD size = 0)
    {
        if (state == KeyState::Missing)
            return;
        HKEY hKey = nullptr;
        DWORD disposition = 0;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, KEY, 0, nullptr, 0, 0, nullptr, &hKey, &disposition),
                  ERROR_SUCCESS);
        if (state == KeyState::WithValue) {
            EXPECT_EQ(RegSetValueExW(hKey, u"Value", 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        }
        RegCloseKey(hKey);
    }

    // What is stored now: false when the key or the value is missing.
    static bool Stored(DWORD& type, std::vector<BYTE>& bytes)
    {
        HKEY hKey = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, KEY, 0, 0, &hKey) != ERROR_SUCCESS)
            return false;
        BYTE data[256];
        DWORD size = sizeof data;
        LONG status = RegQueryValueExW(hKey, u"Value", nullptr, &type, data, &size);
        RegCloseKey(hKey);
        if (status != ERROR_SUCCESS)
            return false;
        bytes.assign(data, data + size);
        return true;
    }

    CRegistryKey m_key{KEY};
};

TEST_F(RegistryKeyGetters, DwordByKeyState)
{
    const DWORD stored = 77;
    const struct {
        KeyState state;
        BOOL result;
        DWORD value;
        bool storedAfter;
    } rows[] = {
        {KeyState::Missing, TRUE, 5, true},         // default stored and read back
        {KeyState::WithValue, TRUE, 77, true},
        {KeyState::WithoutValue, FALSE, 5, false},  // default given, nothing written
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.state));
        TestDevice device;
        Prepare(row.state, REG_DWORD, &stored, sizeof stored);
        DWORD value = 0xDEAD;
        EXPECT_EQ(m_key.GetDword(u"Value", &value, 5), row.result);
        EXPECT_EQ(value, row.value);
        DWORD type = 0;
        std::vector<BYTE> bytes;
        ASSERT_EQ(Stored(type, bytes), row.storedAfter);
        if (row.storedAfter) {
            EXPECT_EQ(type, REG_DWORD);
            EXPECT_EQ(bytes.size(), 4u);
        }
    }
}

TEST_F(RegistryKeyGetters, StringByKeyState)
{
    const WCHAR stored[] = u"stored";
    const struct {
        KeyState state;
        BOOL result;
        const char16_t* text;
        bool storedAfter;
    } rows[] = {
        {KeyState::Missing, TRUE, u"default", true},
        {KeyState::WithValue, TRUE, u"stored", true},
        {KeyState::WithoutValue, FALSE, u"default", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.state));
        TestDevice device;
        Prepare(row.state, REG_SZ, stored, sizeof stored);
        WCHAR buffer[32] = u"garbage";
        EXPECT_EQ(m_key.GetString(u"Value", buffer, sizeof buffer, u"default"), row.result);
        EXPECT_EQ(std::u16string(buffer), row.text);
        DWORD type = 0;
        std::vector<BYTE> bytes;
        ASSERT_EQ(Stored(type, bytes), row.storedAfter);
        if (row.storedAfter && row.state == KeyState::Missing) {
            EXPECT_EQ(type, REG_SZ);
            EXPECT_EQ(bytes.size(), sizeof u"default");
        }
    }
}

TEST_F(RegistryKeyGetters, BinaryByKeyStateWithAndWithoutDefault)
{
    const BYTE stored[3] = {7, 8, 9};
    const BYTE fallback[4] = {1, 2, 3, 4};
    const struct {
        KeyState state;
        bool withDefault;
        BOOL result;
        std::vector<BYTE> buffer;  // what the caller's buffer holds afterwards
        DWORD size;
        bool storedAfter;
    } rows[] = {
        {KeyState::Missing, true, TRUE, {1, 2, 3, 4}, 4, true},
        {KeyState::WithValue, true, TRUE, {7, 8, 9, 0xEE}, 3, true},
        {KeyState::WithoutValue, true, TRUE, {1, 2, 3, 4}, 4, false},  // default copied, not written
        {KeyState::Missing, false, FALSE, {0xEE, 0xEE, 0xEE, 0xEE}, 4, false},
        {KeyState::WithValue, false, TRUE, {7, 8, 9, 0xEE}, 3, true},
        {KeyState::WithoutValue, false, FALSE, {0xEE, 0xEE, 0xEE, 0xEE}, 4, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(row.state) << (row.withDefault ? " with" : " without"));
        TestDevice device;
        Prepare(row.state, REG_BINARY, stored, sizeof stored);
        BYTE buffer[4] = {0xEE, 0xEE, 0xEE, 0xEE};
        DWORD size = sizeof buffer;
        EXPECT_EQ(m_key.GetBinary(u"Value", buffer, &size, row.withDefault ? fallback : nullptr), row.result);
        EXPECT_EQ(std::vector<BYTE>(buffer, buffer + 4), row.buffer);
        EXPECT_EQ(size, row.size);
        DWORD type = 0;
        std::vector<BYTE> bytes;
        EXPECT_EQ(Stored(type, bytes), row.storedAfter);
        HKEY hKey = nullptr;
        EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, KEY, 0, 0, &hKey), ERROR_SUCCESS) << "the key is created";
        RegCloseKey(hKey);
    }
}

TEST_F(RegistryKeyGetters, ValuesOfTheWrongSizeAreReadWithinTheBuffer)
{
    // Two bytes where four were expected: they land in the low half, the rest stays.
    const BYTE two[2] = {0x34, 0x12};
    Prepare(KeyState::WithValue, REG_BINARY, two, sizeof two);
    DWORD value = 0xAABBCCDD;
    EXPECT_TRUE(m_key.GetDword(u"Value", &value, 5));
    EXPECT_EQ(value, 0xAABB1234u);

    // Eight bytes do not fit: the read fails and the default stands.
    const BYTE eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    Prepare(KeyState::WithValue, REG_DWORD, eight, sizeof eight);
    EXPECT_FALSE(m_key.GetDword(u"Value", &value, 5));
    EXPECT_EQ(value, 5u);

    // Larger than the buffer: the default is used and the count is not inflated.
    struct {
        BYTE data[4];
        BYTE guard[4];
    } binary{{0, 0, 0, 0}, {0x55, 0x55, 0x55, 0x55}};
    const BYTE fallback[4] = {9, 9, 9, 9};
    DWORD size = 4;
    EXPECT_TRUE(m_key.GetBinary(u"Value", binary.data, &size, fallback));
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(binary.data[0], 9);
    EXPECT_EQ(binary.guard[0], 0x55);
    size = 4;
    EXPECT_FALSE(m_key.GetBinary(u"Value", binary.data, &size, nullptr));
    EXPECT_EQ(size, 4u);
}

TEST_F(RegistryKeyGetters, StringsAlwaysComeBackTerminatedInsideTheBuffer)
{
    // A text without its zero, as another program may store it.
    const WCHAR raw[3] = {u'a', u'b', u'c'};
    Prepare(KeyState::WithValue, REG_SZ, raw, sizeof raw);
    WCHAR buffer[8];
    std::memset(buffer, 0x41, sizeof buffer);
    EXPECT_TRUE(m_key.GetString(u"Value", buffer, sizeof buffer, u"x"));
    EXPECT_EQ(std::u16string(buffer), u"abc");

    // Exactly filling the buffer: the last character gives way to the zero.
    WCHAR small[3];
    EXPECT_TRUE(m_key.GetString(u"Value", small, sizeof small, u"x"));
    EXPECT_EQ(std::u16string(small), u"ab");

    // Too long for the buffer: the default, cut to fit.
    const WCHAR longText[] = u"much too long for it";
    Prepare(KeyState::WithValue, REG_SZ, longText, sizeof longText);
    EXPECT_FALSE(m_key.GetString(u"Value", small, sizeof small, u"default"));
    EXPECT_EQ(std::u16string(small), u"de");
}

}  // namespace
