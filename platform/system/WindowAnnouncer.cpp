#include "platform/system/WindowAnnouncer.h"

#include "platform/system/MessageFilter.h"
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
    // Every client has kWireTimeoutMs for its whole request and none waits
    // for another, so a slow or silent one delays nobody.
    std::vector<Client> clients;
    for (;;) {
        const auto now = std::chrono::steady_clock::now();
        int timeout = -1;
        for (size_t i = clients.size(); i-- > 0;) {
            if (clients[i].deadline <= now) {
                Trace("remote connection dropped: no whole request within %d ms", kWireTimeoutMs);
                close(clients[i].fd);
                clients.erase(clients.begin() + static_cast<std::ptrdiff_t>(i));
                continue;
            }
            auto left = std::chrono::ceil<std::chrono::milliseconds>(clients[i].deadline - now).count();
            timeout = timeout < 0 ? static_cast<int>(left) : std::min(timeout, static_cast<int>(left));
        }
        std::vector<pollfd> fds = {{listenFd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
        for (const Client& client : clients)
            fds.push_back({client.fd, POLLIN, 0});
        if (poll(fds.data(), fds.size(), timeout) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[1].revents != 0 || (fds[0].revents & (POLLERR | POLLNVAL)))
            break;
        for (size_t i = clients.size(); i-- > 0;) {
            if (fds[2 + i].revents != 0 && !Receive(clients[i])) {
                close(clients[i].fd);
                clients.erase(clients.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
        if (fds[0].revents & POLLIN)
            Accept(listenFd, clients);
    }
    for (Client& client : clients)
        close(client.fd);
}

void WindowAnnouncer::Accept(int listenFd, std::vector<Client>& clients)
{
    int fd = accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0)
        return;
    // The folder already keeps other users out; this also covers a socket
    // reached some other way.
    long uid = Peer(fd).uid;
    if (uid != static_cast<long>(geteuid())) {
        Trace("remote refused uid=%ld", uid);
        close(fd);
        return;
    }
    if (clients.size() >= kMaxClients) {
        Trace("remote refused: %zu connections waiting already", clients.size());
        close(fd);
        return;
    }
    Client client;
    client.fd = fd;
    client.deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWireTimeoutMs);
    clients.push_back(client);
}

bool WindowAnnouncer::Receive(Client& client)
{
    auto* bytes = reinterpret_cast<char*>(&client.wire);
    ssize_t n = recv(client.fd, bytes + client.received, sizeof client.wire - client.received, MSG_DONTWAIT);
    if (n < 0)
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    if (n == 0)
        return false;
    client.received += static_cast<size_t>(n);
    if (client.received < sizeof client.wire)
        return true;
    RemoteRequest request;
    if (FromWire(client.wire, &request)) {
        WireReply reply{kWireReplyMagic, Take(request, Peer(client.fd).pid) ? 1u : 0u};
        ssize_t sent = send(client.fd, &reply, sizeof reply, MSG_NOSIGNAL | MSG_DONTWAIT);
        (void)sent;  // one that has gone needs no answer
    }
    return false;
}

bool WindowAnnouncer::Take(RemoteRequest request, long peerPid)
{
    if (static_cast<long>(request.senderPid) != peerPid) {
        Trace("remote refused from=%u: the connection is process %ld", request.senderPid, peerPid);
        return false;
    }
    if (request.kind == RemoteRequest::Kind::PostMessage && !RemoteMessageAllowed(request.message)) {
        Trace("remote refused post window=%u message=0x%X from=%u: not a message other processes may post",
              request.window, request.message, request.senderPid);
        return false;
    }
    request.wParam = 0;
    request.lParam = 0;
    return Deliver(request);
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
