#include "platform/system/runattime/SystemdService.h"

#include "platform/store/Device.h"
#include "platform/system/runattime/Command.h"
#include "platform/system/runattime/PrivateFiles.h"
#include "platform/system/runattime/SystemdUnits.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kSystemctlTimeoutMs = 10000;

bool Systemctl(std::vector<std::string> args, std::string* why)
{
    args.insert(args.begin(), {"systemctl", "--user", "--quiet"});
    return RunCommand(args, kSystemctlTimeoutMs, why);
}

bool Exists(const std::string& path)
{
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

bool RemoveFile(const std::string& path, std::string* why)
{
    if (unlink(path.c_str()) == 0 || errno == ENOENT)
        return true;
    if (why)
        *why = path + ": " + std::strerror(errno);
    return false;
}

std::int64_t WallClockSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec;
}

}  // namespace

bool SystemdService::Available()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || runtime[0] != '/')
        return false;
    struct stat st {};
    return stat((std::string(runtime) + "/systemd/private").c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

std::string SystemdService::UnitFolder()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::string(config) + "/systemd/user";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.config/systemd/user";
    return {};
}

bool SystemdService::Arm(const RunAtTimeRequest& request, std::string* why)
{
    const std::string folder = UnitFolder();
    if (folder.empty()) {
        if (why)
            *why = "no home folder for the unit files";
        return false;
    }
    std::string error;
    if (!MakeFolder(folder, error)) {
        if (why)
            *why = error;
        return false;
    }
    const std::string key = RequestKey(request.path);
    const SystemdUnitNames names = UnitNamesFor(key, request.id);
    // A timer for a time that has passed would never elapse: the program
    // starts now instead, and an older timer goes.
    const bool passed = request.due <= WallClockSeconds();
    if (passed && !Disarm(key, why))
        return false;
    if (!WriteWholeFile(folder + "/" + names.templ, ServiceUnitText(request.path, CarriedEnvironment()), why))
        return false;
    if (passed)
        return Systemctl({"daemon-reload"}, why) && Systemctl({"start", "--no-block", names.instance}, why);
    return WriteWholeFile(folder + "/" + names.timer, TimerUnitText(names, request.due), why) &&
           Systemctl({"daemon-reload"}, why) && Systemctl({"enable", names.timer}, why) &&
           Systemctl({"restart", names.timer}, why);
}

bool SystemdService::Disarm(const std::string& key, std::string* why)
{
    const std::string folder = UnitFolder();
    if (folder.empty())
        return true;
    const SystemdUnitNames names = UnitNamesFor(key, 0);
    const std::string timer = folder + "/" + names.timer;
    const std::string templ = folder + "/" + names.templ;
    if (!Exists(timer) && !Exists(templ))
        return true;
    bool ok = true;
    if (Available()) {
        if (Exists(timer))
            ok = Systemctl({"disable", "--now", names.timer}, why);
    } else {
        // No manager to ask: the link it would remove is ours to remove.
        ok = RemoveFile(folder + "/timers.target.wants/" + names.timer, why);
    }
    ok = ok && RemoveFile(timer, why) && RemoveFile(templ, why);
    if (ok && Available())
        ok = Systemctl({"daemon-reload"}, why);
    return ok;
}

bool SystemdService::Holds(const RunAtTimeRequest& request)
{
    const std::string folder = UnitFolder();
    if (folder.empty())
        return false;
    const SystemdUnitNames names = UnitNamesFor(RequestKey(request.path), request.id);
    const auto timer = ReadSmallFile(folder + "/" + names.timer);
    return timer && *timer == TimerUnitText(names, request.due) && Exists(folder + "/" + names.templ);
}

}  // namespace platform
