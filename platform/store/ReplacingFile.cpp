#include "platform/store/ReplacingFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

std::string Reason(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

}  // namespace

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = fsync(fd) == 0;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return synced;
}

ReplacingFile::~ReplacingFile() { Discard(); }

bool ReplacingFile::Open(const std::string& target, std::string& why)
{
    Discard();
    if (target.empty() || target.back() == '/') {
        why = "not a file name";
        return false;
    }
    const std::size_t slash = target.find_last_of('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    // Hidden, and named so that nobody mistakes it for a finished file.
    std::string pattern = FolderOf(target) + "/." + name + ".XXXXXX";
    m_fd = mkostemp(pattern.data(), O_CLOEXEC);  // mode 0600
    if (m_fd < 0) {
        why = Reason("cannot create a file in " + FolderOf(target));
        return false;
    }
    m_temp = pattern;
    m_target = target;
    return true;
}

bool ReplacingFile::Write(const char* data, std::size_t size, std::string& why)
{
    while (size > 0) {
        const ssize_t done = ::write(m_fd, data, size);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0) {
            why = Reason(m_target);
            return false;
        }
        data += done;
        size -= static_cast<std::size_t>(done);
    }
    return true;
}

bool ReplacingFile::Commit(std::string& why)
{
    if (m_fd < 0) {
        why = "nothing to commit";
        return false;
    }
    if (fsync(m_fd) != 0) {
        why = Reason(m_target);
        return false;
    }
    ::close(m_fd);
    m_fd = -1;
    if (std::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        why = Reason(m_target);
        return false;
    }
    m_temp.clear();
    if (!SyncFolder(FolderOf(m_target))) {
        why = Reason(FolderOf(m_target));
        return false;
    }
    return true;
}

void ReplacingFile::Discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temp.empty())
        ::unlink(m_temp.c_str());
    m_temp.clear();
}

}  // namespace platform
