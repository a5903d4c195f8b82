// The daily backup: made when the newest is a day old or missing, never
// twice a day, pruned to the newest seven, and reported, not fatal, when it
// cannot be made.

#include "owebook/app/AutoBackup.h"
#include "owebook/data/LedgerTestEnv.h"
#include "platform/store/CCeDBDatabase.h"
#include "platform/store/Device.h"
#include "platform/store/StoreBackup.h"

#include <cstring>
#include <dirent.h>
#include <fstream>
#include <set>
#include <sys/stat.h>
#include <utime.h>

namespace {

constexpr std::int64_t DAY = CAutoBackup::INTERVAL;

class AutoBackupTest : public LedgerTest {
protected:
    AutoBackupTest() : m_folder(platform::DeviceHome() + "/backups"), m_store(platform::StoreFilePath())
    {
        EXPECT_TRUE(CCeDBDatabase().Create(u"Items", 101));
    }

    std::set<std::string> Files() const
    {
        std::set<std::string> names;
        if (DIR* dir = opendir(m_folder.c_str())) {
            while (const dirent* entry = readdir(dir))
                if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                    names.insert(entry->d_name);
            closedir(dir);
        }
        return names;
    }

    BOOL RunAt(std::int64_t now)
    {
        BOOL bMade = FALSE;
        std::string why;
        EXPECT_TRUE(CAutoBackup::Run(m_folder, m_store, now, bMade, why)) << why;
        return bMade;
    }

    std::string m_folder;
    std::string m_store;
};

TEST_F(AutoBackupTest, OncePerDayAtMost)
{
    struct Start {
        std::int64_t offset;  // from TEST_NOW
        BOOL made;
    };
    const Start starts[] = {
        {0, TRUE},                 // none yet
        {0, FALSE},                // same second
        {DAY - 1, FALSE},          // not quite a day
        {DAY, TRUE},               // a day since the last
        {DAY + 3600, FALSE},
        {5 * DAY, TRUE},           // days without a start
        {2 * DAY, TRUE},           // the clock went back: the newest is from the future
    };
    for (const Start& start : starts)
        EXPECT_EQ(RunAt(TEST_NOW + start.offset), start.made) << "at +" << start.offset;
    EXPECT_EQ(Files(), (std::set<std::string>{"owebook-20240310T143000Z.db", "owebook-20240311T143000Z.db",
                                              "owebook-20240312T143000Z.db", "owebook-20240315T143000Z.db"}));
    std::string why;
    for (const std::string& name : Files())
        EXPECT_TRUE(platform::VerifyStoreFile(m_folder + "/" + name, why)) << why;
}

TEST_F(AutoBackupTest, KeepsTheNewestSevenAndNothingElseOfOurs)
{
    std::string why;
    ASSERT_TRUE(platform::MakeFolder(m_folder, why)) << why;
    std::ofstream(m_folder + "/my-notes.txt") << "not ours";
    std::ofstream(m_folder + "/owebook-20240399T000000Z.db") << "not a date";
    // What a backup cut short leaves: old ones go, a fresh one may be under way.
    std::ofstream(m_folder + "/.owebook-20240301T000000Z.db.abc123") << "half";
    std::ofstream(m_folder + "/.owebook-20240310T000000Z.db.def456") << "under way";
    utimbuf old{TEST_NOW - 3 * DAY, TEST_NOW - 3 * DAY};
    utime((m_folder + "/.owebook-20240301T000000Z.db.abc123").c_str(), &old);
    utimbuf recent{TEST_NOW + 9 * DAY, TEST_NOW + 9 * DAY};
    utime((m_folder + "/.owebook-20240310T000000Z.db.def456").c_str(), &recent);

    for (int day = 0; day < 10; ++day)
        EXPECT_TRUE(RunAt(TEST_NOW + day * DAY));

    std::set<std::string> expected = {"my-notes.txt", "owebook-20240399T000000Z.db",
                                      ".owebook-20240310T000000Z.db.def456"};
    for (int day = 3; day < 10; ++day)
        expected.insert(CAutoBackup::FileName(TEST_NOW + day * DAY));
    EXPECT_EQ(Files(), expected);
}

TEST_F(AutoBackupTest, FailureIsReportedAndLeavesNoFile)
{
    BOOL bMade = TRUE;
    std::string why;
    EXPECT_FALSE(CAutoBackup::Run(m_folder, m_store + ".missing", TEST_NOW, bMade, why));
    EXPECT_FALSE(bMade);
    EXPECT_NE(why.find("no store"), std::string::npos) << why;
    EXPECT_TRUE(Files().empty());

    std::ofstream(platform::DeviceHome() + "/file-not-folder") << "x";
    EXPECT_FALSE(CAutoBackup::Run(platform::DeviceHome() + "/file-not-folder", m_store, TEST_NOW, bMade, why));
    EXPECT_NE(why.find("not a folder"), std::string::npos) << why;
}

TEST_F(AutoBackupTest, StartedOnItsOwnThreadAndWaitedFor)
{
    CAutoBackup backup;
    backup.Start();
    backup.Wait();
    EXPECT_EQ(Files(), (std::set<std::string>{CAutoBackup::FileName(TEST_NOW)}));
    struct stat st {};
    ASSERT_EQ(stat(m_folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(stat((m_folder + "/" + CAutoBackup::FileName(TEST_NOW)).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(AutoBackupNameTest, OnlyOurNamesWithRealDatesCount)
{
    const std::pair<const char*, std::int64_t> cases[] = {
        {"owebook-20240310T143000Z.db", TEST_NOW},
        {"owebook-19700101T000000Z.db", 0},
        {"owebook-20240230T000000Z.db", -1},
        {"owebook-20240310T246000Z.db", -1},
        {"owebook-20240310T143000Z.db.bak", -1},
        {"owebook-2024031XT143000Z.db", -1},
        {"other-20240310T143000Z.db", -1},
        {".owebook-20240310T143000Z.db", -1},
    };
    for (const auto& [name, time] : cases)
        EXPECT_EQ(CAutoBackup::TimeOfName(name), time) << name;
    EXPECT_EQ(CAutoBackup::TimeOfName(CAutoBackup::FileName(TEST_NOW)), TEST_NOW);
}

}  // namespace
