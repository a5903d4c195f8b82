// Backups of the store taken while others write, and restores that either
// put a whole, checked store in place or leave the current one untouched.

#include "DeviceFolder.h"

#include "platform/core/Clock.h"
#include "platform/store/CCeDBDatabase.h"
#include "platform/store/StoreBackup.h"

#include <sqlite3.h>

#include <csignal>
#include <dirent.h>
#include <fstream>
#include <map>
#include <set>
#include <sys/stat.h>

namespace {

using platform::BackupStoreFile;
using platform::RestoreStoreFile;
using platform::VerifyStoreFile;

CCeDBRecord Numbered(LONG value)
{
    CCeDBRecord rec;
    rec.AddProp(CCeDBProp(value, 101));
    rec.AddProp(CCeDBProp(u"an item, committed before the backup began", 103));
    return rec;
}

std::set<LONG> StoredValues()
{
    std::set<LONG> values;
    CCeDBDatabase db;
    EXPECT_TRUE(db.Open(u"Items"));
    CCeDBRecord rec = Numbered(0);
    for (CEOID oid = db.SeekFirst(); oid; oid = db.SeekNext())
        if (db.ReadCurrRecord(&rec))
            values.insert(rec[0]->GetLong());
    return values;
}

void AddValues(LONG from, LONG to)
{
    CCeDBDatabase db;
    ASSERT_TRUE(db.Open(u"Items"));
    for (LONG i = from; i < to; ++i) {
        CCeDBRecord rec = Numbered(i);
        ASSERT_NE(db.AddRecord(&rec), 0u);
    }
}

// Every file of a folder with its bytes: what "untouched" is checked against.
std::map<std::string, std::string> FolderBytes(const std::string& folder)
{
    std::map<std::string, std::string> files;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            struct stat st {};
            const std::string path = folder + "/" + entry->d_name;
            if (lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
                files[entry->d_name] = ReadFileBytes(path);
        }
        closedir(dir);
    }
    return files;
}

void RunSql(const std::string& path, const char* sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

mode_t ModeOf(const std::string& path)
{
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// Whether this process holds a lock on `path`, as the kernel lists it.
bool ThisProcessLocks(const std::string& path)
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return false;
    char inode[64];
    std::snprintf(inode, sizeof inode, ":%lu ", static_cast<unsigned long>(st.st_ino));
    const std::string pid = " " + std::to_string(getpid()) + " ";
    std::ifstream locks("/proc/locks");
    for (std::string line; std::getline(locks, line);)
        if (line.find(pid) != std::string::npos && line.find(inode) != std::string::npos)
            return true;
    return false;
}

class StoreBackupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CCeDBDatabase().Create(u"Items", 101));
        AddValues(0, 20);
        DeviceFolder::Reopen();
    }

    std::string Backup(const char* name = "backup.db")
    {
        std::string target = m_device.Root() + "/" + name;
        std::string why;
        EXPECT_TRUE(BackupStoreFile(m_device.StoreFile(), target, why)) << why;
        return target;
    }

    DeviceFolder m_device;
};

TEST_F(StoreBackupTest, BackupWhileAnotherProcessWritesHoldsEveryEarlierCommit)
{
    int acks = -1;
    const pid_t pid = StartAcknowledgingWriter(u"Items", 1000, Numbered, acks);
    ASSERT_GT(pid, 0);
    std::set<LONG> committed;
    for (LONG i = 0; i < 20; ++i)
        committed.insert(i);
    LONG value = 0;
    while (committed.size() < 120 && read(acks, &value, sizeof value) == sizeof value)
        committed.insert(value);

    const std::string target = m_device.Root() + "/backup.db";
    std::string why;
    const bool made = BackupStoreFile(m_device.StoreFile(), target, why);
    // The writer keeps going after the snapshot.
    for (int more = 0; more < 30 && read(acks, &value, sizeof value) == sizeof value; ++more) {}
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    close(acks);
    ASSERT_TRUE(made) << why;
    EXPECT_EQ(ModeOf(target), 0600u);
    EXPECT_TRUE(VerifyStoreFile(target, why)) << why;

    // Restored on another device, it holds everything acknowledged before.
    DeviceFolder other;
    std::string bak;
    ASSERT_TRUE(RestoreStoreFile(target, other.StoreFile(), bak, why)) << why;
    EXPECT_EQ(bak, "") << "nothing to keep on a new device";
    EXPECT_EQ(ModeOf(other.StoreFile()), 0600u);
    EXPECT_TRUE(VerifyStoreFile(other.StoreFile(), why)) << why;
    const std::set<LONG> restored = StoredValues();
    for (LONG v : committed)
        EXPECT_TRUE(restored.count(v)) << "item " << v << " was committed before the backup";
}

