#include "platform/registry/Registry.h"

#include "platform/registry/KeyHandle.h"
#include "platform/registry/RegistryTable.h"

#include <cstring>
#include <string_view>

namespace {

std::u16string_view Text(LPCWSTR text)
{
    return text ? std::u16string_view(text) : std::u16string_view();
}

// Opens or creates the key below hKey and hands out a new handle to it.
LONG OpenKey(HKEY hKey, LPCWSTR subKey, bool create, PHKEY result, LPDWORD disposition)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    std::vector<std::u16string_view> names;
    if (!platform::RegistryTable::SplitPath(Text(subKey), names))
        return ERROR_INVALID_PARAMETER;
    platform::KeyRef parent;
    LONG status = platform::ResolveKeyHandle(hKey, parent);
    if (status != ERROR_SUCCESS)
        return status;
    platform::RegistryTable table(*parent.store);
    platform::KeyRef key{parent.store, 0};
    bool created = false;
    status = create ? table.Create(parent.id, names, key.id, created) : table.Find(parent.id, names, key.id);
    if (status != ERROR_SUCCESS)
        return status;
    *result = platform::NewKeyHandle(key);
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

}  // namespace

LONG RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, LPWSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES,
                     PHKEY phkResult, LPDWORD lpdwDisposition)
{
    return OpenKey(hKey, lpSubKey, true, phkResult, lpdwDisposition);
}

LONG RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM, PHKEY phkResult)
{
    return OpenKey(hKey, lpSubKey, false, phkResult, nullptr);
}

LONG RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    if (lpData && !lpcbData)
        return ERROR_INVALID_PARAMETER;
    platform::KeyRef key;
    LONG status = platform::ResolveKeyHandle(hKey, key);
    if (status != ERROR_SUCCESS)
        return status;
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;
    status = platform::RegistryTable(*key.store).GetValue(key.id, Text(lpValueName), type, data);
    if (status != ERROR_SUCCESS)
        return status;
    if (lpType)
        *lpType = type;
    DWORD size = static_cast<DWORD>(data.size());
    if (lpData && *lpcbData < size) {
        *lpcbData = size;
        return ERROR_MORE_DATA;
    }
    if (lpData && size)
        std::memcpy(lpData, data.data(), size);
    if (lpcbData)
        *lpcbData = size;
    return ERROR_SUCCESS;
}

LONG RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData)
{
    if (!lpData && cbData)
        return ERROR_INVALID_PARAMETER;
    platform::KeyRef key;
    LONG status = platform::ResolveKeyHandle(hKey, key);
    if (status != ERROR_SUCCESS)
        return status;
    return platform::RegistryTable(*key.store).SetValue(key.id, Text(lpValueName), dwType, lpData, cbData);
}

LONG RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName)
{
    platform::KeyRef key;
    LONG status = platform::ResolveKeyHandle(hKey, key);
    if (status != ERROR_SUCCESS)
        return status;
    return platform::RegistryTable(*key.store).DeleteValue(key.id, Text(lpValueName));
}

LONG RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey)
{
    std::vector<std::u16string_view> names;
    // An empty path would name hKey itself, a root included.
    if (!platform::RegistryTable::SplitPath(Text(lpSubKey), names) || names.empty())
        return ERROR_INVALID_PARAMETER;
    platform::KeyRef parent;
    LONG status = platform::ResolveKeyHandle(hKey, parent);
    if (status != ERROR_SUCCESS)
        return status;
    return platform::RegistryTable(*parent.store).DeleteTree(parent.id, names);
}

LONG RegCloseKey(HKEY hKey)
{
    if (hKey == HKEY_LOCAL_MACHINE || hKey == HKEY_CURRENT_USER)
        return ERROR_SUCCESS;
    return platform::CloseKeyHandle(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
