// The CSV export of 100,000 items: how long it takes (the goal is under two
// seconds of processor time; the wall time is printed too, but on a machine
// shared with other builds it mostly measures waiting) and whether memory
// stays flat while it streams (the process's peak resident size after the
// export, against before it).
//
// The device lives on tmpfs (/dev/shm) when there is one, so that filling it
// does not wait for a flush per record.

#include "owebook/data/CsvExport.h"
#include "owebook/data/ItemRecord.h"
#include "owebook/data/OwebookDoc.h"
#include "platform/store/CCeDBDatabase.h"
#include "platform/store/Store.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ftw.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kItems = 100000;
constexpr double kSecondsLimit = 2.0;
constexpr long kGrowthLimitKb = 16 * 1024;

std::string g_home;

std::string MakeDevice()
{
    struct stat st {};
    const bool shm = stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) && access("/dev/shm", W_OK) == 0;
    std::string home = std::string(shm ? "/dev/shm" : "/tmp") + "/owebook-csv-bench-XXXXXX";
    if (!mkdtemp(home.data())) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    setenv("OWEBOOK_HOME", home.c_str(), 1);
    CCeDBDatabase db;
    if (!db.Create(ITEMS_DATABASE, ITEMS_DATABASE_TYPE) || !db.Open(ITEMS_DATABASE)) {
        std::fprintf(stderr, "cannot create the items database\n");
        std::exit(1);
    }
    CItemRecord item;
    item.SetDefaults();
    item.SetDescription(u"Concert tickets, \"front row\"\nand the train back");
    item.SetReminder(ReminderSpec(1, REMINDER_DAYS, 2));
    for (int i = 0; i < kItems; ++i) {
        CString name;
        name.Format(u"Person %05d", i);
        item.SetName(name);
        item.SetAmount(i * 0.1);
        item.SetDueDate(1710000000u + static_cast<DWORD>(i) * 60);
        if (!db.AddRecord(&item)) {
            std::fprintf(stderr, "write %d failed\n", i);
            std::exit(1);
        }
    }
    return home;
}

// Exports into a sink that only counts, as a file or a pipe would take it.
std::size_t ExportAll()
{
    std::size_t bytes = 0;
    CCsvWriter writer([&](const char*, std::size_t size) {
        bytes += size;
        return true;
    });
    DWORD nItems = 0;
    if (!ExportItemsCsv(writer, nItems) || nItems != static_cast<DWORD>(kItems)) {
        std::fprintf(stderr, "the export stopped after %lu items\n", static_cast<unsigned long>(nItems));
        std::exit(1);
    }
    return bytes;
}

double CpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long PeakKb()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_ExportCsv(benchmark::State& state)
{
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = ExportAll();
    state.SetItemsProcessed(state.iterations() * kItems);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const auto fillStart = std::chrono::steady_clock::now();
    g_home = MakeDevice();
    std::printf("filled %d items in %.2f s\n", kItems,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - fillStart).count());

    // Once on its own first: the peak size before and after says whether the
    // export held its output or its rows.
    const long before = PeakKb();
    const double cpuStart = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const std::size_t bytes = ExportAll();
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double seconds = CpuSeconds() - cpuStart;
    const long growth = PeakKb() - before;

    benchmark::RegisterBenchmark("BM_ExportCsv", BM_ExportCsv)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("exporting %d items (%zu bytes): %.2f s of processor time (limit %.1f s), %.2f s wall; "
                "peak memory grew %ld KiB (limit %ld KiB)\n",
                kItems, bytes, seconds, kSecondsLimit, wall, growth, kGrowthLimitKb);
    platform::Store::ReleaseDevice();
    nftw(g_home.c_str(), [](const char* path, const struct stat*, int, FTW*) { return ::remove(path); }, 16,
         FTW_DEPTH | FTW_PHYS);
    return seconds <= kSecondsLimit && growth <= kGrowthLimitKb ? 0 : 1;
}
