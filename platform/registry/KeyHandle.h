#pragma once
// Open registry keys: each handle names a key by its id in the store and
// keeps the store it came from. Handles are checked before use, so a stale
// or foreign one is an error code, never a crash.

#include "platform/registry/Registry.h"
#include "platform/store/Store.h"

#include <memory>

namespace platform {

struct KeyRef {
    std::shared_ptr<Store> store;
    std::int64_t id = 0;
};

// The two roots have fixed ids below every allocated one.
constexpr std::int64_t kCurrentUserKey = -1;
constexpr std::int64_t kLocalMachineKey = -2;

// ERROR_SUCCESS with the key a handle names, or the error to return.
LONG ResolveKeyHandle(HKEY hKey, KeyRef& ref);
HKEY NewKeyHandle(const KeyRef& ref);
bool CloseKeyHandle(HKEY hKey);  // false for a handle that is not open

}  // namespace platform
