#pragma once
// The per-user folder for locks and sockets: $XDG_RUNTIME_DIR/owebook, else
// /tmp/owebook-<uid>. Created 0700 when missing; an existing one is used only
// when it is a real directory that we own and nobody else can enter, because
// whoever can write there could answer for our instance.
//
// When that folder is refused, the folder "runtime" in the device folder
// (beside the store, checked the same way) takes its place, so that launches
// of the same device still meet; why the first was refused goes to stderr.

#include <optional>
#include <string>

namespace platform {

// The checked folder, or nothing when neither can be used. `why` (when given)
// receives the reason the preferred folder was refused, empty if it was not.
std::optional<std::string> RuntimeDirectory(std::string* why = nullptr);

// Opens `path` for reading and writing, creating it 0600; refuses symbolic
// links and anything but a regular file, and never blocks on opening.
// Returns the descriptor (close-on-exec) or -1 with errno set.
int OpenPrivateFile(const std::string& path);

}  // namespace platform
