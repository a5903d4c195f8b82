#pragma once
// The pending run-at-time requests, one per executable, in a table of their
// own in the device's store.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class Store;

// Who carries a request out; kept so that the next start knows what to check.
enum class RunAtTimeService : int { None = 0, Systemd = 1, Waiter = 2 };

struct RunAtTimeRequest {
    std::string path;      // the executable, UTF-8
    std::int64_t due = 0;  // seconds since 1970 UTC
    std::uint64_t id = 0;  // new for every request: tells it from the one it replaced
    RunAtTimeService service = RunAtTimeService::None;
};

// 16 hex digits of the SHA-256 of the path: names the request's files and
// units without putting the path itself anywhere a name goes.
std::string RequestKey(const std::string& path);
// 16 hex digits.
std::string RequestIdText(std::uint64_t id);
// A fresh request id, never 0.
std::uint64_t NewRequestId();

class PendingRequests {
public:
    // The device's store; with `create` false nothing when there is no store
    // file yet (a program that never asked has nothing pending).
    static std::optional<PendingRequests> ForDevice(bool create);
    explicit PendingRequests(std::shared_ptr<Store> store);

    bool Ok() const { return m_ok; }
    std::vector<RunAtTimeRequest> All();
    std::optional<RunAtTimeRequest> Find(const std::string& path);
    // Adds or replaces the request of its path; true once durable.
    bool Put(const RunAtTimeRequest& request);
    bool SetService(const RunAtTimeRequest& request, RunAtTimeService service);
    bool Remove(const std::string& path);
    // Removes the path's request only while it is the one with this id.
    bool RemoveIfCurrent(const std::string& path, std::uint64_t id);

private:
    std::shared_ptr<Store> m_store;
    bool m_ok = false;
};

}  // namespace platform
