#include "platform/store/Store.h"

#include "platform/store/Device.h"
#include "platform/store/SqlQuery.h"
#include "platform/store/StoreTransaction.h"

#include "platform/core/LastError.h"

#include <sqlite3.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <ftw.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::int64_t kApplicationId = 0x4F574542;  // "OWEB"
constexpr std::int64_t kSchemaVersion = 1;
constexpr std::int64_t kLargestId = 0x7FFFFFFF;
std::atomic<int> g_busyTimeoutMs{15000};

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

DWORD ErrorForErrno(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    case ENOSPC:
    case EDQUOT:
        return ERROR_DISK_FULL;
    case ENOENT:
    case ENOTDIR:
        return ERROR_FILE_NOT_FOUND;
    case ENAMETOOLONG:
        return ERROR_INVALID_PARAMETER;
    case EIO:
        return ERROR_WRITE_FAULT;
    default:
        return ERROR_CANTOPEN;
    }
}

bool Exists(const std::string& path, off_t* size = nullptr)
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return false;
    if (size)
        *size = st.st_size;
    return true;
}

bool CopyFile(const std::string& from, const std::string& to)
{
    int in = ::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (in < 0)
        return false;
    int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    bool ok = out >= 0;
    char buffer[65536];
    while (ok) {
        ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        ok = ::write(out, buffer, static_cast<size_t>(got)) == got;
    }
    ::close(in);
    if (out >= 0)
        ::close(out);
    return ok;
}

void RemoveTree(const std::string& path)
{
    nftw(path.c_str(), [](const char* p, const struct stat*, int, FTW*) { return ::remove(p); }, 8,
         FTW_DEPTH | FTW_PHYS);
}

// The file SQLite really works on, its log files beside it.
std::string Resolved(const std::string& path)
{
    char buffer[PATH_MAX];
    return realpath(path.c_str(), buffer) ? std::string(buffer) : path;
}

std::string QueryText(sqlite3* db, const char* sql, int& rc)
{
    sqlite3_stmt* stmt = nullptr;
    std::string text;
    rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) {
            const unsigned char* value = sqlite3_column_text(stmt, 0);
            text = value ? reinterpret_cast<const char*>(value) : "";
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(stmt);
    return text;
}

std::uint32_t BigEndian(const unsigned char* p, int bytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | p[i];
    return value;
}

struct Verdict {
    DWORD error;
    std::string why;
    bool Ok() const { return error == ERROR_SUCCESS; }
};

// Rejects files that are plainly not a store before SQLite reads them as
// one. The header is read through the probe's own descriptor: closing one
// of ours would drop the locks another connection of this process holds.
Verdict HeaderVerdict(sqlite3* db, std::uint64_t size, bool pendingLog)
{
    unsigned char header[100] = {};
    const int rc = ReadDatabaseHeader(db, header, sizeof header);
    if (rc == SQLITE_CANTOPEN)
        return {ERROR_CANTOPEN, "cannot read the file"};
    if (rc != SQLITE_OK && rc != SQLITE_IOERR_SHORT_READ)
        return {Store::ErrorFor(rc), sqlite3_errstr(rc)};
    if (rc == SQLITE_IOERR_SHORT_READ || std::memcmp(header, "SQLite format 3", 16) != 0)
        return {ERROR_INVALID_DATA, "the file is not a database"};
    std::uint32_t pageSize = BigEndian(header + 16, 2);
    if (pageSize == 1)
        pageSize = 65536;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
        return {ERROR_INVALID_DATA, "the database header is damaged"};
    // The page count in the header is current when its validity stamp
    // matches; a log not yet copied back may still complete the file.
    std::uint64_t pages = BigEndian(header + 28, 4);
    bool countValid = std::memcmp(header + 24, header + 92, 4) == 0 && pages > 0 && !pendingLog;
    if (size % pageSize != 0 || (countValid && size < pages * pageSize))
        return {ERROR_INVALID_DATA, "the database is truncated"};
    return {ERROR_SUCCESS, {}};
}

