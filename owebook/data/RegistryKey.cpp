#include "owebook/data/RegistryKey.h"

#include "platform/registry/Registry.h"

#include <algorithm>
#include <cstring>

namespace {

struct OpenedKey {
    LONG status = ERROR_SUCCESS;
    HKEY hKey = nullptr;
    bool created = false;
};

OpenedKey OpenOrCreate(LPCWSTR path)
{
    OpenedKey key;
    DWORD disposition = 0;
    key.status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE, 0, nullptr,
                                 &key.hKey, &disposition);
    if (key.status != ERROR_SUCCESS)
        key.hKey = nullptr;
    key.created = disposition == REG_CREATED_NEW_KEY;
    return key;
}

DWORD TextBytes(LPCWSTR text)
{
    DWORD length = 0;
    while (text[length])
        ++length;
    return (length + 1) * sizeof(WCHAR);
}

// Copies as much of the text as fits, always zero-terminated.
void CopyText(LPWSTR buffer, DWORD bufferBytes, LPCWSTR text)
{
    DWORD capacity = bufferBytes / sizeof(WCHAR);
    if (capacity == 0)
        return;
    DWORD i = 0;
    for (; i + 1 < capacity && text[i]; ++i)
        buffer[i] = text[i];
    buffer[i] = 0;
}

// A value stored by someone else need not end with a zero; the caller reads
// the buffer as a text all the same.
void Terminate(LPWSTR buffer, DWORD bufferBytes, DWORD readBytes)
{
    DWORD capacity = bufferBytes / sizeof(WCHAR);
    DWORD chars = (readBytes + 1) / sizeof(WCHAR);
    if (capacity == 0)
        return;
    if (chars > 0 && chars <= capacity && buffer[chars - 1] == 0 && readBytes % 2 == 0)
        return;
    buffer[std::min(chars, capacity - 1)] = 0;
}

}  // namespace

void CRegistryKey::SetDword(LPCWSTR name, DWORD value)
{
    OpenedKey key = OpenOrCreate(m_pszKey);
    if (!key.hKey)
        return;
    RegSetValueExW(key.hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key.hKey);
}

LONG CRegistryKey::SetString(LPCWSTR name, LPCWSTR text)
{
    OpenedKey key = OpenOrCreate(m_pszKey);
    if (!key.hKey)
        return key.status;
    if (!text)
        text = u"";
    RegSetValueExW(key.hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), TextBytes(text));
    return RegCloseKey(key.hKey);
}

LONG CRegistryKey::SetBinary(LPCWSTR name, const BYTE* data, DWORD size)
{
    OpenedKey key = OpenOrCreate(m_pszKey);
    if (!key.hKey)
        return key.status;
    RegSetValueExW(key.hKey, name, 0, REG_BINARY, data, size);
    return RegCloseKey(key.hKey);
}

BOOL CRegistryKey::GetDword(LPCWSTR name, DWORD* result, DWORD defaultValue)
{
    OpenedKey key = OpenOrCreate(m_pszKey);
    if (!key.hKey)
        return TRUE;
    if (key.created)
        RegSetValueExW(key.hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&defaultValue),
                       sizeof defaultValue);
    DWORD size = sizeof(DWORD);
    BOOL read = RegQueryValueExW(key.hKey, name, nullptr, nullptr, reinterpret_cast<BYTE*>(result), &size) ==
                ERROR_SUCCESS;
    if (!read)
        *result = defaultValue;
    RegCloseKey(key.hKey);
    return read;
}

BOOL CRegistryKey::GetString(LPCWSTR name, LPWSTR buffer, DWORD bufferBytes, LPCWSTR defaultText)
{
    OpenedKey key = OpenOrCreate(m_pszKey);
    if (!key.hKey)
        return TRUE;
    if (!defaultText)
        defaultText = u"";
    if (key.created)
        RegSetValueExW(key.hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(defaultText), TextBytes(defaultText));
    DWORD size = bufferBytes;
    BOOL read = RegQueryValueExW(key.hKey, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) ==
                ERROR_SUCCESS;
    if (read)
        Terminate(buffer, bufferBytes, size);
    else
        CopyText(buffer, bufferBytes, defaultText);
    RegCloseKey(key.hKey);
    return read || key.created;
}

BOOL CRegistryKey::GetBinary(LPCWSTR name, BYTE* buffer, DWORD* size, const BYTE* defaultBytes)
{
    OpenedKey key = OpenOrCreate(m_pszKey);
    if (!key.hKey)
        return TRUE;
    if (key.created && defaultBytes)
        RegSetValueExW(key.hKey, name, 0, REG_BINARY, defaultBytes, *size);
    DWORD got = *size;
    BOOL read = RegQueryValueExW(key.hKey, name, nullptr, nullptr, buffer, &got) == ERROR_SUCCESS;
    if (read)
        *size = got;  // only a successful read may shrink the count; a failed one would report the size needed
    BOOL result = read;
    if (!read && !key.created && defaultBytes) {
        std::memcpy(buffer, defaultBytes, *size);
        result = TRUE;
    }
    RegCloseKey(key.hKey);
    return result;
}
