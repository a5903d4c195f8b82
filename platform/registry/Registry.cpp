#include "platform/registry/Registry.h"

#include "platform/core/LastError.h"
#include "platform/registry/KeyHandle.h"
#include "platform/registry/RegistryTable.h"

#include <cstring>
#include <string_view>

namespace {

std::u16string_view Text(LPCWSTR text)
{
    return text ? std::u16string_view(text) : std::u16string_view();
}

// Every call leaves its failure as the last error too.
LONG Finish(LONG status)
{
    if (status != ERROR_SUCCESS)
        SetLastError(static_cast<DWORD>(status));
    return status;
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
    SetLastError(ERROR_SUCCESS);
    return Finish(OpenKey(hKey, lpSubKey, true, phkResult, lpdwDisposition));
}

LONG RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM, PHKEY phkResult)
{
    SetLastError(ERROR_SUCCESS);
    return Finish(OpenKey(hKey, lpSubKey, false, phkResult, nullptr));
}

LONG RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    SetLastError(ERROR_SUCCESS);
    if (lpData && !lpcbData)
        return Finish(ERROR_INVALID_PARAMETER);
    platform::KeyRef key;
    LONG status = platform::ResolveKeyHandle(hKey, key);
    if (status != ERROR_SUCCESS)
        return Finish(status);
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;
    status = platform::RegistryTable(*key.store).GetValue(key.id, Text(lpValueName), type, data);
    if (status != ERROR_SUCCESS)
        return Finish(status);
    if (lpType)
        *lpType = type;
    DWORD size = static_cast<DWORD>(data.size());
    if (lpData && *lpcbData < size) {
        *lpcbData = size;
        return Finish(ERROR_MORE_DATA);
    }
    if (lpData && size)
        std::memcpy(lpData, data.data(), size);
    if (lpcbData)
        *lpcbData = size;
    return Finish(ERROR_SUCCESS);
}

LONG RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData)
{
    SetLastError(ERROR_SUCCESS);
    if (!lpData && cbData)
        return Finish(ERROR_INVALID_PARAMETER);
    platform::KeyRef key;
    LONG status = platform::ResolveKeyHandle(hKey, key);
    if (status != ERROR_SUCCESS)
        return Finish(status);
    return Finish(platform::RegistryTable(*key.store).SetValue(key.id, Text(lpValueName), dwType, lpData, cbData));
}

LONG RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName)
{
    SetLastError(ERROR_SUCCESS);
    platform::KeyRef key;
    LONG status = platform::ResolveKeyHandle(hKey, key);
    if (status != ERROR_SUCCESS)
        return Finish(status);
    return Finish(platform::RegistryTable(*key.store).DeleteValue(key.id, Text(lpValueName)));
}

LONG RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey)
{
    SetLastError(ERROR_SUCCESS);
    std::vector<std::u16string_view> names;
    // An empty path would name hKey itself, a root included.
    if (!platform::RegistryTable::SplitPath(Text(lpSubKey), names) || names.empty())
        return Finish(ERROR_INVALID_PARAMETER);
    platform::KeyRef parent;
    LONG status = platform::ResolveKeyHandle(hKey, parent);
    if (status != ERROR_SUCCESS)
        return Finish(status);
    return Finish(platform::RegistryTable(*parent.store).DeleteTree(parent.id, names));
}

LONG RegCloseKey(HKEY hKey)
{
    if (hKey == HKEY_LOCAL_MACHINE || hKey == HKEY_CURRENT_USER)
        return Finish(ERROR_SUCCESS);
    return Finish(platform::CloseKeyHandle(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE);
}
