// The object store under load: 100,000 item-like records written as new,
// read by object id and enumerated, the enumeration measured side by side
// with one raw SQLite statement over the same rows; and equality seeks on
// sorted databases of growing size.
//
// The large databases live on tmpfs (/dev/shm) when there is one, so that
// filling them does not wait for 100,000 flushes to disk; BM_WriteNew runs
// on both, and its disk figure is the cost of a durable write.

#include "platform/store/CCeDBDatabase.h"
#include "platform/store/Store.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ftw.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kItems = 100000;
constexpr double kRatioLimit = 3.0;

std::vector<std::string> g_folders;

// A fresh device folder below `parent`, removed at exit.
void UseDeviceIn(const char* parent)
{
    std::string pattern = std::string(parent) + "/owebook-bench-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    g_folders.push_back(pattern);
    setenv("OWEBOOK_HOME", pattern.c_str(), 1);
    platform::Store::ReleaseDevice();
}

void UseHome(const std::string& home)
{
    setenv("OWEBOOK_HOME", home.c_str(), 1);
}

const char* FastFolder()
{
    struct stat st {};
    return stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) && access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
}

void RemoveFolders()
{
    platform::Store::ReleaseDevice();
    for (const std::string& folder : g_folders)
        nftw(folder.c_str(), [](const char* path, const struct stat*, int, FTW*) { return ::remove(path); }, 16,
             FTW_DEPTH | FTW_PHYS);
}

CCeDBRecord ItemRecord(int n)
{
    static const BYTE reminder[8] = {1, 0, 0, 0, 2, 1, 0, 0};
    static const BYTE alarm[16] = {0xE8, 0x07, 5, 0, 2, 0, 14, 0, 9, 0, 30, 0, 0, 0, 0, 0};
    static const BYTE snooze[8] = {0, 0, 0, 0, 5, 0, 0, 0};
    std::u16string name = u"Person " + std::u16string(1, static_cast<char16_t>(u'A' + n % 26));
    CCeDBRecord rec;
    rec.AddProp(CCeDBProp(static_cast<LONG>(n % 7), 101));
    rec.AddProp(CCeDBProp(static_cast<SHORT>(1 + n % 2), 102));
    rec.AddProp(CCeDBProp(name.c_str(), 103));
    rec.AddProp(CCeDBProp(10.0 + n, 104));
    rec.AddProp(CCeDBProp(u"Gave him money for the concert tickets", 105));
    rec.AddProp(CCeDBProp(n % 3 == 0, 106));
    rec.AddProp(CCeDBProp(static_cast<ULONG>(0), 107));
    rec.AddProp(CCeDBProp(static_cast<ULONG>(1700000000 + n), 108));
    rec.AddProp(CCeDBProp(static_cast<ULONG>(1710000000 + n), 109));
    rec.AddProp(CCeDBProp(CEBLOB{8, const_cast<BYTE*>(reminder)}, 110));
    rec.AddProp(CCeDBProp(CEBLOB{16, const_cast<BYTE*>(alarm)}, 111));
    rec.AddProp(CCeDBProp(CEBLOB{8, const_cast<BYTE*>(snooze)}, 112));
    return rec;
}

// The record object a reader fills: the twelve typed properties, no values.
CCeDBRecord ItemShape()
{
    CCeDBRecord rec = ItemRecord(0);
    for (WORD i = 0; i < rec.GetNumProps(); ++i)
        rec[i]->Empty();
    return rec;
}

struct Fixture {
    std::string home;
    std::string storeFile;
    CEOID itemsDb = 0;
    std::vector<CEOID> ids;
    double fillSeconds = 0;
};
Fixture g_items;

void FillItems()
{
    UseDeviceIn(FastFolder());
    CCeDBDatabase db;
    if (!db.Create(u"OwebookMain", 101) || !db.Open(u"OwebookMain")) {
        std::fprintf(stderr, "cannot create the items database\n");
        std::exit(1);
    }
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kItems; ++i) {
        CCeDBRecord rec = ItemRecord(i);
        CEOID oid = db.AddRecord(&rec);
        if (!oid) {
            std::fprintf(stderr, "write %d failed\n", i);
            std::exit(1);
        }
        g_items.ids.push_back(oid);
    }
    g_items.fillSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    g_items.itemsDb = db.GetDatabaseID();
    g_items.home = std::getenv("OWEBOOK_HOME");
    g_items.storeFile = g_items.home + "/objectstore.db";
}

void BM_WriteNew(benchmark::State& state)
{
    UseDeviceIn(state.range(0) ? FastFolder() : "/tmp");
    CCeDBDatabase db;
    db.Create(u"Writes", 101);
    db.Open(u"Writes");
    CCeDBRecord rec = ItemRecord(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(db.AddRecord(&rec));
    state.SetLabel(state.range(0) ? "tmpfs" : "disk, flushed per write");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteNew)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ReadById(benchmark::State& state)
{
    UseHome(g_items.home);
    CCeDBDatabase db;
    db.Open(u"OwebookMain");
    CCeDBRecord rec = ItemShape();
    std::mt19937 random(42);
    std::uniform_int_distribution<size_t> pick(0, g_items.ids.size() - 1);
    for (auto _ : state) {
        if (!db.SeekToRecord(g_items.ids[pick(random)]) || !db.ReadCurrRecord(&rec))
            state.SkipWithError("read failed");
    }
    state.SetItemsProcessed(state.iterations());
}

// One pass over every item: SeekFirst, SeekNext and ReadCurrRecord.
size_t Enumerate(CCeDBDatabase& db, CCeDBRecord& rec)
{
    size_t count = 0;
    for (CEOID oid = db.SeekFirst(); oid; oid = db.SeekNext()) {
        db.ReadCurrRecord(&rec);
        ++count;
    }
    return count;
}

// One pass over the same rows with a single raw statement, touching each
// record's bytes.
size_t RawScan(sqlite3* handle)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(handle, "SELECT oid, props FROM records WHERE db = ?1 ORDER BY sortkey, oid", -1, &stmt,
                       nullptr);
    sqlite3_bind_int64(stmt, 1, g_items.itemsDb);
    size_t count = 0, bytes = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const auto* data = static_cast<const unsigned char*>(sqlite3_column_blob(stmt, 1));
        int size = sqlite3_column_bytes(stmt, 1);
        bytes += size + (size ? data[size - 1] : 0) + sqlite3_column_int64(stmt, 0);
        ++count;
    }
    sqlite3_finalize(stmt);
    benchmark::DoNotOptimize(bytes);
    return count;
}

