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

// Reads the first `size` bytes of the database file `db` has open, through
// that connection's own descriptor: opening and closing one of ours on the
// file would drop the locks every other connection of this process holds on
// it. SQLITE_OK, SQLITE_IOERR_SHORT_READ for a shorter file, or the failure.
int ReadDatabaseHeader(sqlite3* db, void* buffer, int size);

class Store {
public:
    // The store of the current device folder, opened (and created) on first
    // use; null when it cannot be opened, after a message on stderr and with
    // the cause as the last error. A store busy past the timeout is tried
    // again at the next call; other failures are remembered.
    static std::shared_ptr<Store> ForDevice();
    // The store in the given file; null on failure, as above, with the cause
    // also in *why. A file that is refused is left exactly as it was.
    static std::shared_ptr<Store> OpenFile(const std::string& path, DWORD* why = nullptr);
    // Drops the kept connection (open databases and keys keep theirs), so
    // that the next use opens the file anew. A process that forks must do
    // this first if the child is to use the store without exec: SQLite's
    // locks do not survive a fork of an open connection.
    static void ReleaseDevice();
    // How long a connection waits for another process's lock; for tests.
    static void SetBusyTimeout(int milliseconds);

    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    const std::string& Path() const { return m_path; }
    sqlite3* Handle() const { return m_db; }
    std::recursive_mutex& Lock() { return m_lock; }

    // A prepared statement kept for the life of the connection, keyed by
    // its text; null after reporting a failure.
    sqlite3_stmt* Prepare(const char* sql);
    // Runs statements that return nothing; false after reporting a failure.
    bool Exec(const char* sql);

    // A fresh object id: non-zero, at most 0x7FFFFFFF (so that it never
    // reads as a negative number), never handed out before in this file.
    // Call inside a write transaction; 0 when they are used up.
    CEOID AllocateId();

    // Counts committed writes made through this connection, so that cursors
    // know when the rows they hold may be stale.
    std::uint64_t Generation() const { return m_generation.load(std::memory_order_acquire); }
    void Touch() { m_generation.fetch_add(1, std::memory_order_acq_rel); }

    // Prints "owebook: <file>: <what>: <SQLite's message>" on stderr and
    // sets the last error from SQLite's result.
    void Report(const char* what) const;
    // Prints "owebook: <file>: <what>" on stderr and sets the last error.
    void Warn(const char* what, DWORD error = ERROR_INVALID_DATA) const;

    // The last error for an SQLite result code.
    static DWORD ErrorFor(int sqliteResult);

private:
    explicit Store(std::string path);
    bool Open();
    bool Refuse(DWORD error, const std::string& why);
    bool RefuseSql(sqlite3* db, const std::string& what);
    bool CheckPath();
    bool CheckHeader(bool& empty);
    bool Probe();
    bool ProbeCopy(const std::string& target);
    bool CheckContents(sqlite3* db, bool& mustSetUp);
    void PrivateLogFiles();
    bool Configure();
    bool InitSchema(bool setUp);
    void KeepFilesOnClose(bool keep);

    std::string m_path;
    sqlite3* m_db = nullptr;
    std::recursive_mutex m_lock;
    std::unordered_map<std::string, sqlite3_stmt*> m_statements;
    DWORD m_refusal = 0;
    std::atomic<std::uint64_t> m_generation{0};
};

}  // namespace platform
