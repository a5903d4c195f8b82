#include "platform/registry/KeyHandle.h"

#include <mutex>
#include <set>

struct HKEY__ {
    platform::KeyRef ref;
};

namespace platform {

namespace {
std::mutex g_lock;
std::set<HKEY> g_open;
}  // namespace

LONG ResolveKeyHandle(HKEY hKey, KeyRef& ref)
{
    if (hKey == HKEY_LOCAL_MACHINE || hKey == HKEY_CURRENT_USER) {
        ref.store = Store::ForDevice();
        ref.id = hKey == HKEY_LOCAL_MACHINE ? kLocalMachineKey : kCurrentUserKey;
        return ref.store ? ERROR_SUCCESS : ERROR_CANTOPEN;
    }
    std::lock_guard<std::mutex> guard(g_lock);
    if (!g_open.count(hKey))
        return ERROR_INVALID_HANDLE;
    ref = hKey->ref;
    return ERROR_SUCCESS;
}

HKEY NewKeyHandle(const KeyRef& ref)
{
    HKEY handle = new HKEY__{ref};
    std::lock_guard<std::mutex> guard(g_lock);
    g_open.insert(handle);
    return handle;
}

bool CloseKeyHandle(HKEY hKey)
{
    {
        std::lock_guard<std::mutex> guard(g_lock);
        if (!g_open.erase(hKey))
            return false;
    }
    delete hKey;
    return true;
}

}  // namespace platform
