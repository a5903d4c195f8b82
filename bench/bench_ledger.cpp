// The ledger under load: 100,000 items in "OwebookMain" read through the
// document's ReadFirstItem / ReadNextItem, side by side with one raw SQLite
// statement over the same rows; and the name list built over 10,000 and
// 100,000 items that use 500 distinct names.
//
// The devices live on tmpfs (/dev/shm) when there is one, so that filling
// them does not wait for a flush per record.

#include "owebook/data/OwebookDoc.h"
#include "owebook/res/ResourceTables.h"
#include "platform/store/Store.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ftw.h>
#include <map>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kItems = 100000;
constexpr int kNames = 500;
constexpr double kRatioLimit = 4.0;

std::vector<std::string> g_folders;

const char* FastFolder()
{
    struct stat st {};
    return stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) && access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
}

void UseHome(const std::string& home)
{
    platform::Store::ReleaseDevice();
    setenv("OWEBOOK_HOME", home.c_str(), 1);
}

void RemoveFolders()
{
    platform::Store::ReleaseDevice();
    for (const std::string& folder : g_folders)
        nftw(folder.c_str(), [](const char* path, const struct stat*, int, FTW*) { return ::remove(path); }, 16,
             FTW_DEPTH | FTW_PHYS);
}

CString NameOf(int n)
{
    CString name;
    name.Format(u"Person %03d", n % kNames);
    return name;
}

// A device with `count` items, filled straight through the database.
std::string MakeDevice(int count)
{
    std::string home = std::string(FastFolder()) + "/owebook-ledger-bench-XXXXXX";
    if (!mkdtemp(home.data())) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    g_folders.push_back(home);
    UseHome(home);
    CItemDatabase db;
    if (!db.Create(ITEMS_DATABASE, ITEMS_DATABASE_TYPE) || !db.Open(ITEMS_DATABASE)) {
        std::fprintf(stderr, "cannot create the items database\n");
        std::exit(1);
    }
    CItemRecord item;
    item.SetDefaults();
    item.SetDescription(u"Gave him money for the concert tickets");
    for (int i = 0; i < count; ++i) {
        item.SetName(NameOf(i * 7919));
        item.SetType(static_cast<SHORT>(1 + i % 2));
        item.SetAmount(10.0 + i);
        item.SetDueDate(1710000000u + static_cast<DWORD>(i));
        if (!db.AddRecord(&item)) {
            std::fprintf(stderr, "write %d failed\n", i);
            std::exit(1);
        }
    }
    return home;
}

std::map<int, std::string> g_devices;  // item count -> device folder

// The document of a device, opened as at a start.
class CBenchDoc : public COwebookDoc {
public:
    void ForgetNames()
    {
        m_names.clear();
        m_nameIndex.clear();
    }
};

std::unique_ptr<CBenchDoc> OpenDocument(int count)
{
    UseHome(g_devices.at(count));
    auto doc = std::make_unique<CBenchDoc>();
    if (!doc->OnNewDocument()) {
        std::fprintf(stderr, "the document did not open\n");
        std::exit(1);
    }
    return doc;
}

size_t ReadAllItems(COwebookDoc& doc, CItemRecord& item)
{
    size_t count = 0;
    for (CEOID oid = doc.ReadFirstItem(item); oid; oid = doc.ReadNextItem(item))
        ++count;
    return count;
}

// The same rows by one raw statement, touching each record's bytes.
size_t RawScan(sqlite3* handle, CEOID db)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(handle, "SELECT oid, props FROM records WHERE db = ?1 ORDER BY sortkey, oid", -1, &stmt,
                       nullptr);
    sqlite3_bind_int64(stmt, 1, db);
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

sqlite3* OpenRaw(int count)
{
    std::string file = g_devices.at(count) + "/objectstore.db";
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(file.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "cannot open %s\n", file.c_str());
        std::exit(1);
    }
    return handle;
}

void BM_ReadItems(benchmark::State& state)
{
    auto doc = OpenDocument(kItems);
    CItemRecord item;
    for (auto _ : state) {
        if (ReadAllItems(*doc, item) != static_cast<size_t>(kItems))
            state.SkipWithError("items missed");
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}

void BM_RawScan(benchmark::State& state)
{
    auto doc = OpenDocument(kItems);
    sqlite3* handle = OpenRaw(kItems);
    for (auto _ : state) {
        if (RawScan(handle, doc->m_dbItems.GetDatabaseID()) != static_cast<size_t>(kItems))
            state.SkipWithError("rows missed");
    }
    sqlite3_close(handle);
    state.SetItemsProcessed(state.iterations() * kItems);
}

void BM_BuildNameList(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    auto doc = OpenDocument(count);
    for (auto _ : state) {
        doc->ForgetNames();
        doc->BuildNameList();
        if (doc->GetNames().size() != static_cast<size_t>(std::min(count, kNames)))
            state.SkipWithError("names missed");
    }
    state.SetComplexityN(count);
    state.SetItemsProcessed(state.iterations() * count);
}

// Both passes alternately, best of each, so that the ratio compares like with like.
double ReadRatio(double& readMs, double& rawMs)
{
    auto doc = OpenDocument(kItems);
    CItemRecord item;
    sqlite3* handle = OpenRaw(kItems);
    CEOID db = doc->m_dbItems.GetDatabaseID();
    readMs = rawMs = 1e300;
    for (int round = 0; round < 7; ++round) {
        auto t0 = std::chrono::steady_clock::now();
        ReadAllItems(*doc, item);
        auto t1 = std::chrono::steady_clock::now();
        RawScan(handle, db);
        auto t2 = std::chrono::steady_clock::now();
        readMs = std::min(readMs, std::chrono::duration<double, std::milli>(t1 - t0).count());
        rawMs = std::min(rawMs, std::chrono::duration<double, std::milli>(t2 - t1).count());
    }
    sqlite3_close(handle);
    return readMs / rawMs;
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RegisterResources();
    for (int count : {10000, kItems}) {
        auto start = std::chrono::steady_clock::now();
        g_devices[count] = MakeDevice(count);
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("filled %d items (%d names) in %.2f s on %s\n", count, std::min(count, kNames), seconds,
                    FastFolder());
    }

    benchmark::RegisterBenchmark("BM_ReadItems", BM_ReadItems)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_RawScan", BM_RawScan)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_BuildNameList", BM_BuildNameList)
        ->Arg(10000)
        ->Arg(kItems)
        ->Complexity(benchmark::oN)
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    double readMs = 0, rawMs = 0;
    double ratio = ReadRatio(readMs, rawMs);
    std::printf("reading %d items: ReadFirstItem/ReadNextItem %.1f ms, raw SQLite scan %.1f ms, ratio %.2fx "
                "(limit %.1fx)\n",
                kItems, readMs, rawMs, ratio, kRatioLimit);
    RemoveFolders();
    return ratio <= kRatioLimit ? 0 : 1;
}