struct Cache {
    std::mutex lock;
    std::shared_ptr<Store> store;
    pid_t owner = 0;
    std::map<std::string, DWORD> failed;
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
    if (auto failed = cache.failed.find(path); failed != cache.failed.end()) {
        SetLastError(failed->second);
        return nullptr;  // said why once already
    }
    DWORD why = 0;
    std::shared_ptr<Store> store = OpenFile(path, &why);
    if (!store) {
        // Another process may let go of its lock; anything else stays as it is.
        if (why != ERROR_SHARING_VIOLATION)
            cache.failed.emplace(path, why);
        SetLastError(why);
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

void Store::SetBusyTimeout(int milliseconds)
{
    g_busyTimeoutMs.store(milliseconds);
}

std::shared_ptr<Store> Store::OpenFile(const std::string& path, DWORD* why)
{
    std::shared_ptr<Store> store(new Store(path));
    if (!store->Open()) {
        DWORD error = store->m_refusal ? store->m_refusal : ERROR_CANTOPEN;
        if (why)
            *why = error;
        SetLastError(error);
        return nullptr;
    }
    if (why)
        *why = ERROR_SUCCESS;
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

bool Store::Refuse(DWORD error, const std::string& why)
{
    std::fprintf(stderr, "owebook: cannot open the store %s: %s\n", m_path.c_str(), why.c_str());
    m_refusal = error;
    return false;
}

bool Store::RefuseSql(sqlite3* db, const std::string& what)
{
    std::string why = what;
    if (db) {
        why += (what.empty() ? "" : ": ") + std::string(sqlite3_errmsg(db));
        return Refuse(ErrorFor(sqlite3_extended_errcode(db)), why);
    }
    return Refuse(ERROR_NOT_ENOUGH_MEMORY, why.empty() ? "out of memory" : why);
}

// Every check that can refuse the file is made without writing to it, or to
// its log files: only a store found sound is opened for writing.
bool Store::Open()
{
    if (!CheckPath())
        return false;
    std::string folder = m_path.substr(0, m_path.find_last_of('/'));
    std::string error;
    if (!folder.empty() && !MakeFolder(folder, error))
        return Refuse(ERROR_ACCESS_DENIED, "cannot create its folder: " + error);
    struct stat st {};
    if (stat(m_path.c_str(), &st) != 0) {
        if (errno != ENOENT)
            return Refuse(ErrorForErrno(errno), std::strerror(errno));
        // SQLite would create the file world-readable; make it private first.
        int fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0)
            return Refuse(ErrorForErrno(errno), std::strerror(errno));
        ::close(fd);
        // The new name must outlive a power cut as the writes into it will.
        int dir = ::open(folder.empty() ? "/" : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            fsync(dir);
            ::close(dir);
        }
        st.st_size = 0;
    } else if (!S_ISREG(st.st_mode)) {
        // A pipe or a device would block or answer with anything.
        return Refuse(ERROR_ACCESS_DENIED, "not a regular file");
    }
    if (faccessat(AT_FDCWD, m_path.c_str(), R_OK, AT_EACCESS) != 0)
        return Refuse(ErrorForErrno(errno), std::strerror(errno));
    bool empty = false;
    if (!CheckHeader(empty) || (!empty && !Probe()))
        return false;

    int rc = sqlite3_open_v2(m_path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK)
        return m_db ? RefuseSql(m_db, "") : Refuse(ErrorFor(rc), sqlite3_errstr(rc));
    // Until the store is accepted, closing must not fold a log into the file.
    KeepFilesOnClose(true);
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, g_busyTimeoutMs.load());
    if (sqlite3_db_readonly(m_db, "main") == 1)
        return Refuse(ERROR_ACCESS_DENIED, "the file is read-only");
    if (!InitSchema(false) || !Configure())
        return false;
    PrivateLogFiles();
    if (!InitSchema(true))
        return false;
    KeepFilesOnClose(false);
    return true;
}

void Store::KeepFilesOnClose(bool keep)
{
    int on = keep ? 1 : 0;
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, on, nullptr);
    sqlite3_file_control(m_db, "main", SQLITE_FCNTL_PERSIST_WAL, &on);
}

// A path SQLite cannot take is refused before anything is created.
bool Store::CheckPath()
{
    std::string full = m_path;
    if (full.empty() || full[0] != '/') {
        char cwd[PATH_MAX];
        if (!getcwd(cwd, sizeof cwd))
            return Refuse(ErrorForErrno(errno), std::strerror(errno));
        full = std::string(cwd) + "/" + full;
    }
    sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    std::size_t longest = vfs ? static_cast<std::size_t>(vfs->mxPathname) : 512;
    if (m_path.empty() || full.size() + std::strlen("-journal") > longest)
        return Refuse(ERROR_INVALID_PARAMETER, "the path is too long");
    return true;
}

