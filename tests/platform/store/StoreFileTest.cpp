#include "DeviceFolder.h"

#include "platform/store/CCeDBDatabase.h"

#include <gmock/gmock.h>
#include <sqlite3.h>

#include <functional>
#include <sys/stat.h>

namespace {

using testing::HasSubstr;

// A store file with enough records to span many pages, closed cleanly.
std::string ValidStoreBytes()
{
    DeviceFolder device;
    CCeDBDatabase db;
    EXPECT_TRUE(db.Create(u"OwebookMain", 101));
    EXPECT_TRUE(db.Open(u"OwebookMain"));
    std::u16string text(200, u'x');
    for (int i = 0; i < 300; ++i) {
        CCeDBRecord rec;
        rec.AddProp(CCeDBProp(text.c_str(), 103));
        EXPECT_NE(db.AddRecord(&rec), 0u);
    }
    db.Close();
    DeviceFolder::Reopen();
    return ReadFileBytes(device.StoreFile());
}

std::string ForeignDatabaseBytes(const std::string& folder)
{
    std::string path = folder + "/foreign.db";
    sqlite3* handle = nullptr;
    sqlite3_open(path.c_str(), &handle);
    sqlite3_exec(handle, "CREATE TABLE t(x); INSERT INTO t VALUES(1);", nullptr, nullptr, nullptr);
    sqlite3_close(handle);
    return ReadFileBytes(path);
}

TEST(StoreFile, BadFileIsRefusedWithItsNameAndLeftUnchanged)
{
    const std::string valid = ValidStoreBytes();
    ASSERT_GT(valid.size(), 16u * 4096);
    std::string corrupt = valid;
    std::fill(corrupt.begin() + 8 * 4096, corrupt.begin() + 9 * 4096, '\xA5');
    std::string foreign;
    {
        DeviceFolder scratch;
        foreign = ForeignDatabaseBytes(scratch.Root());
    }

    struct Case {
        const char* what;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"text", "this is not a database\n", "not a database"},
        {"zeros", std::string(8192, '\0'), "not a database"},
        {"header only", valid.substr(0, 60), "not a database"},
        {"truncated", valid.substr(0, valid.size() / 2 / 4096 * 4096), "truncated"},
        {"cut mid-page", valid.substr(0, valid.size() - 100), "truncated"},
        {"corrupt page", corrupt, "damaged"},
        {"another program's", foreign, "another program"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeviceFolder device;
        ASSERT_EQ(mkdir(device.Home().c_str(), 0700), 0);
        WriteFileBytes(device.StoreFile(), c.bytes);

        testing::internal::CaptureStderr();
        CCeDBDatabase db;
        EXPECT_FALSE(CCeDBDatabase::Exists(u"OwebookMain"));
        EXPECT_FALSE(db.Open(u"OwebookMain"));
        EXPECT_FALSE(db.Create(u"OwebookMain", 101));
        EXPECT_FALSE(CCeDBDatabase::DeleteDatabase(u"OwebookMain"));
        std::string message = testing::internal::GetCapturedStderr();
        EXPECT_THAT(message, HasSubstr(device.StoreFile()));
        EXPECT_THAT(message, HasSubstr(c.reason));
        EXPECT_EQ(message.find("owebook:"), message.rfind("owebook:")) << "said more than once";

        DeviceFolder::Reopen();
        EXPECT_TRUE(ReadFileBytes(device.StoreFile()) == c.bytes) << "the file was changed";
    }
}

TEST(StoreFile, FolderThatCannotBeMadeFailsCleanly)
{
    DeviceFolder device;
    WriteFileBytes(device.Root() + "/file", "in the way");
    setenv("OWEBOOK_HOME", (device.Root() + "/file/device").c_str(), 1);
    testing::internal::CaptureStderr();
    CCeDBDatabase db;
    EXPECT_FALSE(db.Create(u"X"));
    EXPECT_FALSE(db.Open(u"X"));
    EXPECT_THAT(testing::internal::GetCapturedStderr(), HasSubstr("cannot create its folder"));
}

TEST(StoreFile, DamagedRecordFailsToReadAndIsLeftAlone)
{
    DeviceFolder device;
    CCeDBDatabase db;
    ASSERT_TRUE(db.Create(u"Main"));
    ASSERT_TRUE(db.Open(u"Main"));
    CCeDBRecord rec;
    rec.AddProp(CCeDBProp(u"fine", 1));
    CEOID before = db.AddRecord(&rec);
    CEOID damaged = db.AddRecord(&rec);
    CEOID after = db.AddRecord(&rec);
    // Another writer leaves a property whose size runs past the record's end.
    sqlite3* handle = nullptr;
    ASSERT_EQ(sqlite3_open(device.StoreFile().c_str(), &handle), SQLITE_OK);
    std::string sql = "UPDATE records SET props = X'011f000100ff000000' WHERE oid = " + std::to_string(damaged);
    ASSERT_EQ(sqlite3_exec(handle, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(handle);

    testing::internal::CaptureStderr();
    std::vector<CEOID> readable;
    for (CEOID oid = db.SeekFirst(); oid; oid = db.SeekNext())
        if (db.ReadCurrRecord(&rec))
            readable.push_back(oid);
    EXPECT_EQ(readable, (std::vector<CEOID>{before, after}));
    ASSERT_TRUE(db.SeekToRecord(damaged));
    EXPECT_FALSE(db.WriteCurrRecord(&rec));
    EXPECT_THAT(testing::internal::GetCapturedStderr(), HasSubstr("damaged record"));
    EXPECT_TRUE(db.DeleteCurrRecord());  // it can still be removed
}

// Runs `scenario` without write access to the device folder: as an ordinary
// user in a child process when the tests run as root.
int WithoutWriteAccess(const DeviceFolder& device, const std::function<int()>& scenario)
{
    chmod(device.Root().c_str(), 0755);
    chmod(device.Home().c_str(), 0555);
    int status = RunInChild([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            return 99;
        return scenario();
    });
    chmod(device.Home().c_str(), 0700);
    return status;
}

TEST(StoreFile, ReadOnlyFolderFailsCleanlyAndKeepsTheData)
{
    DeviceFolder device;
    ASSERT_EQ(mkdir(device.Home().c_str(), 0700), 0);
    // No store yet: nothing can be created.
    EXPECT_EQ(WithoutWriteAccess(device, [] {
        CCeDBDatabase db;
        return !db.Create(u"X") && !CCeDBDatabase::Exists(u"X") && !db.Open(u"X") ? 0 : 1;
    }), 0);

    // A store with a record, readable but not writable: every call fails,
    // nothing is lost.
    CEOID oid = 0;
    {
        CCeDBDatabase db;
        ASSERT_TRUE(db.Create(u"Kept"));
        ASSERT_TRUE(db.Open(u"Kept"));
        CCeDBRecord rec;
        rec.AddProp(CCeDBProp(u"precious", 1));
        oid = db.AddRecord(&rec);
        ASSERT_NE(oid, 0u);
    }
    DeviceFolder::Reopen();
    chmod(device.StoreFile().c_str(), 0644);
    std::string before = ReadFileBytes(device.StoreFile());
    EXPECT_EQ(WithoutWriteAccess(device, [] {
        CCeDBDatabase db;
        CCeDBRecord rec;
        rec.AddProp(CCeDBProp(u"other", 1));
        bool wrote = db.Open(u"Kept") && db.AddRecord(&rec) != 0;
        return !wrote && !CCeDBDatabase::DeleteDatabase(u"Kept") ? 0 : 1;
    }), 0);
    EXPECT_EQ(ReadFileBytes(device.StoreFile()), before);
    CCeDBDatabase db;
    ASSERT_TRUE(db.Open(u"Kept"));
    CCeDBRecord rec;
    rec.AddProp(CCeDBProp(CCeDBProp::Type_String, 1));
    ASSERT_TRUE(db.SeekToRecord(oid));
    ASSERT_TRUE(db.ReadCurrRecord(&rec));
    EXPECT_EQ(std::u16string(rec[0]->GetString()), u"precious");
}

}  // namespace
