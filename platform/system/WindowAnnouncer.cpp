#include "platform/system/WindowAnnouncer.h"

#include "platform/system/ProcessInfo.h"
#include "platform/system/RemoteWire.h"
#include "platform/system/RuntimeDir.h"
#include "platform/system/Trace.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {

void CloseIfOpen(int& fd)
{
    if (fd >= 0)
        close(fd);
    fd = -1;
}

void RemoveAnnouncementFiles(const Announcement& entry)
{
    // The lock goes last: while it exists and is held, readers trust the rest.
    unlink(entry.EntryPath().c_str());
    unlink(entry.SocketPath().c_str());
    unlink(entry.LockPath().c_str());
}

// Created under a private name and locked before it gets its real one, so a
// reader never finds the lock file unheld while we are alive.
int TakeAnnouncementLock(const Announcement& entry)
{
    std::string temp = entry.stem + ".locking";
    unlink(temp.c_str());
    int fd = open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || rename(temp.c_str(), entry.LockPath().c_str()) != 0) {
        unlink(temp.c_str());
        close(fd);
        return -1;
    }
    return fd;
}

int OpenListeningSocket(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return -1;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    unlink(path.c_str());
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        chmod(path.c_str(), 0600) != 0 || listen(fd, 16) != 0) {
        close(fd);
        unlink(path.c_str());
        return -1;
    }
    return fd;
}

}  // namespace

WindowAnnouncer& WindowAnnouncer::Instance()
{
    static WindowAnnouncer instance;
    return instance;
}

WindowAnnouncer::~WindowAnnouncer()
{
    std::unique_lock lock(m_lock);
    if (m_running)
        StopLocked(lock);
}

bool WindowAnnouncer::Register(std::uint32_t window)
{
    if (window == 0)
        return false;
    std::unique_lock lock(m_lock);
    if (std::find(m_windows.begin(), m_windows.end(), window) == m_windows.end())
        m_windows.push_back(window);
    if (!m_running)
        return StartLocked();
    m_entry.windows = m_windows;
    return ProcessDirectory::WriteEntry(m_entry);
}

void WindowAnnouncer::Unregister(std::uint32_t window)
{
    std::unique_lock lock(m_lock);
    auto it = std::find(m_windows.begin(), m_windows.end(), window);
    if (it == m_windows.end())
        return;
    m_windows.erase(it);
    if (!m_running)
        return;
    if (m_windows.empty()) {
        StopLocked(lock);
        return;
    }
    m_entry.windows = m_windows;
    ProcessDirectory::WriteEntry(m_entry);
}

void WindowAnnouncer::SetSink(RemoteSink sink)
{
    std::lock_guard guard(m_sinkLock);
    m_sink = std::move(sink);
}

bool WindowAnnouncer::StartLocked()
{
    std::optional<std::string> dir = RuntimeDirectory();
    if (!dir)
        return false;
    Announcement entry;
    entry.pid = GetCurrentProcessId();
    entry.startTime = ProcessStartTime(entry.pid);
    if (entry.startTime == 0)  // no /proc: any value unlikely to repeat will do
        entry.startTime = static_cast<std::uint64_t>(
            std::chrono::steady_clock::now().time_since_epoch().count());
    entry.stem = ProcessDirectory(*dir).StemFor(entry.pid, entry.startTime);
    entry.executable = ProcessExecutable(entry.pid);
    entry.windows = m_windows;

    int lockFd = TakeAnnouncementLock(entry);
    int listenFd = lockFd < 0 ? -1 : OpenListeningSocket(entry.SocketPath());
    int wakeFd = listenFd < 0 ? -1 : eventfd(0, EFD_CLOEXEC);
    if (wakeFd < 0 || !ProcessDirectory::WriteEntry(entry)) {
        RemoveAnnouncementFiles(entry);
        CloseIfOpen(wakeFd);
        CloseIfOpen(listenFd);
        CloseIfOpen(lockFd);
        return false;
    }
    m_entry = std::move(entry);
    m_lockFd = lockFd;
    m_listenFd = listenFd;
    m_wakeFd = wakeFd;
    m_thread = std::thread([this, listenFd, wakeFd] { Listen(listenFd, wakeFd); });
    m_running = true;
    return true;
}

void WindowAnnouncer::StopLocked(std::unique_lock<std::mutex>& lock)
{
    m_running = false;
    RemoveAnnouncementFiles(m_entry);
    CloseIfOpen(m_lockFd);
    std::uint64_t one = 1;
    ssize_t written = write(m_wakeFd, &one, sizeof one);
    (void)written;
    m_listenFd = m_wakeFd = -1;  // the listener closes them when it ends
    std::thread thread = std::move(m_thread);

    // The listener takes m_lock to look up windows, so it must be free while
    // we wait; a new start meanwhile uses fresh files and descriptors.
    lock.unlock();
    if (thread.get_id() == std::this_thread::get_id())
        thread.detach();  // stopped from the sink: the loop ends once it returns
    else if (thread.joinable())
        thread.join();
    lock.lock();
}

void WindowAnnouncer::Listen(int listenFd, int wakeFd)
{
    ListenLoop(listenFd, wakeFd);
    close(listenFd);
    close(wakeFd);
}

void WindowAnnouncer::ListenLoop(int listenFd, int wakeFd)
{
    for (;;) {
        pollfd fds[2] = {{listenFd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents != 0)
            return;
        if (fds[0].revents & (POLLERR | POLLNVAL))
            return;
        if (fds[0].revents & POLLIN) {
            int fd = accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) {
                Serve(fd);
                close(fd);
            }
        }
    }
}

void WindowAnnouncer::Serve(int fd)
{
    // The folder already keeps other users out; this also covers a socket
    // reached some other way.
    long uid = PeerUid(fd);
    if (uid != static_cast<long>(geteuid())) {
        Trace("remote refused uid=%ld", uid);
        return;
    }
    SetSocketTimeouts(fd, kWireTimeoutMs);
    WireRequest wire{};
    RemoteRequest request;
    if (!ReadExactly(fd, &wire, sizeof wire) || !FromWire(wire, &request))
        return;
    WireReply reply{kWireReplyMagic, Deliver(request) ? 1u : 0u};
    WriteExactly(fd, &reply, sizeof reply);
}

bool WindowAnnouncer::Deliver(const RemoteRequest& request)
{
    {
        std::lock_guard guard(m_lock);
        if (std::find(m_windows.begin(), m_windows.end(), request.window) == m_windows.end())
            return false;
    }
    std::lock_guard guard(m_sinkLock);
    RemoteSink sink = m_sink;  // the sink may replace itself while running
    if (!sink)
        return false;
    if (request.kind == RemoteRequest::Kind::PostMessage)
        Trace("remote post window=%u message=0x%X wParam=%llu lParam=%lld from=%u", request.window,
              request.message, static_cast<unsigned long long>(request.wParam),
              static_cast<long long>(request.lParam), request.senderPid);
    else
        Trace("remote foreground window=%u owned=%d from=%u", request.window,
              request.withOwned ? 1 : 0, request.senderPid);
    sink(request);
    return true;
}

}  // namespace platform
