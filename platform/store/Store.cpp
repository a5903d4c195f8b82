#include "platform/store/Store.h"

#include "platform/store/Device.h"
#include "platform/store/SqlQuery.h"
#include "platform/store/StoreTransaction.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::int64_t kApplicationId = 0x4F574542;  // "OWEB"
constexpr std::int64_t kSchemaVersion = 1;
constexpr int kBusyTimeoutMs = 15000;

const char* const kSchema = R"sql(
CREATE TABLE meta(key TEXT PRIMARY KEY, value INTEGER NOT NULL) WITHOUT ROWID;
INSERT INTO meta VALUES('next_oid', 1);
CREATE TABLE databases(
  id INTEGER PRIMARY KEY, name BLOB NOT NULL, fold BLOB NOT NULL UNIQUE,
  type INTEGER NOT NULL, sort_propid INTEGER NOT NULL, sort_flags INTEGER NOT NULL);
CREATE TABLE records(
  oid INTEGER PRIMARY KEY, db INTEGER NOT NULL, sortkey BLOB NOT NULL, props BLOB NOT NULL);
CREATE INDEX records_order ON records(db, sortkey, oid);
CREATE TABLE regkeys(
  id INTEGER PRIMARY KEY, parent INTEGER NOT NULL, name BLOB NOT NULL, fold BLOB NOT NULL,
  UNIQUE(parent, fold));
CREATE TABLE regvalues(
  key INTEGER NOT NULL, name BLOB NOT NULL, fold BLOB NOT NULL, type INTEGER NOT NULL,
  data BLOB NOT NULL, PRIMARY KEY(key, fold)) WITHOUT ROWID;
PRAGMA application_id = 1331119426;
PRAGMA user_version = 1;
)sql";

void Complain(const std::string& path, const std::string& why)
{
    std::fprintf(stderr, "owebook: cannot open the store %s: %s\n", path.c_str(), why.c_str());
}

std::uint32_t BigEndian(const unsigned char* p, int bytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | p[i];
    return value;
}

struct Cache {
    std::mutex lock;
    std::shared_ptr<Store> store;
    pid_t owner = 0;
    std::set<std::string> failed;
};

Cache& TheCache()
{
    static Cache* cache = new Cache;  // outlives every static that may still use it
    return *cache;
}

// A forked child must not use its parent's connection; closing it there
// could disturb the parent's locks, so it is left alone.
void ForgetInherited(Cache& cache)
{
    if (cache.owner == getpid())
        return;
    if (cache.store)
        new std::shared_ptr<Store>(std::move(cache.store));
    cache.store.reset();
    cache.failed.clear();
    cache.owner = getpid();
}

}  // namespace

std::shared_ptr<Store> Store::ForDevice()
{
    std::string path = StoreFilePath();
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> guard(cache.lock);
    ForgetInherited(cache);
    if (cache.store && cache.store->Path() == path)
        return cache.store;
    if (cache.failed.count(path))
        return nullptr;  // said why once already
    std::shared_ptr<Store> store = OpenFile(path);
    if (!store) {
        cache.failed.insert(path);
        return nullptr;
    }
    cache.store = store;
    return store;
}

void Store::ReleaseDevice()
{
    Cache& cache = TheCache();
    std::shared_ptr<Store> released;
    std::lock_guard<std::mutex> guard(cache.lock);
    ForgetInherited(cache);
    released = std::move(cache.store);
    cache.failed.clear();
}

std::shared_ptr<Store> Store::OpenFile(const std::string& path)
{
    std::shared_ptr<Store> store(new Store(path));
    if (!store->Open())
        return nullptr;
    return store;
}

Store::Store(std::string path) : m_path(std::move(path)) {}

Store::~Store()
{
    for (auto& entry : m_statements)
        sqlite3_finalize(entry.second);
    if (m_db)
        sqlite3_close(m_db);
}

bool Store::Open()
{
    std::string folder = m_path.substr(0, m_path.find_last_of('/'));
    std::string error;
    if (!folder.empty() && !MakeFolder(folder, error)) {
        Complain(m_path, "cannot create its folder: " + error);
        return false;
    }
    // SQLite would create the file world-readable; make it private first.
    int fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        // The new name must outlive a power cut as the writes into it will.
        int dir = ::open(folder.empty() ? "/" : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            fsync(dir);
            ::close(dir);
        }
    } else if (errno != EEXIST) {
        Complain(m_path, std::strerror(errno));
        return false;
    }
    if (!CheckHeader())
        return false;
    int rc = sqlite3_open_v2(m_path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        Complain(m_path, m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc));
        return false;
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    if (sqlite3_db_readonly(m_db, "main") == 1) {
        Complain(m_path, "the file is read-only");
        return false;
    }
    return CheckIntegrity() && InitSchema(false) && Configure() && InitSchema(true);
}

