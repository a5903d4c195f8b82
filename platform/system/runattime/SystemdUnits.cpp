#include "platform/system/runattime/SystemdUnits.h"

#include "platform/core/Time.h"
#include "platform/system/runattime/PendingRequests.h"
#include "platform/system/runattime/RunAtTime.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

// Longer values are not a display's or a folder's: left out rather than
// carried into a unit file.
constexpr std::size_t kMaxCarriedValue = 4096;

}  // namespace

const std::vector<const char*>& CarriedEnvironmentNames()
{
    static const std::vector<const char*> names{
        "DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR",
        "XDG_DATA_HOME", "OWEBOOK_HOME", "OWEBOOK_SCALE", "OWEBOOK_TRACE", "QT_QPA_PLATFORM"};
    return names;
}

std::vector<std::pair<std::string, std::optional<std::string>>> CarriedEnvironment()
{
    std::vector<std::pair<std::string, std::optional<std::string>>> environment;
    for (const char* name : CarriedEnvironmentNames()) {
        const char* value = std::getenv(name);
        if (value && std::string_view(value).size() <= kMaxCarriedValue)
            environment.emplace_back(name, std::string(value));
        else
            environment.emplace_back(name, std::nullopt);
    }
    return environment;
}

std::string QuoteForUnitFile(std::string_view value)
{
    std::string quoted = "\"";
    for (const char c : value) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '%')
            quoted += "%%";
        else if (c == '\\' || c == '"')
            quoted += {'\\', c};
        else if (u < 0x20 || u == 0x7f) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", u);
            quoted += escaped;
        } else
            quoted += c;
    }
    return quoted + "\"";
}

SystemdUnitNames UnitNamesFor(const std::string& key, std::uint64_t id)
{
    const std::string base = "runattime-" + key;
    return {base + ".timer", base + "@.service", base + "@" + RequestIdText(id) + ".service"};
}

std::string CalendarTextUtc(std::int64_t due)
{
    SYSTEMTIME utc {};
    UtcSecondsToSystemTime(due, utc);
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u UTC", utc.wYear, utc.wMonth, utc.wDay,
                  utc.wHour, utc.wMinute, utc.wSecond);
    return text;
}

std::string TimerUnitText(const SystemdUnitNames& names, std::int64_t due)
{
    // Persistent: a start missed while the machine was off or the user away
    // happens at the next login. Enabled for timers.target, so that it is
    // loaded at each login until it has elapsed; then it never fires again.
    return "[Unit]\n"
           "Description=Program start at a set time\n"
           "\n"
           "[Timer]\n"
           "OnCalendar=" + CalendarTextUtc(due) + "\n"
           "Persistent=true\n"
           "AccuracySec=1s\n"
           "RemainAfterElapse=false\n"
           "Unit=" + names.instance + "\n"
           "\n"
           "[Install]\n"
           "WantedBy=timers.target\n";
}

std::string ServiceUnitText(const std::string& executable,
                            const std::vector<std::pair<std::string, std::optional<std::string>>>& environment)
{
    std::string text = "[Unit]\n"
                       "Description=Program start at a set time\n"
                       "CollectMode=inactive-or-failed\n"
                       "\n"
                       "[Service]\n"
                       "Type=exec\n"
                       "ExecStart=" + QuoteForUnitFile(executable) + " " + kRunAtTimeCommandLine + "\n";
    for (const auto& [name, value] : environment) {
        if (value)
            text += "Environment=" + QuoteForUnitFile(name + "=" + *value) + "\n";
        else
            text += "UnsetEnvironment=" + name + "\n";
    }
    return text;
}

}  // namespace platform
