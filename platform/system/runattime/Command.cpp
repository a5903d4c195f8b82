#include "platform/system/runattime/Command.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {

CommandHandler& Handler()
{
    static CommandHandler handler;
    return handler;
}

bool Fail(std::string* why, std::string text)
{
    if (why)
        *why = std::move(text);
    return false;
}

std::int64_t MonotonicMs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

}  // namespace

void SetCommandHandlerForTesting(CommandHandler handler) { Handler() = std::move(handler); }

int SpawnQuietly(const std::vector<char*>& args, bool ownProcessGroup, pid_t& pid)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    short flags = POSIX_SPAWN_SETSIGMASK;
    if (ownProcessGroup) {
        posix_spawnattr_setpgroup(&attributes, 0);
        flags |= POSIX_SPAWN_SETPGROUP;
    }
    posix_spawnattr_setflags(&attributes, flags);
    const int error = posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return error;
}

bool RunCommand(const std::vector<std::string>& argv, int timeoutMs, std::string* why)
{
    if (argv.empty())
        return Fail(why, "no command");
    if (Handler())
        return Handler()(argv) || Fail(why, argv[0] + ": refused");

    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    pid_t pid = -1;
    const int error = SpawnQuietly(args, false, pid);
    if (error != 0)
        return Fail(why, argv[0] + ": " + std::strerror(error));

    const std::int64_t deadline = MonotonicMs() + timeoutMs;
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR)
            return Fail(why, argv[0] + ": " + std::strerror(errno));
        if (MonotonicMs() >= deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return Fail(why, argv[0] + ": no answer in time");
        }
        const timespec nap{0, 5 * 1000 * 1000};
        nanosleep(&nap, nullptr);
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return true;
    return Fail(why, argv[0] + (WIFEXITED(status) ? ": exit code " + std::to_string(WEXITSTATUS(status))
                                                  : std::string(": ended by a signal")));
}

}  // namespace platform
