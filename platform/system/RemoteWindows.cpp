#include "platform/system/RemoteWindows.h"

#include "platform/core/LastError.h"
#include "platform/system/ProcessDirectory.h"
#include "platform/system/ProcessInfo.h"
#include "platform/system/RemoteWire.h"
#include "platform/system/RuntimeDir.h"
#include "platform/system/WindowAnnouncer.h"

namespace platform {

namespace {

constexpr LONG ERROR_INVALID_WINDOW_HANDLE = 1400;

std::optional<Announcement> FindProcess(DWORD pid)
{
    std::optional<std::string> dir = RuntimeDirectory();
    if (!dir)
        return std::nullopt;
    return ProcessDirectory(*dir).Find(pid);
}

BOOL Send(WindowId window, RemoteRequest request)
{
    DWORD pid = 0;
    std::optional<Announcement> target;
    if (DecodeRemoteWindow(window, &pid, &request.window))
        target = FindProcess(pid);
    if (!target) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    request.senderPid = GetCurrentProcessId();
    if (!SendRemoteRequest(target->SocketPath(), target->pid, request)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool DecodeRemoteWindow(WindowId id, DWORD* pid, std::uint32_t* handle)
{
    if (!IsRemoteWindow(id))
        return false;
    if (pid)
        *pid = static_cast<DWORD>((id >> 32) & 0x7fffffffu);
    if (handle)
        *handle = static_cast<std::uint32_t>(id);
    return true;
}

bool RegisterTopLevelWindow(std::uint32_t handle) { return WindowAnnouncer::Instance().Register(handle); }

void UnregisterTopLevelWindow(std::uint32_t handle) { WindowAnnouncer::Instance().Unregister(handle); }

void SetRemoteSink(RemoteSink sink) { WindowAnnouncer::Instance().SetSink(std::move(sink)); }

std::vector<RemoteProcess> ListRemoteProcesses()
{
    std::vector<RemoteProcess> result;
    std::optional<std::string> dir = RuntimeDirectory();
    if (!dir)
        return result;
    for (Announcement& entry : ProcessDirectory(*dir).Live(GetCurrentProcessId()))
        result.push_back({entry.pid, std::move(entry.executable), std::move(entry.windows)});
    return result;
}

BOOL EnumRemoteTopLevelWindows(RemoteWindowProc proc, LPARAM lParam)
{
    if (!proc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Listed first and called after, so the callback may post to the windows.
    for (const RemoteProcess& process : ListRemoteProcesses())
        for (std::uint32_t window : process.windows)
            if (!proc(MakeRemoteWindow(process.pid, window), lParam))
                return FALSE;
    return TRUE;
}

DWORD GetWindowProcessId(WindowId window)
{
    DWORD pid = 0;
    return DecodeRemoteWindow(window, &pid, nullptr) ? pid : GetCurrentProcessId();
}

BOOL RemoteSetForeground(WindowId window, bool withOwned)
{
    RemoteRequest request;
    request.kind = RemoteRequest::Kind::SetForeground;
    request.withOwned = withOwned;
    return Send(window, request);
}

BOOL RemotePostMessage(WindowId window, UINT message, WPARAM wParam, LPARAM lParam)
{
    RemoteRequest request;
    request.kind = RemoteRequest::Kind::PostMessage;
    request.message = message;
    request.wParam = wParam;
    request.lParam = lParam;
    return Send(window, request);
}

}  // namespace platform
