#include "platform/system/RuntimeDir.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
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

}  // namespace

std::optional<std::string> RuntimeDirectory(std::string* why)
{
    std::string path;
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    if (xdg && xdg[0] == '/')
        path = std::string(xdg) + "/owebook";
    else
        path = "/tmp/owebook-" + std::to_string(geteuid());

    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        Fail(why, path + ": " + std::strerror(errno));
        return std::nullopt;
    }
    if (!CheckPrivateDirectory(path, why))
        return std::nullopt;
    return path;
}

int OpenPrivateFile(const std::string& path)
{
    return open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

}  // namespace platform
