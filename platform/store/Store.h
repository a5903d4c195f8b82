#pragma once
// The device's store file: one SQLite database holding every property
// database and the registry. One connection per file and process, shared by
// every open database and registry key.

#include "platform/core/Types.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace platform {

class Store {
public:
    // The store of the current device folder, opened (and created) on first
    // use; null when it cannot be opened, after a message on stderr.
    static std::shared_ptr<Store> ForDevice();
    // The store in the given file; null on failure, as above.
    static std::shared_ptr<Store> OpenFile(const std::string& path);
    // Drops the kept connection (open databases and keys keep theirs), so
    // that the next use opens the file anew. A process that forks must do
    // this first if the child is to use the store without exec: SQLite's
    // locks do not survive a fork of an open connection.
    static void ReleaseDevice();

    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    const std::string& Path() const { return m_path; }
    sqlite3* Handle() const { return m_db; }
    std::recursive_mutex& Lock() { return m_lock; }

    // A prepared statement kept for the life of the connection, keyed by
    // the address of its text; null after reporting a failure.
    sqlite3_stmt* Prepare(const char* sql);
    // Runs statements that return nothing; false after reporting a failure.
    bool Exec(const char* sql);

    // A fresh object id: non-zero, 32-bit, never handed out before in this
    // file. Call inside a write transaction; 0 when they are used up.
    CEOID AllocateId();

    // Counts committed writes made through this connection, so that cursors
    // know when the rows they hold may be stale.
    std::uint64_t Generation() const { return m_generation.load(std::memory_order_acquire); }
    void Touch() { m_generation.fetch_add(1, std::memory_order_acq_rel); }

    // Prints "owebook: <file>: <what>: <SQLite's message>" on stderr.
    void Report(const char* what) const;
    // Prints "owebook: <file>: <what>" on stderr.
    void Warn(const char* what) const;

private:
    explicit Store(std::string path);
    bool Open();
    bool CheckHeader();
    bool CheckIntegrity();
    bool Configure();
    bool InitSchema(bool setUp);

    std::string m_path;
    sqlite3* m_db = nullptr;
    std::recursive_mutex m_lock;
    std::unordered_map<const char*, sqlite3_stmt*> m_statements;
    std::atomic<std::uint64_t> m_generation{0};
};

}  // namespace platform
