#pragma once
// A systemd user manager of a test's own, as at a login: `systemd --user` in
// a mount namespace of its own (where /run/systemd/system says that systemd
// runs), with its socket in $XDG_RUNTIME_DIR and its units from $HOME, both
// as set when it starts. Needs root, systemd and mount namespaces; Start
// says whether it came up.

#include "platform/system/runattime/SystemdService.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

class UserManager {
public:
    static constexpr char kSystemd[] = "/usr/lib/systemd/systemd";

    ~UserManager() { Stop(); }

    static bool Possible()
    {
        struct stat st {};
        return geteuid() == 0 && stat(kSystemd, &st) == 0 && stat("/run/systemd", &st) == 0;
    }

    // The manager's output goes to `log`.
    bool Start(const std::string& log)
    {
        constexpr int kCannotStart = 77;
        m_pid = fork();
        if (m_pid == 0) {
            if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                mount("tmpfs", "/run/systemd", "tmpfs", 0, "mode=0755") != 0 ||
                mkdir("/run/systemd/system", 0755) != 0)
                _exit(kCannotStart);
            const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
            dup2(out, 1);
            dup2(out, 2);
            execl(kSystemd, "systemd", "--user", "--log-target=console", static_cast<char*>(nullptr));
            _exit(kCannotStart);
        }
        if (m_pid < 0)
            return false;
        for (int i = 0; i < 500 && !platform::SystemdService::Available(); ++i) {
            int status = 0;
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return platform::SystemdService::Available();
    }

    // As at a logout: the manager ends and its socket goes.
    void Stop()
    {
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGTERM);
        int status = 0;
        for (int i = 0; i < 250 && waitpid(m_pid, &status, WNOHANG) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (kill(m_pid, 0) == 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, &status, 0);
        }
        m_pid = -1;
        if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"))
            unlink((std::string(runtime) + "/systemd/private").c_str());
    }

    bool Running() const { return m_pid > 0; }

private:
    pid_t m_pid = -1;
};
