#include "platform/system/MessageFilter.h"

#include "platform/core/LastError.h"

#include <mutex>
#include <set>

namespace platform {

namespace {

struct Filter {
    std::mutex lock;  // asked on the listener thread, changed on the UI thread
    std::set<UINT> allowed;
};

Filter& TheFilter()
{
    static auto* filter = new Filter;  // asked until the listener's last request
    return *filter;
}

}  // namespace

bool RemoteMessageAllowed(UINT message)
{
    Filter& filter = TheFilter();
    std::lock_guard guard(filter.lock);
    return filter.allowed.count(message) != 0;
}

}  // namespace platform

BOOL ChangeWindowMessageFilter(UINT message, DWORD flag)
{
    platform::Filter& filter = platform::TheFilter();
    std::lock_guard guard(filter.lock);
    if (flag == MSGFLT_ADD) {
        filter.allowed.insert(message);
    } else if (flag == MSGFLT_REMOVE) {
        filter.allowed.erase(message);
    } else {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}
