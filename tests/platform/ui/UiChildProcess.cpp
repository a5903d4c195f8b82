#include "UiChildProcess.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace uitest {
namespace {

constexpr const char* kChildVariable = "OWEBOOK_UI_TEST_CHILD";

}  // namespace

void Report(const std::string& line)
{
    const std::string text = line + "\n";
    ssize_t written = write(3, text.data(), text.size());
    (void)written;
}

bool InChild() { return std::getenv(kChildVariable) != nullptr; }

UiChildProcess::UiChildProcess(const std::string& testName, const std::vector<std::string>& environment)
{
    int in[2], reports[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(reports, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, reports[1], 3);

    std::vector<std::string> args{"/proc/self/exe", "--gtest_filter=" + testName};
    std::vector<std::string> env{std::string(kChildVariable) + "=1"};
    env.insert(env.end(), environment.begin(), environment.end());
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, kChildVariable, std::strlen(kChildVariable)) != 0)
            env.emplace_back(*e);
    std::vector<char*> argv, envp;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    const int rc = posix_spawn(&m_pid, "/proc/self/exe", &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(reports[1]);
    m_in = in[1];
    m_reports = reports[0];
    if (rc != 0)
        throw std::runtime_error("posix_spawn");
}

UiChildProcess::~UiChildProcess()
{
    CloseInput();
    if (!m_reaped && Wait(5000) < 0) {
        kill(m_pid, SIGKILL);
        Wait(5000);
    }
    if (m_reports >= 0)
        close(m_reports);
}

std::string UiChildProcess::ReadLine(int timeoutMs)
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
        pollfd fd{m_reports, POLLIN, 0};
        if (left <= 0 || poll(&fd, 1, static_cast<int>(left)) <= 0)
            return {};
        char chunk[256];
        const ssize_t n = read(m_reports, chunk, sizeof chunk);
        if (n <= 0)
            return {};
        m_buffered.append(chunk, static_cast<std::size_t>(n));
    }
}

void UiChildProcess::CloseInput()
{
    if (m_in >= 0)
        close(m_in);
    m_in = -1;
}

int UiChildProcess::Wait(int timeoutMs)
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

}  // namespace uitest
