#pragma once
// This process's side of the cross-process window list: the announcement
// files and the thread that listens on the socket. One per process.

#include "platform/system/ProcessDirectory.h"
#include "platform/system/RemoteWindows.h"
#include "platform/system/RemoteWire.h"

#include <chrono>
#include <mutex>
#include <thread>

namespace platform {

class WindowAnnouncer {
public:
    static WindowAnnouncer& Instance();
    ~WindowAnnouncer();

    bool Register(std::uint32_t window);
    void Unregister(std::uint32_t window);
    void SetSink(RemoteSink sink);

private:
    WindowAnnouncer() = default;

    bool StartLocked();
    void StopLocked(std::unique_lock<std::mutex>& lock);
    void Listen(int listenFd, int wakeFd);
    // A connection of the listener: the request so far and its deadline.
    struct Client {
        int fd = -1;
        std::chrono::steady_clock::time_point deadline;
        WireRequest wire{};
        size_t received = 0;
    };
    static constexpr size_t kMaxClients = 32;

    void ListenLoop(int listenFd, int wakeFd);
    void Accept(int listenFd, std::vector<Client>& clients);
    // False once the client is done with (answered, gone or malformed).
    bool Receive(Client& client);
    bool Take(RemoteRequest request, long peerPid);
    bool Deliver(const RemoteRequest& request);

    std::mutex m_lock;                    // the fields below
    std::vector<std::uint32_t> m_windows;
    Announcement m_entry;
    bool m_running = false;
    int m_lockFd = -1;
    int m_listenFd = -1;
    int m_wakeFd = -1;
    std::thread m_thread;

    std::recursive_mutex m_sinkLock;      // held while the sink runs
    RemoteSink m_sink;
};

}  // namespace platform
