#pragma once
// Run-at-time requests carried out by the user's systemd manager: unit files
// in ~/.config/systemd/user (SystemdUnits.h) and systemctl --user, run from
// an argument vector.

#include "platform/system/runattime/PendingRequests.h"

#include <string>

namespace platform {

class SystemdService {
public:
    // Whether a user manager answers here: its private socket in $XDG_RUNTIME_DIR.
    static bool Available();
    // $XDG_CONFIG_HOME/systemd/user, else ~/.config/systemd/user; empty when
    // neither is known.
    static std::string UnitFolder();

    // Writes the units and starts the timer, or for a time that has passed
    // starts the program at once.
    static bool Arm(const RunAtTimeRequest& request, std::string* why);
    // Stops and removes the units of the executable with this key; true when
    // nothing of them is left (also when there was nothing).
    static bool Disarm(const std::string& key, std::string* why);
    // Whether the timer of exactly this request is in place.
    static bool Holds(const RunAtTimeRequest& request);
};

}  // namespace platform
