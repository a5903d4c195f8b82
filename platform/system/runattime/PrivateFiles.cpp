#include "platform/system/runattime/PrivateFiles.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool WriteWholeFile(const std::string& path, std::string_view text, std::string* why)
{
    std::string temp = path + ".XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    bool ok = fd >= 0;
    int error = ok ? 0 : errno;
    for (std::size_t done = 0; ok && done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        error = ok ? 0 : errno;
        done += ok ? static_cast<std::size_t>(n) : 0;
    }
    if (ok && fsync(fd) != 0) {
        ok = false;
        error = errno;
    }
    if (fd >= 0 && close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        if (fd >= 0)
            unlink(temp.c_str());
        if (why)
            *why = path + ": " + std::strerror(error ? error : EIO);
    }
    return ok;
}

std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t limit)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    std::optional<std::string> text;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) <= limit) {
        text.emplace();
        char buffer[4096];
        for (;;) {
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 || text->size() + static_cast<std::size_t>(n) > limit) {
                text.reset();
                break;
            }
            if (n == 0)
                break;
            text->append(buffer, static_cast<std::size_t>(n));
        }
    }
    close(fd);
    return text;
}

}  // namespace platform
