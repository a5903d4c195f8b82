#include "platform/store/StoreBackup.h"

#include "platform/core/Clock.h"
#include "platform/core/Time.h"
#include "platform/store/Device.h"
#include "platform/store/ReplacingFile.h"
#include "platform/store/Store.h"

#include <sqlite3.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

constexpr int kBusyTimeoutMs = 15000;
constexpr int kBusyRetries = 300;  // 50 ms apart
const char* const kLogSuffixes[] = {"-wal", "-journal"};

class Connection {
public:
    ~Connection()
    {
        if (m_db)
            sqlite3_close_v2(m_db);
    }
    // Never checkpoints on closing: a file we only read stays as it was.
    bool Open(const std::string& path, int flags, std::string& why)
    {
        const int rc = sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
        if (rc != SQLITE_OK) {
            why = path + ": " + (m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc));
            return false;
        }
        sqlite3_extended_result_codes(m_db, 1);
        sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
        return true;
    }
    sqlite3* Handle() const { return m_db; }
    std::string Error() const { return sqlite3_errmsg(m_db); }

    // The first column of the first row as text; false on a failure.
    bool Text(const char* sql, std::string& out) const
    {
        sqlite3_stmt* stmt = nullptr;
        bool ok = sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr) == SQLITE_OK;
        if (ok) {
            const int rc = sqlite3_step(stmt);
            ok = rc == SQLITE_ROW || rc == SQLITE_DONE;
            const unsigned char* text = rc == SQLITE_ROW ? sqlite3_column_text(stmt, 0) : nullptr;
            out = text ? reinterpret_cast<const char*>(text) : "";
        }
        sqlite3_finalize(stmt);
        return ok;
    }
    bool Integer(const char* sql, std::int64_t& out) const
    {
        std::string text;
        if (!Text(sql, text))
            return false;
        out = std::strtoll(text.c_str(), nullptr, 10);
        return true;
    }

private:
    sqlite3* m_db = nullptr;
};

std::string Errno(const std::string& what) { return what + ": " + std::strerror(errno); }

bool Exists(const std::string& path)
{
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

// Refuses what is plainly no database before SQLite reads it. The file may be
// this process's store: its header is read through a read-only connection,
// never a descriptor of ours (closing that would drop the store connection's
// locks, and another process would then take itself for the store's last
// user and delete its log).
bool LooksLikeDatabase(const std::string& path, std::string& why)
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || faccessat(AT_FDCWD, path.c_str(), R_OK, AT_EACCESS) != 0) {
        why = Errno(path);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        why = path + ": not a regular file";
        return false;
    }
    Connection db;
    if (!db.Open(path, SQLITE_OPEN_READONLY, why))
        return false;
    char header[16] = {};
    const int rc = ReadDatabaseHeader(db.Handle(), header, sizeof header);
    if (rc != SQLITE_OK && rc != SQLITE_IOERR_SHORT_READ) {
        why = path + ": " + sqlite3_errstr(rc);
        return false;
    }
    if (rc == SQLITE_IOERR_SHORT_READ || std::memcmp(header, "SQLite format 3", 16) != 0) {
        why = path + ": not an Owebook store (not a database)";
        return false;
    }
    return true;
}

bool VerifyOpen(const Connection& db, const std::string& path, std::string& why)
{
    std::int64_t appId = 0, version = 0, tables = 0;
    if (!db.Integer("PRAGMA application_id", appId) || !db.Integer("PRAGMA user_version", version)) {
        why = path + ": the database is damaged: " + db.Error();
        return false;
    }
    if (appId != kStoreApplicationId) {
        why = path + ": not an Owebook store (a database of another program)";
        return false;
    }
    if (version > kStoreSchemaVersion) {
        why = path + ": the store was made by a newer version of Owebook";
        return false;
    }
    std::string verdict;
    if (!db.Text("PRAGMA integrity_check(1)", verdict)) {
        why = path + ": the database is damaged: " + db.Error();
        return false;
    }
    if (verdict != "ok") {
        why = path + ": the database is damaged (" + verdict + ")";
        return false;
    }
    if (version != kStoreSchemaVersion ||
        !db.Integer("SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name IN"
                    " ('meta', 'databases', 'records', 'regkeys', 'regvalues')",
                    tables) ||
        tables != 5) {
        why = path + ": not an Owebook store (its tables are missing)";
        return false;
    }
    return true;
}

// Opens `path` read-only and checks it; `name` is the file the reason names.
bool VerifyAs(const std::string& path, const std::string& name, std::string& why)
{
    Connection db;
    return db.Open(path, SQLITE_OPEN_READONLY, why) && VerifyOpen(db, name, why);
}

