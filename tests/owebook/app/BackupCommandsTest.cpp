// The command-line commands in-process: which arguments name one, and the
// export's refusal to write over the ledger it exports.

#include "owebook/app/BackupCommands.h"
#include "owebook/data/LedgerTestEnv.h"
#include "platform/store/CCeDBDatabase.h"
#include "platform/store/Device.h"

#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <vector>

namespace {

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class BackupCommandsTest : public LedgerTest {
protected:
    BackupCommandsTest() { EXPECT_TRUE(CCeDBDatabase().Create(u"OwebookMain", 101)); }

    static BOOL Run(std::vector<std::string> args, int& nExitCode)
    {
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        return RunBackupCommand(static_cast<int>(args.size()), argv.data(), nExitCode);
    }

    std::string Folder() const { return platform::DeviceHome(); }
};

TEST_F(BackupCommandsTest, OnlyTheThreeOptionsAreCommands)
{
    struct Case {
        std::vector<std::string> args;
        BOOL command;
        int code;
    };
    const Case cases[] = {
        {{"owebook"}, FALSE, -1},
        {{"owebook", "AppRunAtTime"}, FALSE, -1},
        {{"owebook", "-backup", "x"}, FALSE, -1},
        {{"owebook", "--backup"}, TRUE, 1},
        {{"owebook", "--export-csv", ""}, TRUE, 1},
        {{"owebook", "-platform", "offscreen", "--backup", "/proc/no.db"}, TRUE, 1},
    };
    for (const Case& c : cases) {
        int nExitCode = -1;
        EXPECT_EQ(Run(c.args, nExitCode), c.command) << c.args.back();
        EXPECT_EQ(nExitCode, c.code) << c.args.back();
    }
}

TEST_F(BackupCommandsTest, ExportNeverWritesOverTheLedger)
{
    platform::Store::ReleaseDevice();
    const std::string store = platform::StoreFilePath();
    const std::string before = Bytes(store);
    for (const std::string& target : {store, store + "-wal", Folder() + "/./objectstore.db"})
        EXPECT_FALSE(ExportLedgerCsv(target.c_str())) << target;
    EXPECT_EQ(Bytes(store), before);
}

TEST_F(BackupCommandsTest, ExportToAFileIsPrivateAndWhole)
{
    const std::string target = Folder() + "/items.csv";
    ASSERT_TRUE(ExportLedgerCsv(target.c_str()));
    EXPECT_EQ(Bytes(target), "Type,Category,Name,Amount,Description,Created,Due,Returned,Returned date,Reminder\r\n");
    struct stat st {};
    ASSERT_EQ(stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_FALSE(ExportLedgerCsv((Folder() + "/no/such/folder/items.csv").c_str()));
}

}  // namespace
