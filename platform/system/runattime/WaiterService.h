#pragma once
// Run-at-time requests carried out by a detached waiter process, where no
// systemd user manager runs. Per executable (by its key), in
// <runtime folder>/runattime:
//   <key>.request  the id of the pending request; the waiter of another id,
//                  or of a removed request, leaves
//   <key>.lock     held by the one waiter at work (flock); holds its pid
//   <key>.fired    the id of the request last started
// The waiter sleeps until the time by the wall clock (a realtime timer that
// clock changes and resume from suspend cut short, and a periodic look at
// the clock), checks once more that its request is still the pending one,
// and starts the program.

#include "platform/system/runattime/PendingRequests.h"

#include <cstdint>
#include <optional>
#include <string>
#include <sys/types.h>

namespace platform {

class WaiterService {
public:
    // <runtime folder>/runattime, made 0700 when missing; empty with `why` on failure.
    static std::string Folder(std::string* why = nullptr);

    // Names the request pending and starts its waiter; true once the waiter
    // holds the request (or a newer request has replaced it meanwhile).
    static bool Arm(const RunAtTimeRequest& request, std::string* why);
    // Removes the pending request: its waiter leaves without starting anything.
    static bool Disarm(const std::string& key, std::string* why);
    // Whether a waiter holds exactly this request.
    static bool Holds(const RunAtTimeRequest& request);
    // The id of the request whose program the waiter started last, if any.
    static std::optional<std::uint64_t> Fired(const std::string& key);
    static void ForgetFired(const std::string& key);
    // The pid of the waiter holding the executable's lock; 0 when none.
    static pid_t WaiterPid(const std::string& key);
};

}  // namespace platform
