#include "platform/system/runattime/WaiterService.h"

#include "platform/system/RuntimeDir.h"
#include "platform/system/runattime/PrivateFiles.h"
#include "platform/system/runattime/RunAtTime.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/timerfd.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace platform {

namespace {

// How long the asking process waits for its waiter to take the request.
constexpr int kArmTimeoutMs = 5000;
// The waiter looks at the wall clock at least this often, whatever its timer
// does; more often when it has no timer or cannot watch the folder.
constexpr int kNapMs = 30000;
constexpr int kNapWithoutTimerMs = 1000;
constexpr int kLockRetryMs = 50;

struct Paths {
    std::string folder, request, lock, fired, firedTemp;
};

Paths PathsFor(const std::string& folder, const std::string& key)
{
    const std::string base = folder + "/" + key;
    return {folder, base + ".request", base + ".lock", base + ".fired", base + ".fired.tmp"};
}

std::string RequestFileText(std::uint64_t id) { return RequestIdText(id) + "\n"; }

// Everything the waiter needs, made before the fork: after it the waiter
// calls nothing but the kernel (another thread of the asking process may have
// held the allocator's lock when it forked).
struct WaiterPlan {
    Paths paths;
    std::string requestText;
    time_t due = 0;
    std::vector<char*> argv;
    std::vector<std::string> environmentCopy;
    std::vector<char*> envp;
    int readyFd = -1;
};

// --- the waiter: async-signal-safe calls only ---

void Nap(int ms)
{
    timespec nap{ms / 1000, static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&nap, &nap) != 0 && errno == EINTR) {
    }
}

bool StillPending(const WaiterPlan& plan)
{
    const int fd = open(plan.paths.request.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    char text[64];
    ssize_t n;
    do
        n = read(fd, text, sizeof text);
    while (n < 0 && errno == EINTR);
    close(fd);
    return n == static_cast<ssize_t>(plan.requestText.size()) &&
           std::memcmp(text, plan.requestText.data(), plan.requestText.size()) == 0;
}

void Tell(int& fd, char what)
{
    if (fd < 0)
        return;
    ssize_t n;
    do
        n = write(fd, &what, 1);
    while (n < 0 && errno == EINTR);
    close(fd);
    fd = -1;
}

void WritePid(int fd)
{
    char digits[24];
    int at = sizeof digits;
    digits[--at] = '\n';
    pid_t pid = getpid();
    do {
        digits[--at] = static_cast<char>('0' + pid % 10);
        pid /= 10;
    } while (pid > 0);
    if (ftruncate(fd, 0) == 0)
        (void)!pwrite(fd, digits + at, sizeof digits - at, 0);
}

void MarkFired(const WaiterPlan& plan)
{
    const int fd =
        open(plan.paths.firedTemp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    const bool written = write(fd, plan.requestText.data(), plan.requestText.size()) ==
                         static_cast<ssize_t>(plan.requestText.size());
    close(fd);
    if (written)
        rename(plan.paths.firedTemp.c_str(), plan.paths.fired.c_str());
}

[[noreturn]] void StartProgram(const WaiterPlan& plan)
{
    MarkFired(plan);
    const pid_t pid = fork();
    if (pid == 0) {
        execve(plan.argv[0], plan.argv.data(), plan.envp.data());
        _exit(127);
    }
    // The program is nobody's child once we are gone.
    _exit(pid > 0 ? 0 : 1);
}

void ArmTimer(int timer, time_t due)
{
    if (timer < 0)
        return;
    itimerspec at {};
    at.it_value.tv_sec = due;
    timerfd_settime(timer, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &at, nullptr);
}

void Drain(int fd)
{
    char buffer[4096];
    if (fd >= 0)
        while (read(fd, buffer, sizeof buffer) > 0) {
        }
}

[[noreturn]] void RunWaiter(WaiterPlan& plan)
{
    // Detached: no terminal, nothing inherited but our own descriptors.
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
    }
    if (plan.readyFd != 3) {
        dup2(plan.readyFd, 3);
        plan.readyFd = 3;
    }
    if (close_range(4, ~0U, 0) != 0)
        for (int fd = 4; fd < 1024; ++fd)
            close(fd);
    (void)!chdir("/");
    umask(077);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGPIPE, SIGCHLD, SIGUSR1, SIGUSR2})
        sigaction(signal, &standard, nullptr);

    // One waiter per executable: wait for the one we replace to leave.
    const int lock = open(plan.paths.lock.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (lock < 0) {
        Tell(plan.readyFd, 'F');
        _exit(1);
    }
    while (flock(lock, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || !StillPending(plan)) {
            Tell(plan.readyFd, errno == EWOULDBLOCK ? 'R' : 'F');
            _exit(0);
        }
        Nap(kLockRetryMs);
    }
    if (!StillPending(plan)) {
        Tell(plan.readyFd, 'R');
        _exit(0);
    }
    WritePid(lock);

    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch >= 0 && inotify_add_watch(watch, plan.paths.folder.c_str(),
                                        IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE |
                                            IN_DELETE_SELF | IN_MOVE_SELF) < 0) {
        close(watch);
    }
    const int timer = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    const int nap = watch >= 0 && timer >= 0 ? kNapMs : kNapWithoutTimerMs;
    Tell(plan.readyFd, 'A');

    for (;;) {
        if (!StillPending(plan))
            _exit(0);
        timespec now {};
        clock_gettime(CLOCK_REALTIME, &now);
        if (now.tv_sec >= plan.due)
            StartProgram(plan);
        // Armed anew each round: a clock change cancels the timer.
        ArmTimer(timer, plan.due);
        pollfd fds[2] = {{timer, POLLIN, 0}, {watch, POLLIN, 0}};
        poll(fds, 2, nap);
        Drain(timer);
        Drain(watch);
    }
}