TEST_F(StoreBackupTest, BackupIsASingleStandaloneFileAndLeavesNoTemporaryBehind)
{
    const std::string target = Backup();
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        EXPECT_NE(access((target + suffix).c_str(), F_OK), 0) << suffix;
    EXPECT_EQ(FolderBytes(m_device.Root()).count("backup.db"), 1u);
    EXPECT_EQ(ReadFileBytes(target).substr(18, 2), std::string("\1\1", 2)) << "rollback journal, not a log";
    // Backing up over an older backup replaces it whole.
    AddValues(20, 25);
    Backup();
    DeviceFolder other;
    std::string bak, why;
    ASSERT_TRUE(RestoreStoreFile(target, other.StoreFile(), bak, why)) << why;
    EXPECT_EQ(StoredValues().size(), 25u);
}

// The program backs up and checks its store while its own connection is open.
// Closing a descriptor of our own on the file would drop that connection's
// locks: another process closing the store then takes itself for the last,
// deletes the log, and every later commit of this process is lost with it.
TEST_F(StoreBackupTest, BackupAndCheckLeaveTheLocksOfThisProcesssConnection)
{
    CCeDBDatabase db;
    ASSERT_TRUE(db.Open(u"Items"));
    AddValues(20, 21);
    ASSERT_TRUE(ThisProcessLocks(m_device.StoreFile())) << "the open store is locked by its connection";
    Backup();
    EXPECT_TRUE(ThisProcessLocks(m_device.StoreFile())) << "after a backup";
    std::string why;
    EXPECT_TRUE(VerifyStoreFile(m_device.StoreFile(), why)) << why;
    EXPECT_TRUE(ThisProcessLocks(m_device.StoreFile())) << "after a check";
    std::string bak;
    EXPECT_FALSE(RestoreStoreFile(m_device.StoreFile(), m_device.StoreFile(), bak, why));
    EXPECT_TRUE(ThisProcessLocks(m_device.StoreFile())) << "after a refused restore from the store itself";
}

TEST_F(StoreBackupTest, FreshStoreIsRecognisedAsOurs)
{
    std::string why;
    EXPECT_TRUE(VerifyStoreFile(m_device.StoreFile(), why)) << why;
}

struct BadTarget {
    const char* name;
    std::string (*path)(const DeviceFolder&);
    const char* says;
};

void PrintTo(const BadTarget& c, std::ostream* os) { *os << c.name; }

class BackupRefusalTest : public StoreBackupTest, public ::testing::WithParamInterface<BadTarget> {};

