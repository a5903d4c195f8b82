#pragma once
// Runs a helper program (systemctl) from an argument vector, never through a
// shell, and waits for it with a deadline.

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace platform {

// True when the program ran and exited 0 within `timeoutMs`; otherwise false
// with the cause in `why`. A program still running at the deadline is killed.
// Its output goes to /dev/null; its environment is ours.
bool RunCommand(const std::vector<std::string>& argv, int timeoutMs, std::string* why = nullptr);

// Starts `args` (null-terminated; args[0] looked up on PATH) with stdin,
// stdout and stderr on /dev/null, no signal blocked, and our environment;
// in a process group of its own when asked. 0, or the errno of the failure.
int SpawnQuietly(const std::vector<char*>& args, bool ownProcessGroup, pid_t& pid);

// Tests see the commands instead of running them: the handler's answer is
// the command's. An empty handler runs commands again.
using CommandHandler = std::function<bool(const std::vector<std::string>& argv)>;
void SetCommandHandlerForTesting(CommandHandler handler);

}  // namespace platform
