#include "ChildProcess.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace systemtest {

ChildProcess::ChildProcess(const std::vector<std::string>& args, int gateFd)
{
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    if (gateFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, gateFd, 3);

    std::vector<std::string> all{"/proc/self/exe", "--system-child"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    int rc = posix_spawn(&m_pid, "/proc/self/exe", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    m_in = in[1];
    m_out = out[0];
    if (rc != 0)
        throw std::runtime_error("posix_spawn");
}

ChildProcess::~ChildProcess()
{
    CloseInput();
    if (!m_reaped && Wait(5000) < 0) {
        Kill(SIGKILL);
        Wait(5000);
    }
    if (m_out >= 0)
        close(m_out);
}

std::string ChildProcess::ReadLine(int timeoutMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        size_t end = m_buffered.find('\n');
        if (end != std::string::npos) {
            std::string line = m_buffered.substr(0, end);
            m_buffered.erase(0, end + 1);
            return line;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now()).count();
        pollfd fd{m_out, POLLIN, 0};
        if (left <= 0 || poll(&fd, 1, static_cast<int>(left)) <= 0)
            return {};
        char chunk[256];
        ssize_t n = read(m_out, chunk, sizeof chunk);
        if (n <= 0)
            return {};
        m_buffered.append(chunk, static_cast<size_t>(n));
    }
}

void ChildProcess::CloseInput()
{
    if (m_in >= 0)
        close(m_in);
    m_in = -1;
}

void ChildProcess::Kill(int signal)
{
    if (!m_reaped)
        kill(m_pid, signal);
}

int ChildProcess::Wait(int timeoutMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int status = 0;
        pid_t done = waitpid(m_pid, &status, WNOHANG);
        if (done == m_pid) {
            m_reaped = true;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (done < 0 || std::chrono::steady_clock::now() > deadline)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

ScopedRuntimeDir::ScopedRuntimeDir()
{
    char pattern[] = "/tmp/owebook-systest-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("mkdtemp");
    m_root = pattern;
    if (const char* old = std::getenv("XDG_RUNTIME_DIR")) {
        m_saved = old;
        m_hadSaved = true;
    }
    setenv("XDG_RUNTIME_DIR", m_root.c_str(), 1);
}

ScopedRuntimeDir::~ScopedRuntimeDir()
{
    if (m_hadSaved)
        setenv("XDG_RUNTIME_DIR", m_saved.c_str(), 1);
    else
        unsetenv("XDG_RUNTIME_DIR");
    std::error_code ignored;
    std::filesystem::permissions(Owebook(), std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(m_root, ignored);
}

std::vector<std::string> ScopedRuntimeDir::Files() const
{
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& item : std::filesystem::directory_iterator(Owebook(), ignored))
        names.push_back(item.path().filename().string());
    return names;
}

}  // namespace systemtest