TEST_P(BackupRefusalTest, RefusesAndLeavesTheStoreAndFolderAsTheyWere)
{
    const auto before = FolderBytes(m_device.Home());
    const auto rootBefore = FolderBytes(m_device.Root());
    std::string why;
    EXPECT_FALSE(BackupStoreFile(m_device.StoreFile(), GetParam().path(m_device), why));
    EXPECT_NE(why.find(GetParam().says), std::string::npos) << why;
    EXPECT_EQ(FolderBytes(m_device.Home()), before);
    EXPECT_EQ(FolderBytes(m_device.Root()), rootBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Store, BackupRefusalTest,
    ::testing::Values(
        BadTarget{"the_store_itself", [](const DeviceFolder& d) { return d.StoreFile(); }, "store itself"},
        BadTarget{"the_store_by_another_path",
                  [](const DeviceFolder& d) { return d.Home() + "/../device/objectstore.db"; }, "store itself"},
        BadTarget{"the_stores_log", [](const DeviceFolder& d) { return d.StoreFile() + "-wal"; }, "store itself"},
        BadTarget{"missing_folder", [](const DeviceFolder& d) { return d.Root() + "/no/such/backup.db"; },
                  "No such file"},
        BadTarget{"unwritable_folder", [](const DeviceFolder&) { return std::string("/proc/owebook-backup.db"); },
                  "/proc"},
        BadTarget{"a_folder_name", [](const DeviceFolder& d) { return d.Root() + "/"; }, "not a file name"}),
    [](const ::testing::TestParamInfo<BadTarget>& info) { return std::string(info.param.name); });

TEST_F(StoreBackupTest, NoStoreNoBackup)
{
    DeviceFolder empty;
    std::string why;
    EXPECT_FALSE(BackupStoreFile(empty.StoreFile(), empty.Root() + "/backup.db", why));
    EXPECT_NE(why.find("no store"), std::string::npos) << why;
    EXPECT_EQ(access((empty.Root() + "/backup.db").c_str(), F_OK), -1);
}

TEST_F(StoreBackupTest, RestorePutsTheCopyInPlaceAndKeepsTheFormerStoreWithItsLog)
{
    const std::string target = Backup();
    // A writer that ended without closing leaves its last commits in the log.
    ASSERT_EQ(RunInChild([] {
                  CCeDBDatabase db;
                  if (!db.Open(u"Items"))
                      return 3;
                  for (LONG i = 20; i < 30; ++i) {
                      CCeDBRecord rec = Numbered(i);
                      if (db.AddRecord(&rec) == 0)
                          return 4;
                  }
                  _exit(0);
              }),
              0);
    ASSERT_EQ(access((m_device.StoreFile() + "-wal").c_str(), F_OK), 0) << "the log holds the last writes";

    std::string bak, why;
    ASSERT_TRUE(RestoreStoreFile(target, m_device.StoreFile(), bak, why)) << why;
    EXPECT_EQ(ModeOf(m_device.StoreFile()), 0600u);
    for (const char* suffix : {"-wal", "-shm"})
        EXPECT_NE(access((m_device.StoreFile() + suffix).c_str(), F_OK), 0) << "the old " << suffix << " is gone";
    EXPECT_EQ(StoredValues().size(), 20u) << "the backup's items, no more";
    DeviceFolder::Reopen();

    // The kept store, read with its log, has everything it had.
    ASSERT_NE(bak.find(".bak"), std::string::npos);
    EXPECT_EQ(bak.rfind(m_device.StoreFile(), 0), 0u) << "beside the store: " << bak;
    const std::string kept = m_device.Root() + "/kept.db";
    ASSERT_TRUE(BackupStoreFile(bak, kept, why)) << why;
    DeviceFolder other;
    ASSERT_TRUE(RestoreStoreFile(kept, other.StoreFile(), bak, why)) << why;
    EXPECT_EQ(StoredValues().size(), 30u);
}

TEST_F(StoreBackupTest, TwoRestoresInOneSecondKeepTwoBakFiles)
{
    const std::string target = Backup();
    platform::FixedClock clock(1800000000);
    std::string first, second, why;
    ASSERT_TRUE(RestoreStoreFile(target, m_device.StoreFile(), first, why)) << why;
    ASSERT_TRUE(RestoreStoreFile(target, m_device.StoreFile(), second, why)) << why;
    EXPECT_NE(first, second);
    EXPECT_TRUE(VerifyStoreFile(first, why)) << why;
    EXPECT_TRUE(VerifyStoreFile(second, why)) << why;
}

struct BadSource {
    const char* name;
    // Makes the file to restore from, given a good backup of the store.
    std::string (*make)(const std::string& root, const std::string& backup);
    const char* says;
};

void PrintTo(const BadSource& c, std::ostream* os) { *os << c.name; }

class RestoreRefusalTest : public StoreBackupTest, public ::testing::WithParamInterface<BadSource> {};

TEST_P(RestoreRefusalTest, RefusesAndLeavesTheStoreByteIdentical)
{
    const std::string source = GetParam().make(m_device.Root(), Backup());
    // A pending log too: what the store holds must survive the refusal.
    AddValues(100, 105);
    const auto before = FolderBytes(m_device.Home());
    ASSERT_TRUE(before.count("objectstore.db-wal"));

    std::string bak, why;
    EXPECT_FALSE(RestoreStoreFile(source, m_device.StoreFile(), bak, why));
    EXPECT_NE(why.find(GetParam().says), std::string::npos) << why;
    EXPECT_EQ(bak, "");
    EXPECT_TRUE(FolderBytes(m_device.Home()) == before) << "store, log and folder untouched";
}

std::string Write(const std::string& path, const std::string& bytes)
{
    WriteFileBytes(path, bytes);
    return path;
}

INSTANTIATE_TEST_SUITE_P(
    Store, RestoreRefusalTest,
    ::testing::Values(
        BadSource{"text_file",
                  [](const std::string& root, const std::string&) {
                      return Write(root + "/notes.txt", "Type,Name\nIOU,Anna\n");
                  },
                  "not an Owebook store"},
        BadSource{"empty_file", [](const std::string& root, const std::string&) { return Write(root + "/empty", ""); },
                  "not an Owebook store"},
        BadSource{"truncated_store",
                  [](const std::string& root, const std::string& backup) {
                      const std::string bytes = ReadFileBytes(backup);
                      return Write(root + "/half.db", bytes.substr(0, bytes.size() / 2));
                  },
                  "damaged"},
        BadSource{"damaged_page",
                  [](const std::string& root, const std::string& backup) {
                      std::string bytes = ReadFileBytes(backup);
                      for (std::size_t i = 4096 + 8; i < bytes.size() && i < 4096 + 400; ++i)
                          bytes[i] = '\x5a';
                      return Write(root + "/damaged.db", bytes);
                  },
                  "damaged"},
        BadSource{"other_programs_database",
                  [](const std::string& root, const std::string&) {
                      RunSql(root + "/other.db", "CREATE TABLE songs(title TEXT); INSERT INTO songs VALUES('x');");
                      return root + "/other.db";
                  },
                  "another program"},
        BadSource{"newer_store",
                  [](const std::string& root, const std::string& backup) {
                      RunSql(backup, "PRAGMA user_version = 2;");
                      return backup;
                  },
                  "newer version"},
        BadSource{"missing_file", [](const std::string& root, const std::string&) { return root + "/nothing.db"; },
                  "No such file"},
        BadSource{"a_folder", [](const std::string& root, const std::string&) { return root; },
                  "not a regular file"},
        BadSource{"the_store_itself",
                  [](const std::string& root, const std::string&) { return root + "/device/objectstore.db"; },
                  "store itself"}),
    [](const ::testing::TestParamInfo<BadSource>& info) { return std::string(info.param.name); });

}  // namespace
