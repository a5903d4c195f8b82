#include "platform/system/RuntimeDir.h"

#include "platform/store/Device.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool Fail(std::string* why, std::string text)
{
    if (why)
        *why = std::move(text);
    return false;
}

bool CheckPrivateDirectory(const std::string& path, std::string* why)
{
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0)
        return Fail(why, path + ": " + std::strerror(errno));
    if (!S_ISDIR(st.st_mode))
        return Fail(why, path + ": not a directory");
    if (st.st_uid != geteuid())
        return Fail(why, path + ": owned by another user");
    if ((st.st_mode & 077) != 0)
        return Fail(why, path + ": open to other users");
    return true;
}

bool MakePrivateDirectory(const std::string& path, std::string* why)
{
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return Fail(why, path + ": " + std::strerror(errno));
    return CheckPrivateDirectory(path, why);
}

std::string PreferredDirectory()
{
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    if (xdg && xdg[0] == '/')
        return std::string(xdg) + "/owebook";
    return "/tmp/owebook-" + std::to_string(geteuid());
}

// Every lookup meets the same refusal; the user hears of it once.
void Tell(const std::string& text)
{
    static std::mutex lock;
    static std::string told;
    std::lock_guard guard(lock);
    if (text == told)
        return;
    told = text;
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, text.c_str());
}

}  // namespace

std::optional<std::string> RuntimeDirectory(std::string* why)
{
    std::string refused;
    std::string path = PreferredDirectory();
    if (MakePrivateDirectory(path, &refused)) {
        if (why)
            why->clear();
        return path;
    }
    if (why)
        *why = refused;

    // Launches of the same device must still meet, or both would run on one store.
    std::string fallback = DeviceHome() + "/runtime";
    std::string error;
    if (!MakeFolder(DeviceHome(), error) || !MakePrivateDirectory(fallback, &error)) {
        Tell("runtime folder refused (" + refused + "), and so is " + fallback + " (" + error + ")");
        return std::nullopt;
    }
    Tell("runtime folder refused (" + refused + "); using " + fallback);
    return fallback;
}

int OpenPrivateFile(const std::string& path)
{
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

}  // namespace platform
