#pragma once
// Small private files (mode 0600) of the run-at-time service: written whole
// or not at all, read with a size limit, symbolic links never followed.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Writes `path` through a temporary file beside it, synced, then renamed over.
bool WriteWholeFile(const std::string& path, std::string_view text, std::string* why = nullptr);
// The contents of a plain file of at most `limit` bytes; nothing otherwise.
std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t limit = 64 * 1024);

}  // namespace platform
