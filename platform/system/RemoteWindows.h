#pragma once
// Top-level windows across the Owebook processes of one user.
//
// Each process that shows top-level windows announces them: a lock file held
// for the life of the announcement (so a crash frees it), a listening local
// socket, and an entry with pid, executable and window list, all in the
// runtime folder. Other processes list the entries, skipping and removing
// those whose lock is free, and send requests over the socket.
//
// The UI layer owns the real windows. It registers the handles of its
// top-level windows and installs a sink; requests for them arrive in the
// sink ON THE LISTENER THREAD, so the sink must hand them to the UI thread
// (queue and wake it) and must neither block on the UI thread nor touch
// widgets itself.
//
// Window ids: a local window is its 32-bit handle (high half zero); a window
// of another process is MakeRemoteWindow(pid, handle), which sets the top bit.
// Local handles should be even, so that the low bit stays free for the
// "with owned windows" flag of SetForegroundWindow.

#include "platform/core/Types.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

using WindowId = std::uint64_t;

constexpr WindowId kRemoteWindowBit = WindowId{1} << 63;

constexpr WindowId MakeRemoteWindow(DWORD pid, std::uint32_t handle)
{
    return kRemoteWindowBit | (WindowId{pid & 0x7fffffffu} << 32) | handle;
}
constexpr bool IsRemoteWindow(WindowId id) { return (id & kRemoteWindowBit) != 0; }
// False for a local id; otherwise fills the process and its handle.
bool DecodeRemoteWindow(WindowId id, DWORD* pid, std::uint32_t* handle);

struct RemoteRequest {
    enum class Kind { PostMessage, SetForeground };
    Kind kind = Kind::PostMessage;
    std::uint32_t window = 0;  // the receiver's local handle
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool withOwned = false;    // SetForeground: bring the owned windows too
    DWORD senderPid = 0;
};
using RemoteSink = std::function<void(const RemoteRequest&)>;

// Announces the window; false when it cannot be announced (the runtime folder
// is unusable), in which case it stays known locally and a later call retries.
bool RegisterTopLevelWindow(std::uint32_t handle);
// The last unregistration withdraws the announcement and stops the listener.
void UnregisterTopLevelWindow(std::uint32_t handle);
// Replaces the sink; once it returns, the previous sink is not running and
// will not be called again. Pass nullptr to detach.
void SetRemoteSink(RemoteSink sink);

struct RemoteProcess {
    DWORD pid = 0;
    std::string executable;  // as the process announced it
    std::vector<std::uint32_t> windows;
};
// The other live announcing processes of this user; removes dead entries.
std::vector<RemoteProcess> ListRemoteProcesses();

using RemoteWindowProc = BOOL (*)(WindowId window, LPARAM lParam);
// Calls `proc` for each window of ListRemoteProcesses(); FALSE when `proc`
// stopped the enumeration by returning FALSE.
BOOL EnumRemoteTopLevelWindows(RemoteWindowProc proc, LPARAM lParam);

// The process of a window; a local window belongs to this process.
DWORD GetWindowProcessId(WindowId window);

// Both wait until the receiver has taken the request (or refused it: unknown
// window, no sink, dead process, a message it does not let through; see
// MessageFilter.h) and say which. wParam and lParam are not sent: the
// receiver gets 0 for both.
BOOL RemoteSetForeground(WindowId window, bool withOwned);
BOOL RemotePostMessage(WindowId window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
