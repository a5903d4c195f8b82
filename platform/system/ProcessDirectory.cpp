#include "platform/system/ProcessDirectory.h"

#include "platform/system/ProcessInfo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <csignal>
#include <fcntl.h>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr char kMagic[] = "owebook-announcement 1";
// More than any process shows; an entry that claims more is not believed.
constexpr size_t kMaxWindows = 64;
constexpr size_t kMaxEntrySize = 16 * 1024;
// Announcements looked at per listing: planted files must not make it endless.
constexpr size_t kMaxAnnouncements = 128;

enum class Liveness { Alive, Dead, Unknown };

// The owner holds the lock exclusively; if we can take it, the owner is gone.
// We then remove the files while holding it, so no half-removed set is left
// for another reader to misjudge.
Liveness ProbeAndReap(const std::string& stem)
{
    std::string lockPath = stem + ".lock";
    int fd = open(lockPath.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT ? Liveness::Dead : Liveness::Unknown;
    Liveness result = Liveness::Alive;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
        unlink((stem + ".entry").c_str());
        unlink((stem + ".entry.new").c_str());
        unlink((stem + ".sock").c_str());
        unlink(lockPath.c_str());
        result = Liveness::Dead;
    } else if (errno != EWOULDBLOCK) {
        result = Liveness::Unknown;
    }
    close(fd);
    return result;
}

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() > suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A lock file that never got its real name: its process died while announcing.
bool IsAbandoned(DWORD pid, std::uint64_t startTime)
{
    if (kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
        return true;
    std::uint64_t now = ProcessStartTime(pid);
    return now != 0 && now != startTime;
}

std::string ReadSmallFile(const std::string& path)
{
    // Whatever was planted under the name, opening it must not block.
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return {};
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return {};
    }
    std::string text;
    char buffer[4096];
    ssize_t n;
    while (text.size() <= kMaxEntrySize && (n = read(fd, buffer, sizeof buffer)) != 0) {
        if (n < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        text.append(buffer, static_cast<size_t>(n));
    }
    close(fd);
    return text;
}

bool ParseStem(const std::string& name, DWORD* pid, std::uint64_t* startTime)
{
    unsigned long p = 0;
    unsigned long long s = 0;
    int used = 0;
    if (std::sscanf(name.c_str(), "proc-%lu-%llu%n", &p, &s, &used) != 2)
        return false;
    if (static_cast<size_t>(used) != name.size() || p == 0 || p > 0x7fffffffu)
        return false;
    *pid = static_cast<DWORD>(p);
    *startTime = s;
    return true;
}

}  // namespace

std::string ProcessDirectory::StemFor(DWORD pid, std::uint64_t startTime) const
{
    return m_dir + "/proc-" + std::to_string(pid) + "-" + std::to_string(startTime);
}

std::vector<Announcement> ProcessDirectory::Live(DWORD exceptPid) const
{
    std::vector<Announcement> result;
    DIR* dir = opendir(m_dir.c_str());
    if (!dir)
        return result;
    std::vector<std::string> stems;
    while (dirent* item = readdir(dir)) {
        std::string name = item->d_name;
        DWORD pid = 0;
        std::uint64_t start = 0;
        if (EndsWith(name, ".locking")) {
            if (ParseStem(name.substr(0, name.size() - 8), &pid, &start) && IsAbandoned(pid, start))
                unlink((m_dir + "/" + name).c_str());
            continue;
        }
        if (!EndsWith(name, ".lock"))
            continue;
        name.resize(name.size() - 5);
        if (ParseStem(name, &pid, &start) && pid != exceptPid && stems.size() < kMaxAnnouncements)
            stems.push_back(m_dir + "/" + name);
    }
    closedir(dir);

    for (const std::string& stem : stems) {
        if (ProbeAndReap(stem) != Liveness::Alive)
            continue;
        std::optional<Announcement> entry = Parse(ReadSmallFile(stem + ".entry"));
        if (!entry || StemFor(entry->pid, entry->startTime) != stem)
            continue;  // not announced yet, or not what its name says
        entry->stem = stem;
        result.push_back(std::move(*entry));
    }
    return result;
}

std::optional<Announcement> ProcessDirectory::Find(DWORD pid) const
{
    for (Announcement& entry : Live(0))
        if (entry.pid == pid)
            return std::move(entry);
    return std::nullopt;
}

std::string ProcessDirectory::Format(const Announcement& entry)
{
    std::ostringstream out;
    out << kMagic << "\npid " << entry.pid << "\nstart " << entry.startTime << "\nwindows";
    for (std::uint32_t window : entry.windows)
        out << ' ' << window;
    // Last, because a path may hold any byte but the zero.
    out << "\nexe " << entry.executable;
    return out.str();
}

std::optional<Announcement> ProcessDirectory::Parse(const std::string& text)
{
    if (text.size() > kMaxEntrySize)
        return std::nullopt;
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kMagic)
        return std::nullopt;
    Announcement entry;
    std::string key;
    unsigned long long pid = 0;
    if (!(in >> key >> pid) || key != "pid" || pid == 0 || pid > 0x7fffffffu)
        return std::nullopt;
    entry.pid = static_cast<DWORD>(pid);
    if (!(in >> key >> entry.startTime) || key != "start")
        return std::nullopt;
    in.ignore(1);
    if (!std::getline(in, line) || line.rfind("windows", 0) != 0)
        return std::nullopt;
    std::istringstream windows(line.substr(7));
    unsigned long long window;
    while (windows >> window) {
        if (window > 0xffffffffu || entry.windows.size() == kMaxWindows)
            return std::nullopt;
        entry.windows.push_back(static_cast<std::uint32_t>(window));
    }
    if (!windows.eof())
        return std::nullopt;
    std::streamoff at = in.tellg();
    if (at < 0 || text.compare(static_cast<size_t>(at), 4, "exe ") != 0)
        return std::nullopt;
    entry.executable = text.substr(static_cast<size_t>(at) + 4);
    return entry;
}

bool ProcessDirectory::WriteEntry(const Announcement& entry)
{
    std::string text = Format(entry);
    std::string temp = entry.EntryPath() + ".new";
    unlink(temp.c_str());
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ok = close(fd) == 0 && ok;
    if (!ok || rename(temp.c_str(), entry.EntryPath().c_str()) != 0) {
        unlink(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace platform