// Copies `source` into the empty file `target` with the online backup: one
// read transaction, so the copy is the source as of one commit. The copy
// keeps no log of its own and stands alone as a single file.
bool CopyDatabase(const Connection& source, const std::string& sourcePath, const std::string& target,
                  std::string& why)
{
    Connection dest;
    if (!dest.Open(target, SQLITE_OPEN_READWRITE, why))
        return false;
    sqlite3_backup* backup = sqlite3_backup_init(dest.Handle(), "main", source.Handle(), "main");
    if (!backup) {
        why = target + ": " + dest.Error();
        return false;
    }
    int rc = SQLITE_OK;
    for (int tries = 0; tries < kBusyRetries; ++tries) {
        rc = sqlite3_backup_step(backup, -1);
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
            break;
        sqlite3_sleep(50);
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
        const int code = sqlite3_errcode(source.Handle());
        why = sourcePath + ": " + (code != SQLITE_OK ? source.Error() : std::string(sqlite3_errstr(rc)));
        if ((rc & 0xFF) == SQLITE_NOTADB || (rc & 0xFF) == SQLITE_CORRUPT)
            why = sourcePath + ": the database is damaged (" + sqlite3_errstr(rc) + ")";
        return false;
    }
    // The source's write-ahead-log flag came along with its first page.
    std::string mode;
    if (!dest.Text("PRAGMA journal_mode=DELETE", mode) || mode != "delete") {
        why = target + ": " + dest.Error();
        return false;
    }
    return true;
}

std::string Canonical(const std::string& path)
{
    char resolved[PATH_MAX];
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (!realpath(FolderOf(path).c_str(), resolved))
        return path;
    return std::string(resolved) + "/" + name;
}

// "<store>.<local date and time>.bak", unused so far with its logs.
std::string BakName(const std::string& storePath)
{
    SYSTEMTIME now {};
    if (!UtcSecondsToLocal(NowUtcSeconds(), now))
        UtcSecondsToSystemTime(NowUtcSeconds(), now);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04u%02u%02u-%02u%02u%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    for (int n = 1;; ++n) {
        std::string name = storePath + "." + stamp + (n > 1 ? "-" + std::to_string(n) : "") + ".bak";
        if (!Exists(name) && !Exists(name + "-wal") && !Exists(name + "-journal"))
            return name;
    }
}

// Moves the store and its logs aside under `bak`: the store by a second
// name (it stays in place until the copy replaces it), its logs by rename,
// so that no log of the old store is ever read with the new one.
bool KeepFormerStore(const std::string& storePath, const std::string& bak, std::string& why)
{
    if (Exists(storePath) && ::link(storePath.c_str(), bak.c_str()) != 0) {
        why = Errno("cannot keep the current store as " + bak);
        return false;
    }
    std::vector<const char*> moved;
    for (const char* suffix : kLogSuffixes) {
        const std::string log = storePath + suffix;
        if (!Exists(log))
            continue;
        if (std::rename(log.c_str(), (bak + suffix).c_str()) != 0) {
            why = Errno("cannot keep " + log);
            // The store goes on with its own log.
            for (const char* back : moved)
                std::rename((bak + back).c_str(), (storePath + back).c_str());
            ::unlink(bak.c_str());
            return false;
        }
        moved.push_back(suffix);
    }
    return true;
}

}  // namespace

bool IsStoreOrItsLog(const std::string& path, const std::string& storePath)
{
    struct stat a {}, b {};
    if (stat(path.c_str(), &a) == 0 && stat(storePath.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
        a.st_ino == b.st_ino)
        return true;
    const std::string file = Canonical(path);
    const std::string store = Canonical(storePath);
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        if (file == store + suffix)
            return true;
    return false;
}

bool VerifyStoreFile(const std::string& path, std::string& why)
{
    return LooksLikeDatabase(path, why) && VerifyAs(path, path, why);
}

bool BackupStoreFile(const std::string& storePath, const std::string& target, std::string& why)
{
    if (IsStoreOrItsLog(target, storePath)) {
        why = target + ": that is the store itself";
        return false;
    }
    if (!Exists(storePath)) {
        why = storePath + ": there is no store to back up";
        return false;
    }
    if (!LooksLikeDatabase(storePath, why))
        return false;
    Connection source;
    ReplacingFile copy;
    if (!source.Open(storePath, SQLITE_OPEN_READWRITE, why) || !copy.Open(target, why) ||
        !CopyDatabase(source, storePath, copy.TempPath(), why))
        return false;
    if (!VerifyAs(copy.TempPath(), storePath, why)) {
        why = "the copy failed its check: " + why;
        return false;
    }
    return copy.Commit(why);
}

bool RestoreStoreFile(const std::string& source, const std::string& storePath, std::string& bakPath,
                      std::string& why)
{
    bakPath.clear();
    if (IsStoreOrItsLog(source, storePath)) {
        why = source + ": that is the store itself";
        return false;
    }
    if (!LooksLikeDatabase(source, why))
        return false;
    std::string error;
    if (!MakeFolder(FolderOf(storePath), error)) {
        why = error;
        return false;
    }
    ReplacingFile staged;
    if (!staged.Open(storePath, why))
        return false;
    {
        // Checked before copying too: a newer or foreign store is named as such.
        Connection from;
        if (!from.Open(source, SQLITE_OPEN_READONLY, why) || !VerifyOpen(from, source, why) ||
            !CopyDatabase(from, source, staged.TempPath(), why))
            return false;
    }
    // What goes in place is what was checked.
    if (!VerifyAs(staged.TempPath(), source, why))
        return false;

    bool former = Exists(storePath);
    for (const char* suffix : kLogSuffixes)
        former = former || Exists(storePath + suffix);
    if (former) {
        const std::string bak = BakName(storePath);
        if (!KeepFormerStore(storePath, bak, why))
            return false;
        bakPath = bak;
    }
    if (!staged.Commit(why))
        return false;
    // The old store's shared-memory index would describe a log that is gone.
    ::unlink((storePath + "-shm").c_str());
    return true;
}

}  // namespace platform
