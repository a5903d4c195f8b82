#include "support/SpawnedChild.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace testsupport {
namespace {

std::vector<char*> Pointers(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

SpawnedChild::SpawnedChild(const SpawnOptions& options)
{
    int in[2], lines[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(lines, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    if (options.lineFd != 1)
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, lines[1], options.lineFd);
    if (options.extraFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, options.extraFd, 3);

    std::vector<std::string> args{"/proc/self/exe"};
    args.insert(args.end(), options.args.begin(), options.args.end());
    std::vector<char*> argv = Pointers(args);
    std::vector<std::string> env = options.env.value_or(std::vector<std::string>{});
    std::vector<char*> envp = Pointers(env);
    const int rc = posix_spawn(&m_pid, "/proc/self/exe", &actions, nullptr, argv.data(),
                               options.env ? envp.data() : environ);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(lines[1]);
    m_in = in[1];
    m_lines = lines[0];
    if (rc != 0)
        throw std::runtime_error("posix_spawn");
}

SpawnedChild::~SpawnedChild()
{
    CloseInput();
    if (!m_reaped && Wait(5000) < 0) {
        Kill(SIGKILL);
        Wait(5000);
    }
    if (m_lines >= 0)
        close(m_lines);
}

std::string SpawnedChild::ReadLine(int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const std::size_t end = m_buffered.find('\n');
        if (end != std::string::npos) {
            std::string line = m_buffered.substr(0, end);
            m_buffered.erase(0, end + 1);
            return line;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        pollfd fd{m_lines, POLLIN, 0};
        if (left <= 0 || poll(&fd, 1, static_cast<int>(left)) <= 0)
            return {};
        char chunk[256];
        const ssize_t n = read(m_lines, chunk, sizeof chunk);
        if (n <= 0)
            return {};
        m_buffered.append(chunk, static_cast<std::size_t>(n));
    }
}

void SpawnedChild::CloseInput()
{
    if (m_in >= 0)
        close(m_in);
    m_in = -1;
}

void SpawnedChild::Kill(int signal)
{
    if (!m_reaped)
        kill(m_pid, signal);
}

int SpawnedChild::Wait(int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(m_pid, &status, WNOHANG);
        if (done == m_pid) {
            m_reaped = true;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (done < 0 || std::chrono::steady_clock::now() > deadline)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace testsupport
