#include "platform/store/Device.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string UserHome()
{
    std::string home = Env("HOME");
    if (!home.empty())
        return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return "/tmp";
}

// A relative device folder is made absolute against the folder the process
// started in, and written back, so that a later change of folder, or a
// process started from elsewhere with this environment, finds the same store.
std::string SettleDeviceHome()
{
    std::string home = Env("OWEBOOK_HOME");
    if (home.empty() || home[0] == '/')
        return home;
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd))
        return home;
    std::string absolute = std::string(cwd) + (std::string(cwd) == "/" ? "" : "/") + home;
    setenv("OWEBOOK_HOME", absolute.c_str(), 1);
    return absolute;
}

// At start, before any thread runs.
const bool g_settled = (SettleDeviceHome(), true);

}  // namespace

std::string DeviceHome()
{
    std::string home = SettleDeviceHome();
    if (!home.empty())
        return home;
    // The XDG rules ignore relative paths.
    std::string data = Env("XDG_DATA_HOME");
    if (data.empty() || data[0] != '/')
        data = UserHome() + "/.local/share";
    return data + "/owebook";
}

bool MakeFolder(const std::string& path, std::string& error)
{
    if (path.empty()) {
        error = "empty path";
        return false;
    }
    for (size_t pos = 1; pos <= path.size(); ++pos) {
        if (pos != path.size() && path[pos] != '/')
            continue;
        std::string part = path.substr(0, pos);
        if (mkdir(part.c_str(), 0700) == 0 || errno == EEXIST)
            continue;
        error = part + ": " + std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        error = path + ": not a folder";
        return false;
    }
    return true;
}

std::string StoreFilePath()
{
    return DeviceHome() + "/objectstore.db";
}

}  // namespace platform
