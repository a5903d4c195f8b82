#include "platform/system/KernelObject.h"

#include "platform/core/LastError.h"

#include <mutex>
#include <unordered_map>

namespace platform {

namespace {

struct HandleTable {
    std::mutex lock;
    std::unordered_map<HANDLE, std::unique_ptr<KernelObject>> objects;
};

HandleTable& Table()
{
    static auto* table = new HandleTable;  // outlives static destructors that close handles
    return *table;
}

bool IsPseudoHandle(HANDLE handle)
{
    auto value = reinterpret_cast<std::intptr_t>(handle);
    return value < 0 && value >= -8;
}

}  // namespace

HANDLE AddHandle(std::unique_ptr<KernelObject> object)
{
    HandleTable& table = Table();
    std::lock_guard guard(table.lock);
    HANDLE handle = object.get();
    table.objects.emplace(handle, std::move(object));
    return handle;
}

KernelObject* FindHandle(HANDLE handle)
{
    HandleTable& table = Table();
    std::lock_guard guard(table.lock);
    auto it = table.objects.find(handle);
    return it == table.objects.end() ? nullptr : it->second.get();
}

}  // namespace platform

BOOL CloseHandle(HANDLE handle)
{
    using namespace platform;
    if (IsPseudoHandle(handle))
        return TRUE;
    std::unique_ptr<KernelObject> doomed;
    {
        HandleTable& table = Table();
        std::lock_guard guard(table.lock);
        auto it = table.objects.find(handle);
        if (it == table.objects.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        doomed = std::move(it->second);
        table.objects.erase(it);
    }
    return TRUE;  // destroyed outside the lock: a destructor may take locks of its own
}
