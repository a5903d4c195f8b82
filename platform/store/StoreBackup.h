#pragma once
// Copies of the device's store file: a consistent backup taken while other
// connections read and write, the check that a file is a whole store of
// this program, and putting such a file in the store's place.

#include <cstdint>
#include <string>

namespace platform {

// What marks a store file as ours, and the layout version this build reads.
constexpr std::int64_t kStoreApplicationId = 0x4F574542;  // "OWEB"
constexpr std::int64_t kStoreSchemaVersion = 1;

// Reading only: whether `path` is a store of this program, of a version this
// build reads, that passes SQLite's integrity check. `why` says why not.
bool VerifyStoreFile(const std::string& path, std::string& why);

// Copies the store file `storePath` to `target` with SQLite's online backup:
// one snapshot, while other connections keep writing. The copy goes to a
// temporary file beside `target` (mode 0600), is checked as above, synced
// and renamed over `target`. Refuses a target that is the store or its log.
bool BackupStoreFile(const std::string& storePath, const std::string& target, std::string& why);

// Puts a copy of the store file `source` in the place of `storePath`, after
// checking the copy as above; the former store (with any log it had) is kept
// beside it as `bakPath`, empty when there was none. On any refusal the
// store and its log are left exactly as they were. The caller makes sure
// that nobody has the store open.
bool RestoreStoreFile(const std::string& source, const std::string& storePath, std::string& bakPath,
                      std::string& why);

// Whether `path` names the store file or one of SQLite's files beside it.
bool IsStoreOrItsLog(const std::string& path, const std::string& storePath);

}  // namespace platform
