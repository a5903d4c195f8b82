#include "DeviceFolder.h"

#include "platform/store/CCeDBDatabase.h"

#include <sqlite3.h>

#include <csignal>
#include <cstdio>
#include <map>
#include <poll.h>
#include <random>
#include <sstream>

namespace {

// Every property of a record follows from one number, so that a record
// mixing two writes shows.
CCeDBRecord RecordFor(LONG serial)
{
    CCeDBRecord rec;
    rec.AddProp(CCeDBProp(serial, 101));
    std::u16string text(static_cast<size_t>(serial % 700), static_cast<char16_t>(u'a' + serial % 26));
    rec.AddProp(CCeDBProp(text.c_str(), 102));
    std::vector<BYTE> bytes(static_cast<size_t>(serial * 7 % 3000), static_cast<BYTE>(serial));
    rec.AddProp(CCeDBProp(CEBLOB{static_cast<DWORD>(bytes.size()), bytes.data()}, 103));
    rec.AddProp(CCeDBProp(serial * 0.5, 104));
    return rec;
}

CCeDBRecord EmptyRecord()
{
    CCeDBRecord rec;
    rec.AddProp(CCeDBProp(CCeDBProp::Type_Long, 101));
    rec.AddProp(CCeDBProp(CCeDBProp::Type_String, 102));
    rec.AddProp(CCeDBProp(CCeDBProp::Type_Blob, 103));
    rec.AddProp(CCeDBProp(CCeDBProp::Type_Double, 104));
    return rec;
}

bool Whole(const CCeDBRecord& rec)
{
    CCeDBRecord expected = RecordFor(rec[0]->GetLong());
    for (WORD i = 0; i < 4; ++i)
        if (!rec[i]->HasValue() || !(*rec[i] == *expected[i]))
            return false;
    return true;
}

// The child: new records and write-overs, without end, each one told on
// the pipe only after it was committed.
[[noreturn]] void Writer(int out, LONG firstSerial, unsigned seed)
{
    std::mt19937 random(seed);
    CCeDBDatabase db;
    if (!db.Open(u"Crash"))
        _exit(2);
    std::vector<CEOID> known;
    for (CEOID oid = db.SeekFirst(); oid; oid = db.SeekNext())
        known.push_back(oid);
    for (LONG serial = firstSerial;; ++serial) {
        CCeDBRecord rec = RecordFor(serial);
        CEOID oid = 0;
        if (known.empty() || random() % 3 == 0) {
            oid = db.AddRecord(&rec);
            if (oid)
                known.push_back(oid);
        } else {
            oid = known[random() % known.size()];
            if (!db.SeekToRecord(oid) || !db.WriteCurrRecord(&rec))
                oid = 0;
        }
        if (oid == 0)
            _exit(3);
        char line[64];
        int length = std::snprintf(line, sizeof line, "%u %ld\n", static_cast<unsigned>(oid), static_cast<long>(serial));
        if (write(out, line, static_cast<size_t>(length)) != length)
            _exit(4);
    }
}

TEST(StoreCrash, KilledWriterLosesNothingItAcknowledged)
{
    constexpr int kKills = 30;
    constexpr int kMinimumWrites = 1000;
    DeviceFolder device;
    ASSERT_TRUE(CCeDBDatabase().Create(u"Crash"));
    DeviceFolder::Reopen();

    std::mt19937 random(20261206);
    std::map<CEOID, LONG> acknowledged;  // oid -> last serial the child confirmed
    LONG serial = 1;
    int writes = 0, kills = 0;
    while (kills < kKills || writes < kMinimumWrites) {
        int pipeFds[2];
        ASSERT_EQ(pipe(pipeFds), 0);
        platform::Store::ReleaseDevice();
        pid_t child = fork();
        if (child == 0) {
            close(pipeFds[0]);
            Writer(pipeFds[1], serial, random());
        }
        close(pipeFds[1]);
        // Kill after a random number of confirmed writes, at a random moment
        // inside the next ones.
        int target = 20 + static_cast<int>(random() % 50);
        std::string pending;
        int seen = 0;
        bool ended = false;
        auto take = [&](int timeoutMs) {
            pollfd p{pipeFds[0], POLLIN, 0};
            if (poll(&p, 1, timeoutMs) <= 0)
                return false;
            char buffer[4096];
            ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
            if (got <= 0) {
                ended = true;
                return false;
            }
            pending.append(buffer, static_cast<size_t>(got));
            size_t end;
            while ((end = pending.find('\n')) != std::string::npos) {
                std::istringstream line(pending.substr(0, end));
                pending.erase(0, end + 1);
                unsigned oid = 0;
                long confirmed = 0;
                line >> oid >> confirmed;
                acknowledged[oid] = static_cast<LONG>(confirmed);
                serial = std::max(serial, static_cast<LONG>(confirmed) + 1);
                ++seen;
            }
            return true;
        };
        while (seen < target && !ended && take(20000)) {
        }
        ASSERT_FALSE(ended) << "the writer stopped by itself";
        usleep(static_cast<useconds_t>(random() % 3000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
        while (take(0)) {
        }
        close(pipeFds[0]);
        // Writes after the last confirmed one may or may not be there.
        serial += 10;
        writes += seen;
        ++kills;

        sqlite3* handle = nullptr;
        ASSERT_EQ(sqlite3_open_v2(device.StoreFile().c_str(), &handle, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        sqlite3_stmt* stmt = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(handle, "PRAGMA integrity_check", -1, &stmt, nullptr), SQLITE_OK);
        ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
        EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "ok") << "after kill " << kills;
        sqlite3_finalize(stmt);
        sqlite3_close(handle);

        CCeDBDatabase db;
        ASSERT_TRUE(db.Open(u"Crash"));
        CCeDBRecord rec = EmptyRecord();
        size_t stored = 0;
        for (CEOID oid = db.SeekFirst(); oid; oid = db.SeekNext(), ++stored) {
            ASSERT_TRUE(db.ReadCurrRecord(&rec));
            ASSERT_TRUE(Whole(rec)) << "record " << oid << " is half-written after kill " << kills;
        }
        EXPECT_GE(stored, acknowledged.size());
        for (const auto& [oid, confirmed] : acknowledged) {
            ASSERT_TRUE(db.SeekToRecord(oid)) << "lost record " << oid << " after kill " << kills;
            ASSERT_TRUE(db.ReadCurrRecord(&rec));
            // A later write the child had no time to confirm may be there instead.
            EXPECT_GE(rec[0]->GetLong(), confirmed) << "record " << oid << " went back after kill " << kills;
            if (rec[0]->GetLong() != confirmed) {
                EXPECT_LT(rec[0]->GetLong(), serial) << "record " << oid;
            }
        }
    }
    ::testing::Test::RecordProperty("kills", kills);
    ::testing::Test::RecordProperty("acknowledged_writes", writes);
    ::testing::Test::RecordProperty("records", static_cast<int>(acknowledged.size()));
    std::printf("crash test: %d kills, %d acknowledged writes, %zu records\n", kills, writes, acknowledged.size());
    EXPECT_GE(writes, kMinimumWrites);
}

}  // namespace
