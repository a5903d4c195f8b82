#include "platform/system/runattime/RunAtTime.h"

#include "platform/core/CString.h"
#include "platform/core/LastError.h"
#include "platform/core/Time.h"
#include "platform/system/ProcessInfo.h"
#include "platform/system/Trace.h"
#include "platform/system/runattime/PendingRequests.h"
#include "platform/system/runattime/SystemdService.h"
#include "platform/system/runattime/WaiterService.h"

#include <cstdio>
#include <cstring>
#include <limits.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace platform {

namespace {

// The last second a systemd calendar can name: 2199-12-31 23:59:59 UTC.
constexpr std::int64_t kLatestDue = 7258118399;

RunAtTimeHandler& Handler()
{
    static RunAtTimeHandler handler;
    return handler;
}

BOOL Failure(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

void Complain(const char* what, const std::string& path, const std::string& why)
{
    std::fprintf(stderr, "%s: %s %s: %s\n", program_invocation_short_name, what, path.c_str(), why.c_str());
}

std::int64_t WallClockSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec;
}

bool UsablePath(const std::string& path)
{
    if (path.empty() || path.front() != '/' || path.size() >= PATH_MAX)
        return false;
    for (const char c : path)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
    // An unpaired surrogate came through as U+FFFD: not the path that was meant.
    return path.find("\xEF\xBF\xBD") == std::string::npos;
}

bool IsExecutableFile(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

RunAtTimeService ServiceHere()
{
    return SystemdService::Available() ? RunAtTimeService::Systemd : RunAtTimeService::Waiter;
}

const char* ServiceName(RunAtTimeService service)
{
    return service == RunAtTimeService::Systemd ? "systemd" : "waiter";
}

// Carries the request out with `service` and clears whatever the other one
// may still hold of the executable's earlier requests.
bool Arm(const RunAtTimeRequest& request, RunAtTimeService service, std::string* why)
{
    const std::string key = RequestKey(request.path);
    if (service == RunAtTimeService::Systemd)
        return WaiterService::Disarm(key, why) && SystemdService::Arm(request, why);
    return SystemdService::Disarm(key, why) && WaiterService::Arm(request, why);
}

bool Held(const RunAtTimeRequest& request, RunAtTimeService service)
{
    if (service == RunAtTimeService::Systemd)
        return request.service == RunAtTimeService::Systemd && SystemdService::Holds(request);
    return WaiterService::Holds(request);
}

BOOL Schedule(const std::string& path, const SYSTEMTIME& localTime)
{
    std::int64_t due = 0;
    if (!IsValidSystemTime(&localTime) || !LocalToUtcSeconds(localTime, due) || due > kLatestDue)
        return Failure(ERROR_INVALID_PARAMETER);
    if (!IsExecutableFile(path))
        return Failure(ERROR_FILE_NOT_FOUND);
    std::optional<PendingRequests> requests = PendingRequests::ForDevice(true);
    const RunAtTimeService service = ServiceHere();
    const RunAtTimeRequest request{path, due, NewRequestId(), service};
    if (!requests || !requests->Put(request))
        return Failure(ERROR_CANTWRITE);
    std::string why;
    if (!Arm(request, service, &why)) {
        Complain("cannot set the start of", path, why);
        return Failure(ERROR_ACCESS_DENIED);
    }
    Trace("run-at-time: %s at %lld by %s", path.c_str(), static_cast<long long>(due), ServiceName(service));
    return TRUE;
}

BOOL Unschedule(const std::string& path)
{
    std::optional<PendingRequests> requests = PendingRequests::ForDevice(false);
    if (requests && !requests->Remove(path))
        return Failure(ERROR_CANTWRITE);
    const std::string key = RequestKey(path);
    std::string why;
    if (!WaiterService::Disarm(key, &why) || !SystemdService::Disarm(key, &why)) {
        Complain("cannot cancel the start of", path, why);
        return Failure(ERROR_ACCESS_DENIED);
    }
    Trace("run-at-time: %s removed", path.c_str());
    return TRUE;
}

}  // namespace

void SetRunAtTimeHandler(RunAtTimeHandler handler) { Handler() = std::move(handler); }

void ResumeRunAtTimeAtStart(int argc, char** argv)
{
    if (Handler())
        return;
    std::optional<PendingRequests> requests = PendingRequests::ForDevice(false);
    if (!requests || !requests->Ok())
        return;
    const bool startedForRequest = argc == 2 && argv && argv[1] && std::strcmp(argv[1], kRunAtTimeCommandLine) == 0;
    const std::string self = startedForRequest ? ProcessExecutable(GetCurrentProcessId()) : std::string();
    const std::int64_t now = WallClockSeconds();
    const RunAtTimeService service = ServiceHere();
    for (const RunAtTimeRequest& request : requests->All()) {
        const std::string key = RequestKey(request.path);
        // A request whose program has been started is used up.
        if (WaiterService::Fired(key) == request.id || (request.path == self && request.due <= now + 1)) {
            requests->RemoveIfCurrent(request.path, request.id);
            WaiterService::ForgetFired(key);
            Trace("run-at-time: %s used up", request.path.c_str());
            continue;
        }
        // An executable that has gone can never be started: its request goes too.
        if (!UsablePath(request.path) || !IsExecutableFile(request.path)) {
            requests->RemoveIfCurrent(request.path, request.id);
            continue;
        }
        if (Held(request, service))
            continue;
        std::string why;
        if (!Arm(request, service, &why))
            Complain("cannot set the start of", request.path, why);
        else if (request.service != service)
            requests->SetService(request, service);
    }
}

}  // namespace platform

BOOL CeRunAppAtTime(LPCWSTR appName, const SYSTEMTIME* localTime)
{
    if (platform::Handler())
        return platform::Handler()(appName ? std::u16string(appName) : std::u16string(), localTime);
    if (!appName)
        return platform::Failure(ERROR_INVALID_PARAMETER);
    const std::string path = platform::Utf16ToUtf8(appName);
    if (!platform::UsablePath(path))
        return platform::Failure(ERROR_INVALID_PARAMETER);
    return localTime ? platform::Schedule(path, *localTime) : platform::Unschedule(path);
}