sqlite3* OpenRaw()
{
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(g_items.storeFile.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "cannot open %s\n", g_items.storeFile.c_str());
        std::exit(1);
    }
    return handle;
}

void BM_Enumerate(benchmark::State& state)
{
    UseHome(g_items.home);
    CCeDBDatabase db;
    db.Open(u"OwebookMain");
    CCeDBRecord rec = ItemShape();
    for (auto _ : state) {
        if (Enumerate(db, rec) != static_cast<size_t>(kItems))
            state.SkipWithError("enumeration missed records");
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}

void BM_RawScan(benchmark::State& state)
{
    sqlite3* handle = OpenRaw();
    for (auto _ : state) {
        if (RawScan(handle) != static_cast<size_t>(kItems))
            state.SkipWithError("scan missed rows");
    }
    sqlite3_close(handle);
    state.SetItemsProcessed(state.iterations() * kItems);
}

// Equality seeks on a sorted database of `range(0)` distinct names: the time
// per seek stays flat as the database grows when the index is used.
void BM_SeekFirstEqual(benchmark::State& state)
{
    static std::string home;
    if (home.empty()) {
        UseDeviceIn(FastFolder());
        home = std::getenv("OWEBOOK_HOME");
    }
    UseHome(home);
    const int size = static_cast<int>(state.range(0));
    std::u16string dbName = u"Names" + std::u16string(1, static_cast<char16_t>(u'0' + size % 7));
    SORTORDERSPEC order{MAKEPROP(101, CEVT_LPWSTR), 0};
    std::vector<std::u16string> names;
    for (int i = 0; i < size; ++i) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "name %07d", (i * 7919) % size);
        names.emplace_back(buffer, buffer + std::char_traits<char>::length(buffer));
    }
    CCeDBDatabase db;
    if (!CCeDBDatabase::Exists(dbName.c_str())) {
        db.Create(dbName.c_str(), 103, 1, &order);
        db.Open(dbName.c_str(), &order);
        for (const auto& name : names) {
            CCeDBRecord rec;
            rec.AddProp(CCeDBProp(name.c_str(), 101));
            rec.AddProp(CCeDBProp(true, 102));
            db.AddRecord(&rec);
        }
    }
    db.Open(dbName.c_str(), &order);
    std::mt19937 random(7);
    std::uniform_int_distribution<size_t> pick(0, names.size() - 1);
    for (auto _ : state) {
        CCeDBProp value(names[pick(random)].c_str(), 101);
        if (!db.SeekFirstEqual(value))
            state.SkipWithError("name not found");
    }
    state.SetComplexityN(size);
}
BENCHMARK(BM_SeekFirstEqual)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity()->Unit(benchmark::kMicrosecond);

// Both passes alternately, best of each, so that the ratio compares like
// with like in the same run.
double EnumerationRatio(double& enumerateMs, double& rawMs)
{
    CCeDBDatabase db;
    db.Open(u"OwebookMain");
    CCeDBRecord rec = ItemShape();
    sqlite3* handle = OpenRaw();
    enumerateMs = rawMs = 1e300;
    for (int round = 0; round < 7; ++round) {
        auto t0 = std::chrono::steady_clock::now();
        Enumerate(db, rec);
        auto t1 = std::chrono::steady_clock::now();
        RawScan(handle);
        auto t2 = std::chrono::steady_clock::now();
        enumerateMs = std::min(enumerateMs, std::chrono::duration<double, std::milli>(t1 - t0).count());
        rawMs = std::min(rawMs, std::chrono::duration<double, std::milli>(t2 - t1).count());
    }
    sqlite3_close(handle);
    return enumerateMs / rawMs;
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    FillItems();
    std::printf("filled %d item records as new in %.2f s (%.1f us each, tmpfs: %s)\n", kItems, g_items.fillSeconds,
                g_items.fillSeconds * 1e6 / kItems, std::string(FastFolder()) == "/dev/shm" ? "yes" : "no");

    // The item benchmarks need the filled store; registered after filling.
    benchmark::RegisterBenchmark("BM_ReadById", BM_ReadById)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BM_Enumerate", BM_Enumerate)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_RawScan", BM_RawScan)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    UseHome(g_items.home);
    double enumerateMs = 0, rawMs = 0;
    double ratio = EnumerationRatio(enumerateMs, rawMs);
    std::printf("enumeration of %d records: SeekFirst/SeekNext + ReadCurrRecord %.1f ms, raw SQLite scan %.1f ms, "
                "ratio %.2fx (limit %.1fx)\n",
                kItems, enumerateMs, rawMs, ratio, kRatioLimit);
    RemoveFolders();
    return ratio <= kRatioLimit ? 0 : 1;
}