// --- the asking process ---

bool Fail(std::string* why, std::string text)
{
    if (why)
        *why = std::move(text);
    return false;
}

// Waits for the waiter's word: 'A' armed, 'R' replaced by a newer request.
char AwaitWord(int fd)
{
    pollfd ready{fd, POLLIN, 0};
    timespec start {};
    clock_gettime(CLOCK_MONOTONIC, &start);
    for (;;) {
        timespec now {};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const long elapsed = (now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000;
        if (elapsed >= kArmTimeoutMs)
            return 0;
        const int n = poll(&ready, 1, static_cast<int>(kArmTimeoutMs - elapsed));
        if (n < 0 && errno == EINTR)
            continue;
        char word = 0;
        if (n > 0 && read(fd, &word, 1) == 1)
            return word;
        if (n != 0)
            return 0;
    }
}

bool LockHeld(const std::string& path)
{
    const int fd = OpenPrivateFile(path);
    if (fd < 0)
        return false;
    const bool held = flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(fd);
    return held;
}

}  // namespace

std::string WaiterService::Folder(std::string* why)
{
    const std::optional<std::string> runtime = RuntimeDirectory(why);
    if (!runtime)
        return {};
    const std::string folder = *runtime + "/runattime";
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        Fail(why, folder + ": " + std::strerror(errno));
        return {};
    }
    struct stat st {};
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid()) {
        Fail(why, folder + ": not a folder of ours");
        return {};
    }
    return folder;
}

bool WaiterService::Arm(const RunAtTimeRequest& request, std::string* why)
{
    const std::string folder = Folder(why);
    if (folder.empty())
        return false;
    WaiterPlan plan;
    plan.paths = PathsFor(folder, RequestKey(request.path));
    plan.requestText = RequestFileText(request.id);
    plan.due = static_cast<time_t>(request.due);
    plan.argv = {const_cast<char*>(request.path.c_str()), const_cast<char*>(kRunAtTimeCommandLine), nullptr};
    for (char** variable = environ; variable && *variable; ++variable)
        plan.environmentCopy.emplace_back(*variable);
    for (std::string& variable : plan.environmentCopy)
        plan.envp.push_back(variable.data());
    plan.envp.push_back(nullptr);
    if (!WriteWholeFile(plan.paths.request, plan.requestText, why))
        return false;

    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0)
        return Fail(why, std::string("pipe: ") + std::strerror(errno));
    plan.readyFd = ready[1];
    const pid_t child = fork();
    if (child == 0) {
        close(ready[0]);
        setsid();
        if (fork() == 0)
            RunWaiter(plan);
        _exit(0);
    }
    close(ready[1]);
    if (child < 0) {
        close(ready[0]);
        return Fail(why, std::string("fork: ") + std::strerror(errno));
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    const char word = AwaitWord(ready[0]);
    close(ready[0]);
    if (word == 'A' || word == 'R')
        return true;
    return Fail(why, word == 0 ? "the waiter did not take the request in time" : "the waiter could not lock");
}

bool WaiterService::Disarm(const std::string& key, std::string* why)
{
    std::string ignored;
    const std::string folder = Folder(&ignored);
    if (folder.empty())
        return true;   // no runtime folder: no waiter either
    const std::string request = PathsFor(folder, key).request;
    if (unlink(request.c_str()) == 0 || errno == ENOENT)
        return true;
    return Fail(why, request + ": " + std::strerror(errno));
}

bool WaiterService::Holds(const RunAtTimeRequest& request)
{
    const std::string folder = Folder();
    if (folder.empty())
        return false;
    const Paths paths = PathsFor(folder, RequestKey(request.path));
    const auto pending = ReadSmallFile(paths.request, 64);
    return pending && *pending == RequestFileText(request.id) && LockHeld(paths.lock);
}

std::optional<std::uint64_t> WaiterService::Fired(const std::string& key)
{
    const std::string folder = Folder();
    if (folder.empty())
        return std::nullopt;
    const auto text = ReadSmallFile(PathsFor(folder, key).fired, 64);
    if (!text || text->size() != 17 || text->back() != '\n' ||
        text->find_first_not_of("0123456789abcdef") != 16)
        return std::nullopt;
    return std::stoull(text->substr(0, 16), nullptr, 16);
}

void WaiterService::ForgetFired(const std::string& key)
{
    const std::string folder = Folder();
    if (!folder.empty())
        unlink(PathsFor(folder, key).fired.c_str());
}

pid_t WaiterService::WaiterPid(const std::string& key)
{
    const std::string folder = Folder();
    if (folder.empty())
        return 0;
    const std::string lock = PathsFor(folder, key).lock;
    if (!LockHeld(lock))
        return 0;
    const auto text = ReadSmallFile(lock, 32);
    if (!text || text->empty() || text->find_first_not_of("0123456789\n") != std::string::npos)
        return 0;
    const long pid = std::strtol(text->c_str(), nullptr, 10);
    return pid > 1 ? static_cast<pid_t>(pid) : 0;
}

}  // namespace platform
