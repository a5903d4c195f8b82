#pragma once
// The unit files of a run-at-time request for a systemd user manager: a timer
// "runattime-<key>.timer" that starts an instance "runattime-<key>@<id>.service"
// of a template that runs the executable with the one argument "AppRunAtTime".
// An instance per request, so that a copy still running from an earlier start
// never keeps the next one from happening.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// The variables of the program's display, device and traces that the started
// program needs; each is set in the service as the program had it, or unset.
const std::vector<const char*>& CarriedEnvironmentNames();
// Name and value (nothing when unset) of each carried variable, now.
std::vector<std::pair<std::string, std::optional<std::string>>> CarriedEnvironment();

// A value in double quotes for a unit file: '%' doubled (specifiers), '\'
// and '"' escaped, control characters as \xNN. A '$' stays: the manager
// expands variables only in a command's arguments, never in its path, and
// not in Environment= at all.
std::string QuoteForUnitFile(std::string_view value);

struct SystemdUnitNames {
    std::string timer;      // runattime-<key>.timer
    std::string templ;      // runattime-<key>@.service
    std::string instance;   // runattime-<key>@<id>.service
};
SystemdUnitNames UnitNamesFor(const std::string& key, std::uint64_t id);

// "2026-12-06 17:55:42 UTC": the instant, whatever zone the manager uses.
std::string CalendarTextUtc(std::int64_t due);

std::string TimerUnitText(const SystemdUnitNames& names, std::int64_t due);
std::string ServiceUnitText(const std::string& executable,
                            const std::vector<std::pair<std::string, std::optional<std::string>>>& environment);

}  // namespace platform
