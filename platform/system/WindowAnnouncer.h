#pragma once
// This process's side of the cross-process window list: the announcement
// files and the thread that listens on the socket. One per process.

#include "platform/system/ProcessDirectory.h"
#include "platform/system/RemoteWindows.h"

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
    void ListenLoop(int listenFd, int wakeFd);
    void Serve(int fd);
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
