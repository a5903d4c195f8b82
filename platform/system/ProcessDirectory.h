#pragma once
// The announcements of processes in the runtime folder. One announcement is
// three files sharing the stem "proc-<pid>-<start time>": ".lock", held
// exclusively by its process for as long as it announces; ".sock", where it
// listens; ".entry", what it announces. The start time in the stem keeps a
// reused pid from being mistaken for the process that had it before.

#include "platform/core/Types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct Announcement {
    DWORD pid = 0;
    std::uint64_t startTime = 0;
    std::string executable;
    std::vector<std::uint32_t> windows;
    std::string stem;  // full path without the extension

    std::string LockPath() const { return stem + ".lock"; }
    std::string SocketPath() const { return stem + ".sock"; }
    std::string EntryPath() const { return stem + ".entry"; }
};

class ProcessDirectory {
public:
    explicit ProcessDirectory(std::string runtimeDir) : m_dir(std::move(runtimeDir)) {}

    std::string StemFor(DWORD pid, std::uint64_t startTime) const;

    // Live announcements of processes other than `exceptPid`; the files of
    // dead ones are removed on the way. At most 128 are looked at.
    std::vector<Announcement> Live(DWORD exceptPid) const;
    std::optional<Announcement> Find(DWORD pid) const;

    static std::string Format(const Announcement& entry);
    // Nothing for malformed text, or an entry of more than 64 windows.
    static std::optional<Announcement> Parse(const std::string& text);
    // Writes the entry file so that readers see the old or the new whole.
    static bool WriteEntry(const Announcement& entry);

private:
    std::string m_dir;
};

}  // namespace platform