// Rejects files that are plainly not a store before SQLite touches them.
bool Store::CheckHeader()
{
    int fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        Complain(m_path, std::strerror(errno));
        return false;
    }
    struct stat st {};
    unsigned char header[100] = {};
    bool statted = fstat(fd, &st) == 0;
    ssize_t got = statted && S_ISREG(st.st_mode) && st.st_size > 0 ? ::read(fd, header, sizeof header) : 0;
    ::close(fd);
    if (!statted || !S_ISREG(st.st_mode)) {
        Complain(m_path, "not a regular file");
        return false;
    }
    if (st.st_size == 0)
        return true;  // a new store
    if (got != static_cast<ssize_t>(sizeof header) || std::memcmp(header, "SQLite format 3", 16) != 0) {
        Complain(m_path, "the file is not a database");
        return false;
    }
    std::uint32_t pageSize = BigEndian(header + 16, 2);
    if (pageSize == 1)
        pageSize = 65536;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0) {
        Complain(m_path, "the database header is damaged");
        return false;
    }
    // The page count in the header is current when its validity stamp
    // matches; a log not yet copied back may still complete the file.
    std::uint64_t pages = BigEndian(header + 28, 4);
    struct stat wal {};
    bool pendingLog = stat((m_path + "-wal").c_str(), &wal) == 0 && wal.st_size > 0;
    bool countValid = std::memcmp(header + 24, header + 92, 4) == 0 && pages > 0 && !pendingLog;
    if (static_cast<std::uint64_t>(st.st_size) % pageSize != 0 ||
        (countValid && static_cast<std::uint64_t>(st.st_size) < pages * pageSize)) {
        Complain(m_path, "the database is truncated");
        return false;
    }
    return true;
}

bool Store::CheckIntegrity()
{
    // Read-only, so a damaged file is never written to.
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(m_db, "PRAGMA quick_check(1)", -1, &stmt, nullptr);
    std::string verdict;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) {
            const unsigned char* text = sqlite3_column_text(stmt, 0);
            verdict = text ? reinterpret_cast<const char*>(text) : "";
            rc = SQLITE_OK;
        }
    }
    std::string message = sqlite3_errmsg(m_db);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_OK && rc != SQLITE_DONE) {
        Complain(m_path, message);
        return false;
    }
    if (verdict != "ok") {
        Complain(m_path, "the database is damaged (" + verdict + ")");
        return false;
    }
    return true;
}

bool Store::Configure()
{
    sqlite3_stmt* stmt = nullptr;
    std::string mode;
    if (sqlite3_prepare_v2(m_db, "PRAGMA journal_mode=WAL", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(stmt, 0);
        mode = text ? reinterpret_cast<const char*>(text) : "";
    }
    sqlite3_finalize(stmt);
    if (mode != "wal") {
        Complain(m_path, std::string("cannot use write-ahead logging: ") + sqlite3_errmsg(m_db));
        return false;
    }
    if (sqlite3_exec(m_db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr) != SQLITE_OK) {
        Complain(m_path, sqlite3_errmsg(m_db));
        return false;
    }
    return true;
}

// Whether the file is ours (or empty), checked first by reading alone and
// again, before setting up, inside the write that sets it up.
bool Store::InitSchema(bool setUp)
{
    StoreTransaction txn(*this, setUp);
    if (!txn.Ok()) {
        Complain(m_path, sqlite3_errmsg(m_db));
        return false;
    }
    std::int64_t appId = -1, version = -1, objects = -1;
    {
        SqlQuery q(*this, "SELECT (SELECT application_id FROM pragma_application_id),"
                          " (SELECT user_version FROM pragma_user_version),"
                          " (SELECT count(*) FROM sqlite_schema)");
        if (q.Step()) {
            appId = q.Int(0);
            version = q.Int(1);
            objects = q.Int(2);
        }
    }
    if (appId == kApplicationId) {
        if (version == kSchemaVersion)
            return true;
        Complain(m_path, "the store was written by another version of the program");
        return false;
    }
    if (appId != 0 || objects != 0) {
        Complain(m_path, "the file is a database of another program");
        return false;
    }
    if (!setUp)
        return true;
    if (!Exec(kSchema) || !txn.Commit()) {
        Complain(m_path, "cannot set up the store");
        return false;
    }
    return true;
}

sqlite3_stmt* Store::Prepare(const char* sql)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    auto it = m_statements.find(sql);
    if (it != m_statements.end())
        return it->second;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) != SQLITE_OK) {
        Report("cannot prepare a statement");
        return nullptr;
    }
    m_statements.emplace(sql, stmt);
    return stmt;
}

bool Store::Exec(const char* sql)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        Report("statement failed");
        return false;
    }
    return true;
}

CEOID Store::AllocateId()
{
    SqlQuery q(*this, "UPDATE meta SET value = value + 1 WHERE key = 'next_oid' RETURNING value - 1");
    if (!q.Step())
        return 0;
    std::int64_t id = q.Int(0);
    q.Run();
    if (id <= 0 || id > 0xFFFFFFFFLL)
        return 0;
    return static_cast<CEOID>(id);
}

void Store::Report(const char* what) const
{
    std::fprintf(stderr, "owebook: %s: %s: %s\n", m_path.c_str(), what, m_db ? sqlite3_errmsg(m_db) : "not open");
}

void Store::Warn(const char* what) const
{
    std::fprintf(stderr, "owebook: %s: %s\n", m_path.c_str(), what);
}

}  // namespace platform