// The log files are private whatever mode the file itself has and wherever
// a symbolic link leads. SQLite gives a log file it creates, or finds
// empty, the file's own mode, so this follows its opening them.
void Store::PrivateLogFiles()
{
    // By name: closing a descriptor of our own would drop the locks this
    // process's connection holds on the file.
    std::string target = Resolved(m_path);
    for (const char* suffix : {"-wal", "-shm"}) {
        std::string name = target + suffix;
        struct stat st {};
        if (lstat(name.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 077) && st.st_uid == geteuid())
            chmod(name.c_str(), 0600);
    }
}

// What can be told of the file without opening it: whether it is new, and
// whether it is empty with a log beside it, which is not one of ours and
// whose log SQLite would throw away.
bool Store::CheckHeader(bool& empty)
{
    struct stat st {};
    if (stat(m_path.c_str(), &st) != 0)
        return Refuse(ErrorForErrno(errno), std::strerror(errno));
    off_t walSize = 0;
    bool pendingLog = Exists(Resolved(m_path) + "-wal", &walSize) && walSize > 0;
    empty = st.st_size == 0;
    if (empty && pendingLog)
        return Refuse(ERROR_INVALID_DATA, "the file is empty but has a pending log");
    return true;
}

// Looks into the file through a connection that cannot write: the file as
// it stands, or with its pending log read through the existing index
// without changing it. A log without an index has no live reader and is
// looked at in a private copy, since reading it would build one.
bool Store::Probe()
{
    std::string target = Resolved(m_path);
    struct stat st {};
    if (stat(target.c_str(), &st) != 0)
        return Refuse(ErrorForErrno(errno), std::strerror(errno));
    off_t walSize = 0;
    bool log = Exists(target + "-wal", &walSize);
    bool pendingLog = log && walSize > 0;
    bool index = Exists(target + "-shm");
    const char* how = log && index ? "mode=ro&readonly_shm=1" : "mode=ro&immutable=1";
    // Path characters that mean something in a URI are escaped.
    std::string escaped;
    for (char c : target) {
        if (c == '%' || c == '?' || c == '#')
            escaped += c == '%' ? "%25" : c == '?' ? "%3f" : "%23";
        else
            escaped += c;
    }
    std::string name = "file:" + escaped + "?" + how;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(name.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    Verdict header = rc == SQLITE_OK ? HeaderVerdict(db, static_cast<std::uint64_t>(st.st_size), pendingLog)
                                     : Verdict{ErrorFor(rc), db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)};
    if (!header.Ok()) {
        sqlite3_close(db);
        return Refuse(header.error, header.why);
    }
    if (pendingLog && !index) {
        sqlite3_close(db);
        return ProbeCopy(target);
    }
    bool setUp = false;
    bool ok = CheckContents(db, setUp);
    sqlite3_close(db);
    return ok;
}

bool Store::ProbeCopy(const std::string& target)
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/owebook-probe-XXXXXX";
    if (!mkdtemp(pattern.data()))
        return Refuse(ErrorForErrno(errno), std::string("cannot make a folder to check the file in: ") + std::strerror(errno));
    std::string copy = pattern + "/store.db";
    bool ok = CopyFile(target, copy) && CopyFile(target + "-wal", copy + "-wal");
    if (!ok) {
        int error = errno;
        RemoveTree(pattern);
        return Refuse(ErrorForErrno(error), std::string("cannot copy the file to check it: ") + std::strerror(error));
    }
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(copy.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    bool setUp = false;
    ok = rc == SQLITE_OK ? CheckContents(db, setUp) : (db ? RefuseSql(db, "") : Refuse(ErrorFor(rc), sqlite3_errstr(rc)));
    sqlite3_close(db);
    RemoveTree(pattern);
    return ok;
}

// Whether the file is a sound store of this version, or empty.
bool Store::CheckContents(sqlite3* db, bool& mustSetUp)
{
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, g_busyTimeoutMs.load());
    int rc = SQLITE_OK;
    std::string verdict = QueryText(db, "PRAGMA quick_check(1)", rc);
    if (rc != SQLITE_OK && rc != SQLITE_DONE) {
        int code = sqlite3_extended_errcode(db);
        if ((code & 0xFF) == SQLITE_CORRUPT || (code & 0xFF) == SQLITE_NOTADB)
            return Refuse(ERROR_INVALID_DATA, std::string("the database is damaged (") + sqlite3_errmsg(db) + ")");
        return RefuseSql(db, "");
    }
    if (verdict != "ok")
        return Refuse(ERROR_INVALID_DATA, "the database is damaged (" + verdict + ")");
    std::int64_t appId = std::atoll(QueryText(db, "PRAGMA application_id", rc).c_str());
    std::int64_t version = std::atoll(QueryText(db, "PRAGMA user_version", rc).c_str());
    std::int64_t objects = std::atoll(QueryText(db, "SELECT count(*) FROM sqlite_schema", rc).c_str());
    if (rc != SQLITE_OK)
        return RefuseSql(db, "");
    mustSetUp = false;
    if (appId == kApplicationId) {
        if (version == kSchemaVersion)
            return true;
        if (version > kSchemaVersion)
            return Refuse(ERROR_INVALID_DATA, "the store was written by a newer version of the program");
        return Refuse(ERROR_INVALID_DATA, "the store was written by another version of the program");
    }
    if (appId != 0 || objects != 0)
        return Refuse(ERROR_INVALID_DATA, "the file is a database of another program");
    mustSetUp = true;
    return true;
}

