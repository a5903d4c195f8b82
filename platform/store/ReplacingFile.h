#pragma once
// A file that replaces its target in one step: written to a private
// temporary file beside the target (mode 0600), synced, renamed over the
// target and the folder synced, so the target is either the old file or the
// whole new one, even after a power cut. Dropped without Commit, the
// temporary file goes and the target stays as it was.

#include <cstddef>
#include <string>

namespace platform {

class ReplacingFile {
public:
    ReplacingFile() = default;
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Makes the temporary file; false with the reason in `why`.
    bool Open(const std::string& target, std::string& why);
    const std::string& TempPath() const { return m_temp; }
    const std::string& Target() const { return m_target; }

    bool Write(const char* data, std::size_t size, std::string& why);
    // Syncs the temporary file, renames it over the target, syncs the folder.
    bool Commit(std::string& why);
    // Removes the temporary file, if any.
    void Discard();

private:
    std::string m_target;
    std::string m_temp;
    int m_fd = -1;
};

// The folder part of a path ("." for a bare name).
std::string FolderOf(const std::string& path);
// Syncs a folder so that names made or removed in it last; false with errno set.
bool SyncFolder(const std::string& folder);

}  // namespace platform
