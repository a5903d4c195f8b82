#include "DeviceFolder.h"

#include "platform/core/LastError.h"
#include "platform/store/CCeDBDatabase.h"
#include "platform/store/Device.h"

#include <gmock/gmock.h>
#include <sqlite3.h>

#include <array>
#include <csignal>
#include <functional>
#include <optional>
#include <sys/stat.h>

namespace {

using testing::HasSubstr;

const char* const kSuffixes[] = {"", "-wal", "-shm"};

// The store file and its two log files as they lie on disk, absent ones too.
using FileSet = std::array<std::optional<std::string>, 3>;

FileSet Snapshot(const std::string& path)
{
    FileSet files;
    for (int i = 0; i < 3; ++i) {
        struct stat st {};
        std::string name = path + kSuffixes[i];
        if (stat(name.c_str(), &st) == 0)
            files[i] = S_ISREG(st.st_mode) ? ReadFileBytes(name) : std::string("<not a file>");
    }
    return files;
}

void Restore(const std::string& path, const FileSet& files)
{
    for (int i = 0; i < 3; ++i)
        if (files[i])
            WriteFileBytes(path + kSuffixes[i], *files[i]);
}

// Copies a file with its pending log and index while its writer still has
// it open: what a crash of the writer leaves behind.
FileSet CrashCopy(const std::string& path)
{
    FileSet files = Snapshot(path);
    EXPECT_TRUE(files[1] && !files[1]->empty()) << "no pending log";
    EXPECT_TRUE(files[2]) << "no index";
    return files;
}

// Another program's database in write-ahead mode, its last transaction
// still in the log.
FileSet ForeignWithPendingLog(const std::string& folder)
{
    std::string path = folder + "/foreign.db";
    sqlite3* handle = nullptr;
    sqlite3_open(path.c_str(), &handle);
    sqlite3_exec(handle,
                 "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"
                 "CREATE TABLE t(x); INSERT INTO t VALUES(1);",
                 nullptr, nullptr, nullptr);
    FileSet files = CrashCopy(path);
    sqlite3_close(handle);
    return files;
}

void AddRecords(int count, int length = 200)
{
    CCeDBDatabase db;
    if (!CCeDBDatabase::Exists(u"OwebookMain")) {
        EXPECT_TRUE(db.Create(u"OwebookMain", 101));
    }
    EXPECT_TRUE(db.Open(u"OwebookMain"));
    std::u16string text(length, u'x');
    for (int i = 0; i < count; ++i) {
        CCeDBRecord rec;
        rec.AddProp(CCeDBProp(text.c_str(), 103));
        EXPECT_NE(db.AddRecord(&rec), 0u);
    }
}

// Our own store, many pages checkpointed and one write still in the log.
FileSet OwnWithPendingLog()
{
    DeviceFolder device;
    AddRecords(300);
    DeviceFolder::Reopen();
    AddRecords(1, 10);
    return CrashCopy(device.StoreFile());
}

std::string CountRecords(const std::string& storeFile)
{
    sqlite3* handle = nullptr;
    sqlite3_open_v2(storeFile.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(handle, "SELECT count(*) FROM records", -1, &stmt, nullptr);
    std::string count = sqlite3_step(stmt) == SQLITE_ROW ? std::to_string(sqlite3_column_int(stmt, 0)) : "none";
    sqlite3_finalize(stmt);
    sqlite3_close(handle);
    return count;
}

struct Refusal {
    const char* what;
    std::function<void(const DeviceFolder&)> make;
    const char* reason;
};

// Tries every entry point once, and checks the message, the cause and that
// not one byte of the file or its log files changed.
void ExpectRefusedUntouched(const DeviceFolder& device, const char* reason, DWORD cause)
{
    FileSet before = Snapshot(device.StoreFile());
    testing::internal::CaptureStderr();
    CCeDBDatabase db;
    EXPECT_FALSE(CCeDBDatabase::Exists(u"OwebookMain"));
    EXPECT_EQ(GetLastError(), cause);
    EXPECT_FALSE(db.Open(u"OwebookMain"));
    EXPECT_FALSE(db.Create(u"OwebookMain", 101));
    EXPECT_EQ(GetLastError(), cause);
    std::string message = testing::internal::GetCapturedStderr();
    EXPECT_THAT(message, HasSubstr(device.StoreFile()));
    EXPECT_THAT(message, HasSubstr(reason));
    EXPECT_EQ(message.find("owebook:"), message.rfind("owebook:")) << "said more than once: " << message;
    DeviceFolder::Reopen();
    FileSet after = Snapshot(device.StoreFile());
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(after[i] == before[i]) << "file" << kSuffixes[i] << " changed";
}

TEST(StoreRefusal, RefusedFileAndItsLogFilesStayByteForByte)
{
    FileSet own = OwnWithPendingLog();
    FileSet damaged = own;
    // A page the log does not hold, so that only the main file is damaged.
    std::fill(damaged[0]->begin() + 8 * 4096, damaged[0]->begin() + 9 * 4096, '\xA5');
    FileSet foreign;
    {
        DeviceFolder scratch;
        foreign = ForeignWithPendingLog(scratch.Root());
    }
    FileSet newer;
    {
        DeviceFolder scratch;
        AddRecords(3);
        DeviceFolder::Reopen();
        sqlite3* handle = nullptr;
        sqlite3_open(scratch.StoreFile().c_str(), &handle);
        sqlite3_exec(handle, "PRAGMA user_version = 2", nullptr, nullptr, nullptr);
        sqlite3_close(handle);
        newer = Snapshot(scratch.StoreFile());
    }

    const Refusal cases[] = {
        {"another program's file with a pending log", [&](const DeviceFolder& d) { Restore(d.StoreFile(), foreign); },
         "another program"},
        {"an empty file with another program's pending log",
         [&](const DeviceFolder& d) {
             FileSet files = foreign;
             files[0] = std::string();
             Restore(d.StoreFile(), files);
         },
         "empty but has a pending log"},
        {"our store with a damaged page and a pending log",
         [&](const DeviceFolder& d) { Restore(d.StoreFile(), damaged); }, "damaged"},
        {"another program's pending log without its index",
         [&](const DeviceFolder& d) {
             FileSet files = foreign;
             files[2].reset();
             Restore(d.StoreFile(), files);
         },
         "another program"},
        {"a store of a newer version", [&](const DeviceFolder& d) { Restore(d.StoreFile(), newer); }, "newer version"},
        {"a truncated store with a pending log",
         [&](const DeviceFolder& d) {
             FileSet files = damaged;
             files[0]->resize(files[0]->size() / 2 / 4096 * 4096 + 100);
             Restore(d.StoreFile(), files);
         },
         "truncated"},
        {"a text file", [](const DeviceFolder& d) { WriteFileBytes(d.StoreFile(), "not a database\n"); },
         "not a database"},
        {"a folder", [](const DeviceFolder& d) { mkdir(d.StoreFile().c_str(), 0700); }, "not a regular file"},
        {"a link to a device", [](const DeviceFolder& d) { symlink("/dev/null", d.StoreFile().c_str()); },
         "not a regular file"},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.what);
        DeviceFolder device;
        ASSERT_EQ(mkdir(device.Home().c_str(), 0700), 0);
        c.make(device);
        DWORD cause = std::string(c.reason) == "not a regular file" ? ERROR_ACCESS_DENIED : ERROR_INVALID_DATA;
        ExpectRefusedUntouched(device, c.reason, cause);
    }
}

TEST(StoreRefusal, OwnStoreWithPendingLogOpensWithEveryWrite)
{
    FileSet own = OwnWithPendingLog();
    DeviceFolder device;
    ASSERT_EQ(mkdir(device.Home().c_str(), 0700), 0);
    for (bool withIndex : {true, false}) {
        SCOPED_TRACE(withIndex ? "with its index" : "without its index");
        FileSet files = own;
        if (!withIndex)
            files[2].reset();
        for (const char* suffix : kSuffixes)
            ::remove((device.StoreFile() + suffix).c_str());
        Restore(device.StoreFile(), files);
        CCeDBDatabase db;
        ASSERT_TRUE(db.Open(u"OwebookMain"));
        EXPECT_EQ(db.GetRecordCount(), 301u);
        db.Close();
        DeviceFolder::Reopen();
        EXPECT_EQ(CountRecords(device.StoreFile()), "301");
    }
}

// Runs `scenario` as an ordinary user in a child process (the tests may run
// as root, who may read and write anything).
int AsOrdinaryUser(const std::function<int()>& scenario)
{
    return RunInChild([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            return 99;
        return scenario();
    });
}

TEST(StoreRefusal, FilesTheUserMayNotWriteOrReadStayUntouched)
{
    FileSet own = OwnWithPendingLog();
    struct Case {
        const char* what;
        mode_t mode;
        const char* reason;
        DWORD cause;
    } cases[] = {
        {"read-only", 0444, "read-only", ERROR_ACCESS_DENIED},
        {"unreadable", 0200, "Permission denied", ERROR_ACCESS_DENIED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeviceFolder device;
        ASSERT_EQ(mkdir(device.Home().c_str(), 0777), 0);
        chmod(device.Root().c_str(), 0755);
        chmod(device.Home().c_str(), 0777);
        Restore(device.StoreFile(), own);
        for (const char* suffix : kSuffixes)
            chmod((device.StoreFile() + suffix).c_str(), c.mode);
        FileSet before = Snapshot(device.StoreFile());
        std::string errFile = device.Home() + "/stderr";
        int status = AsOrdinaryUser([&] {
            FILE* err = freopen(errFile.c_str(), "w", stderr);
            CCeDBDatabase db;
            bool opened = db.Open(u"OwebookMain");
            DWORD cause = GetLastError();
            if (err)
                fclose(err);
            return !opened && cause == c.cause ? 0 : 1;
        });
        EXPECT_EQ(status, 0);
        EXPECT_THAT(ReadFileBytes(errFile), HasSubstr(c.reason));
        FileSet after = Snapshot(device.StoreFile());
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(after[i] == before[i]) << "file" << kSuffixes[i] << " changed";
    }
}

TEST(StoreRefusal, PipeInTheStoresPlaceIsRefusedAtOnce)
{
    DeviceFolder device;
    ASSERT_EQ(mkdir(device.Home().c_str(), 0700), 0);
    ASSERT_EQ(mkfifo(device.StoreFile().c_str(), 0600), 0);
    std::string target = device.Root() + "/pipe";
    ASSERT_EQ(mkfifo(target.c_str(), 0600), 0);
    ASSERT_EQ(symlink(target.c_str(), (device.Home() + "/linked.db").c_str()), 0);
    // Opening a pipe for reading waits for a writer: the child would hang.
    int status = RunInChild([&] {
        alarm(10);
        FILE* err = freopen("/dev/null", "w", stderr);
        (void)err;
        bool refused = !platform::Store::OpenFile(device.StoreFile()) &&
                       !platform::Store::OpenFile(device.Home() + "/linked.db");
        return refused && GetLastError() == ERROR_ACCESS_DENIED ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
}

TEST(StoreRefusal, LogFilesArePrivateBehindALink)
{
    DeviceFolder device;
    AddRecords(2);
    DeviceFolder::Reopen();
    // The file moved elsewhere, readable by all, and linked back.
    std::string elsewhere = device.Root() + "/elsewhere";
    ASSERT_EQ(mkdir(elsewhere.c_str(), 0755), 0);
    std::string target = elsewhere + "/ledger.db";
    ASSERT_EQ(rename(device.StoreFile().c_str(), target.c_str()), 0);
    ASSERT_EQ(chmod(target.c_str(), 0644), 0);
    ASSERT_EQ(symlink(target.c_str(), device.StoreFile().c_str()), 0);

    AddRecords(1);
    for (const char* suffix : {"-wal", "-shm"}) {
        struct stat st {};
        ASSERT_EQ(stat((target + suffix).c_str(), &st), 0) << suffix;
        EXPECT_EQ(st.st_mode & 0777, 0600u) << suffix;
    }
}

TEST(StoreRefusal, PathTooLongIsRefusedBeforeAnythingIsMade)
{
    DeviceFolder device;
    std::string home = device.Root();
    while (home.size() < 600)
        home += "/" + std::string(200, 'd');
    setenv("OWEBOOK_HOME", home.c_str(), 1);
    testing::internal::CaptureStderr();
    CCeDBDatabase db;
    EXPECT_FALSE(db.Create(u"X"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_THAT(testing::internal::GetCapturedStderr(), HasSubstr("too long"));
    struct stat st {};
    EXPECT_NE(stat((device.Root() + "/" + std::string(200, 'd')).c_str(), &st), 0) << "a folder was made";
}

TEST(StoreRefusal, RelativeDeviceFolderIsFixedOnce)
{
    DeviceFolder device;
    char saved[4096];
    ASSERT_NE(getcwd(saved, sizeof saved), nullptr);
    ASSERT_EQ(chdir(device.Root().c_str()), 0);
    setenv("OWEBOOK_HOME", "relative/device", 1);
    std::string first = platform::StoreFilePath();
    ASSERT_EQ(chdir("/"), 0);
    std::string second = platform::StoreFilePath();
    ASSERT_EQ(chdir(saved), 0);
    EXPECT_EQ(first, device.Root() + "/relative/device/objectstore.db");
    EXPECT_EQ(second, first);
    EXPECT_EQ(std::string(std::getenv("OWEBOOK_HOME")), device.Root() + "/relative/device");
}

}  // namespace
