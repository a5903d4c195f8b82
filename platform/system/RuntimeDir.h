#pragma once
// The per-user folder for locks and sockets: $XDG_RUNTIME_DIR/owebook, else
// /tmp/owebook-<uid>. Created 0700 when missing; an existing one is used only
// when it is a real directory that we own and nobody else can enter, because
// whoever can write there could answer for our instance.

#include <optional>
#include <string>

namespace platform {

// The checked folder, or nothing with the reason in `why` (when given).
std::optional<std::string> RuntimeDirectory(std::string* why = nullptr);

// Opens `path` for reading and writing, creating it 0600; refuses symbolic
// links. Returns the descriptor (close-on-exec) or -1 with errno set.
int OpenPrivateFile(const std::string& path);

}  // namespace platform