bool Store::Configure()
{
    int rc = SQLITE_OK;
    std::string mode = QueryText(m_db, "PRAGMA journal_mode=WAL", rc);
    if (mode != "wal")
        return RefuseSql(m_db, "cannot use write-ahead logging");
    if (sqlite3_exec(m_db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr) != SQLITE_OK)
        return RefuseSql(m_db, "");
    return true;
}

// Whether the file is ours (or empty), checked again by reading alone and,
// before setting up, inside the write that sets it up: another process may
// have set it up meanwhile.
bool Store::InitSchema(bool setUp)
{
    StoreTransaction txn(*this, setUp);
    if (!txn.Ok())
        return RefuseSql(m_db, "");
    std::int64_t appId = -1, version = -1, objects = -1;
    {
        SqlQuery q(*this, "SELECT (SELECT application_id FROM pragma_application_id),"
                          " (SELECT user_version FROM pragma_user_version),"
                          " (SELECT count(*) FROM sqlite_schema)");
        if (q.Step()) {
            appId = q.Int(0);
            version = q.Int(1);
            objects = q.Int(2);
        } else {
            return RefuseSql(m_db, "");
        }
    }
    if (appId == kApplicationId) {
        if (version == kSchemaVersion)
            return true;
        return Refuse(ERROR_INVALID_DATA, version > kSchemaVersion
                                              ? "the store was written by a newer version of the program"
                                              : "the store was written by another version of the program");
    }
    if (appId != 0 || objects != 0)
        return Refuse(ERROR_INVALID_DATA, "the file is a database of another program");
    if (!setUp)
        return true;
    if (!Exec(kSchema) || !txn.Commit())
        return RefuseSql(m_db, "cannot set up the store");
    return true;
}

sqlite3_stmt* Store::Prepare(const char* sql)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    // Keyed by text: a caller's buffer may hold another statement next time.
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
    if (id <= 0 || id > kLargestId) {
        Warn("no object ids are left", ERROR_DISK_FULL);
        return 0;
    }
    return static_cast<CEOID>(id);
}

void Store::Report(const char* what) const
{
    std::fprintf(stderr, "owebook: %s: %s: %s\n", m_path.c_str(), what, m_db ? sqlite3_errmsg(m_db) : "not open");
    SetLastError(m_db ? ErrorFor(sqlite3_extended_errcode(m_db)) : ERROR_CANTOPEN);
}

void Store::Warn(const char* what, DWORD error) const
{
    std::fprintf(stderr, "owebook: %s: %s\n", m_path.c_str(), what);
    SetLastError(error);
}

DWORD Store::ErrorFor(int sqliteResult)
{
    switch (sqliteResult) {
    case SQLITE_IOERR_READ:
    case SQLITE_IOERR_SHORT_READ:
        return ERROR_READ_FAULT;
    default:
        break;
    }
    switch (sqliteResult & 0xFF) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
        return ERROR_SUCCESS;
    case SQLITE_FULL:
        return ERROR_DISK_FULL;
    case SQLITE_IOERR:
        return ERROR_WRITE_FAULT;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
    case SQLITE_MISMATCH:
        return ERROR_INVALID_DATA;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return ERROR_ACCESS_DENIED;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return ERROR_SHARING_VIOLATION;
    case SQLITE_NOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case SQLITE_TOOBIG:
        return ERROR_INVALID_PARAMETER;
    case SQLITE_CANTOPEN:
        return ERROR_CANTOPEN;
    case SQLITE_NOTFOUND:
        return ERROR_FILE_NOT_FOUND;
    default:
        return ERROR_CANTWRITE;
    }
}

int ReadDatabaseHeader(sqlite3* db, void* buffer, int size)
{
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file || !file->pMethods)
        return SQLITE_CANTOPEN;
    return file->pMethods->xRead(file, buffer, size, 0);
}

}  // namespace platform
