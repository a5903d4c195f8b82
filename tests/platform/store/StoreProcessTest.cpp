#include "DeviceFolder.h"

#include "platform/store/CCeDBDatabase.h"

#include <csignal>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>

namespace {

class StoreProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CCeDBDatabase().Create(u"Shared", 101));
        DeviceFolder::Reopen();  // no connection may cross the forks below
    }

    static CCeDBRecord Numbered(LONG value)
    {
        CCeDBRecord rec;
        rec.AddProp(CCeDBProp(value, 101));
        rec.AddProp(CCeDBProp(u"written by a child process", 103));
        return rec;
    }

    static std::vector<LONG> StoredValues()
    {
        std::vector<LONG> values;
        CCeDBDatabase db;
        EXPECT_TRUE(db.Open(u"Shared"));
        CCeDBRecord rec = Numbered(0);
        for (CEOID oid = db.SeekFirst(); oid; oid = db.SeekNext())
            if (db.ReadCurrRecord(&rec))
                values.push_back(rec[0]->GetLong());
        return values;
    }

    DeviceFolder m_device;
};

TEST_F(StoreProcessTest, TwoProcessesWriteTheSameStoreAtOnce)
{
    constexpr int kRecords = 150;
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    pid_t children[2];
    for (int child = 0; child < 2; ++child) {
        children[child] = fork();
        if (children[child] == 0) {
            // Whatever the store says goes to a file the parent reads.
            int err = ::open((m_device.Root() + "/stderr" + std::to_string(child)).c_str(),
                             O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(err, 2);
            char go;
            if (read(start[0], &go, 1) != 1)
                _exit(2);
            CCeDBDatabase db;
            if (!db.Open(u"Shared"))
                _exit(3);
            for (int i = 0; i < kRecords; ++i) {
                CCeDBRecord rec = Numbered(child * 1000 + i);
                CEOID oid = db.AddRecord(&rec);
                if (oid == 0)
                    _exit(4);
                // Interleave reads and write-overs with the other process's writes.
                if (i % 10 == 0 && !(db.SeekToRecord(oid) && db.WriteCurrRecord(&rec) && db.ReadCurrRecord(&rec)))
                    _exit(5);
            }
            _exit(0);
        }
    }
    ASSERT_EQ(write(start[1], "go", 2), 2);
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    }
    close(start[0]);
    close(start[1]);
    for (int child = 0; child < 2; ++child)
        EXPECT_EQ(ReadFileBytes(m_device.Root() + "/stderr" + std::to_string(child)), "");

    std::vector<LONG> values = StoredValues();
    std::multiset<LONG> seen(values.begin(), values.end());
    ASSERT_EQ(values.size(), 2u * kRecords);
    for (int child = 0; child < 2; ++child)
        for (int i = 0; i < kRecords; ++i)
            EXPECT_EQ(seen.count(child * 1000 + i), 1u);
}

TEST_F(StoreProcessTest, AcknowledgedWritesSurviveTheProcessBeingKilled)
{
    int acks = -1;
    const pid_t pid = StartAcknowledgingWriter(u"Shared", 0, Numbered, acks);
    ASSERT_GT(pid, 0);
    LONG acknowledged = -1, value = 0;
    while (acknowledged < 40 && read(acks, &value, sizeof value) == sizeof value)
        acknowledged = value;
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    close(acks);
    ASSERT_TRUE(WIFSIGNALED(status));

    // The writes are in the log, not yet in the file itself.
    struct stat wal {};
    ASSERT_EQ(stat((m_device.StoreFile() + "-wal").c_str(), &wal), 0);
    EXPECT_GT(wal.st_size, 0);
    std::vector<LONG> values = StoredValues();
    ASSERT_GE(values.size(), static_cast<size_t>(acknowledged + 1));
    for (LONG i = 0; i <= acknowledged; ++i)
        EXPECT_EQ(values[i], i);
}

}  // namespace
