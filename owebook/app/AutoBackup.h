#pragma once
// The daily backup: at start-up, when the newest backup in the device's
// "backups" folder is a day old, from the future or missing, a new one is
// made there on a thread of its own, so the window never waits for it; only
// the newest seven are kept. A failure is one line on stderr and nothing
// more: the program goes on.

#include "platform/core/Types.h"

#include <cstdint>
#include <string>
#include <thread>

class CAutoBackup {
public:
    static constexpr int KEEP = 7;
    static constexpr std::int64_t INTERVAL = 24 * 60 * 60;

    CAutoBackup() = default;
    ~CAutoBackup();  // waits for a backup under way
    CAutoBackup(const CAutoBackup&) = delete;
    CAutoBackup& operator=(const CAutoBackup&) = delete;

    // Checks, and backs up when due, on a thread of its own.
    void Start();
    void Wait();

    // The whole check on the calling thread at `now` (seconds since 1970
    // UTC); FALSE with the reason in `why` when something failed. `bMade`
    // tells whether a backup was made.
    static BOOL Run(const std::string& folder, const std::string& storePath, std::int64_t now, BOOL& bMade,
                    std::string& why);
    // "owebook-20261206T210300Z.db": sorts by name as by time.
    static std::string FileName(std::int64_t now);
    // The time a backup's name stands for; -1 for any other name.
    static std::int64_t TimeOfName(const std::string& name);

private:
    std::thread m_thread;
};
