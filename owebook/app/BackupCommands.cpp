#include "owebook/app/BackupCommands.h"

#include "owebook/data/CsvExport.h"
#include "platform/core/CString.h"
#include "platform/core/LastError.h"
#include "platform/store/Device.h"
#include "platform/store/ReplacingFile.h"
#include "platform/store/StoreBackup.h"
#include "platform/system/NamedMutex.h"
#include "platform/system/ProcessInfo.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <sys/stat.h>

namespace {

BOOL Fail(const char* what, const std::string& why)
{
    std::fprintf(stderr, "owebook: %s: %s\n", what, why.c_str());
    return FALSE;
}

// The single-instance mutex that WinMain holds while the program runs; null
// (with the reason in `why`) when it is held or cannot be had.
HANDLE TakeInstanceMutex(std::string& why)
{
    WCHAR szName[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, szName, MAX_PATH);
    for (WCHAR* p = szName; *p; ++p)
        if (*p == u'\\')
            *p = u'/';
    HANDLE hMutex = CreateMutexW(nullptr, FALSE, szName);
    if (!hMutex) {
        why = "cannot tell whether Owebook is running";
        return nullptr;
    }
    if (GetLastError() == static_cast<DWORD>(ERROR_ALREADY_EXISTS)) {
        CloseHandle(hMutex);
        why = "Owebook is running; close it first";
        return nullptr;
    }
    return hMutex;
}

BOOL ExportTo(CCsvWriter::Sink sink, std::string& why)
{
    CCsvWriter writer(std::move(sink));
    DWORD nItems = 0;
    if (!ExportItemsCsv(writer, nItems)) {
        if (why.empty())
            why = "cannot read the items of " + platform::StoreFilePath();
        return FALSE;
    }
    return TRUE;
}

}  // namespace

BOOL RunBackupCommand(int argc, char** argv, int& nExitCode)
{
    static const struct {
        const char* option;
        BOOL (*run)(const char*);
    } COMMANDS[] = {{"--backup", BackupLedger}, {"--restore", RestoreLedger}, {"--export-csv", ExportLedgerCsv}};
    for (int i = 1; i < argc; ++i)
        for (const auto& command : COMMANDS) {
            if (std::strcmp(argv[i], command.option) != 0)
                continue;
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                std::fprintf(stderr, "owebook: %s needs a file name\n", command.option);
                nExitCode = 1;
            } else {
                nExitCode = command.run(argv[i + 1]) ? 0 : 1;
            }
            return TRUE;
        }
    return FALSE;
}

BOOL BackupLedger(const char* file)
{
    std::string why;
    if (!platform::BackupStoreFile(platform::StoreFilePath(), file, why))
        return Fail("backup failed", why);
    return TRUE;
}

BOOL RestoreLedger(const char* file)
{
    std::string why;
    HANDLE hMutex = TakeInstanceMutex(why);
    if (!hMutex)
        return Fail("restore refused", why);
    std::string bak;
    const bool restored = platform::RestoreStoreFile(file, platform::StoreFilePath(), bak, why);
    CloseHandle(hMutex);
    if (!restored)
        return Fail("restore refused", why);
    if (!bak.empty())
        std::printf("The former ledger is kept as %s\n", bak.c_str());
    return TRUE;
}

BOOL ExportLedgerCsv(const char* file)
{
    const std::string store = platform::StoreFilePath();
    struct stat st {};
    if (stat(store.c_str(), &st) != 0)
        return Fail("export failed", store + ": there is no ledger to export");
    // A store that cannot be read must not pass for an empty ledger.
    std::string why;
    if (!platform::VerifyStoreFile(store, why))
        return Fail("export failed", why);
    if (std::strcmp(file, "-") == 0) {
        const BOOL done = ExportTo(
            [](const char* data, std::size_t size) { return std::fwrite(data, 1, size, stdout) == size; }, why);
        if (!done || std::fflush(stdout) != 0)
            return Fail("export failed", why.empty() ? std::string("cannot write to standard output") : why);
        return TRUE;
    }
    if (platform::IsStoreOrItsLog(file, store))
        return Fail("export failed", std::string(file) + ": that is the store itself");
    platform::ReplacingFile out;
    if (!out.Open(file, why))
        return Fail("export failed", why);
    if (!ExportTo([&](const char* data, std::size_t size) { return out.Write(data, size, why); }, why) ||
        !out.Commit(why))
        return Fail("export failed", why);
    return TRUE;
}
