#include "owebook/app/AutoBackup.h"

#include "platform/core/Clock.h"
#include "platform/core/Time.h"
#include "platform/store/Device.h"
#include "platform/store/StoreBackup.h"
#include "platform/system/Trace.h"

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const char PREFIX[] = "owebook-";
const char SUFFIX[] = "Z.db";
constexpr std::size_t NAME_LENGTH = sizeof PREFIX - 1 + 15 + sizeof SUFFIX - 1;

// Our backups, oldest first, and the temporary files of backups that were
// cut short (a crash, a power cut) with their times.
struct FolderListing {
    std::vector<std::string> backups;
    std::vector<std::pair<std::string, std::int64_t>> leftovers;
};

BOOL ListFolder(const std::string& folder, FolderListing& listing, std::string& why)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir) {
        why = folder + ": cannot read the folder";
        return FALSE;
    }
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (CAutoBackup::TimeOfName(name) >= 0) {
            listing.backups.push_back(name);
        } else if (name.rfind(std::string(".") + PREFIX, 0) == 0) {
            struct stat st {};
            if (lstat((folder + "/" + name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
                listing.leftovers.emplace_back(name, static_cast<std::int64_t>(st.st_mtime));
        }
    }
    closedir(dir);
    std::sort(listing.backups.begin(), listing.backups.end());
    return TRUE;
}

BOOL Prune(const std::string& folder, std::int64_t now, std::string& why)
{
    FolderListing listing;
    if (!ListFolder(folder, listing, why))
        return FALSE;
    BOOL ok = TRUE;
    const std::size_t excess =
        listing.backups.size() > CAutoBackup::KEEP ? listing.backups.size() - CAutoBackup::KEEP : 0;
    for (std::size_t i = 0; i < excess; ++i)
        if (::unlink((folder + "/" + listing.backups[i]).c_str()) != 0) {
            why = folder + "/" + listing.backups[i] + ": cannot delete this old backup";
            ok = FALSE;
        }
    for (const auto& [name, mtime] : listing.leftovers)
        if (now - mtime > CAutoBackup::INTERVAL)
            ::unlink((folder + "/" + name).c_str());
    return ok;
}

}  // namespace

CAutoBackup::~CAutoBackup() { Wait(); }

void CAutoBackup::Start()
{
    Wait();
    // Read here: the environment is not for other threads to read.
    const std::string folder = platform::DeviceHome() + "/backups";
    const std::string store = platform::StoreFilePath();
    const std::int64_t now = platform::NowUtcSeconds();
    m_thread = std::thread([folder, store, now] {
        BOOL bMade = FALSE;
        std::string why;
        if (!Run(folder, store, now, bMade, why))
            std::fprintf(stderr, "owebook: automatic backup failed: %s\n", why.c_str());
        else
            platform::Trace("automatic backup %s", bMade ? "made" : "not due");
    });
}

void CAutoBackup::Wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

BOOL CAutoBackup::Run(const std::string& folder, const std::string& storePath, std::int64_t now, BOOL& bMade,
                      std::string& why)
{
    bMade = FALSE;
    if (!platform::MakeFolder(folder, why))
        return FALSE;
    FolderListing listing;
    if (!ListFolder(folder, listing, why))
        return FALSE;
    const std::int64_t newest = listing.backups.empty() ? -1 : TimeOfName(listing.backups.back());
    // A backup dated ahead of the clock says nothing about how old the data is.
    if (newest < 0 || now - newest >= INTERVAL || newest > now) {
        if (!platform::BackupStoreFile(storePath, folder + "/" + FileName(now), why))
            return FALSE;
        bMade = TRUE;
    }
    return Prune(folder, now, why);
}

std::string CAutoBackup::FileName(std::int64_t now)
{
    SYSTEMTIME utc {};
    platform::UtcSecondsToSystemTime(now, utc);
    char name[64];
    std::snprintf(name, sizeof name, "%s%04u%02u%02uT%02u%02u%02u%s", PREFIX, utc.wYear, utc.wMonth, utc.wDay,
                  utc.wHour, utc.wMinute, utc.wSecond, SUFFIX);
    return name;
}

std::int64_t CAutoBackup::TimeOfName(const std::string& name)
{
    if (name.size() != NAME_LENGTH || name.rfind(PREFIX, 0) != 0 ||
        name.compare(name.size() - (sizeof SUFFIX - 1), std::string::npos, SUFFIX) != 0)
        return -1;
    const std::string stamp = name.substr(sizeof PREFIX - 1, 15);  // YYYYMMDDTHHMMSS
    for (std::size_t i = 0; i < stamp.size(); ++i)
        if (i == 8 ? stamp[i] != 'T' : (stamp[i] < '0' || stamp[i] > '9'))
            return -1;
    auto number = [&](std::size_t at, std::size_t digits) { return std::stoi(stamp.substr(at, digits)); };
    SYSTEMTIME utc {};
    utc.wYear = static_cast<WORD>(number(0, 4));
    utc.wMonth = static_cast<WORD>(number(4, 2));
    utc.wDay = static_cast<WORD>(number(6, 2));
    utc.wHour = static_cast<WORD>(number(9, 2));
    utc.wMinute = static_cast<WORD>(number(11, 2));
    utc.wSecond = static_cast<WORD>(number(13, 2));
    if (!platform::IsValidDate(utc, 1970, 9999) || !platform::IsValidTimeOfDay(utc))
        return -1;
    return platform::SystemTimeToUtcSeconds(utc);
}
