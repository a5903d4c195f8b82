#pragma once
// Runs this test program again in one of the helper modes of ChildModes.cpp,
// talking to it through its stdin and stdout.

#include <string>
#include <sys/types.h>
#include <vector>

namespace systemtest {

class ChildProcess {
public:
    // `gateFd`, when given, becomes the child's descriptor 3.
    ChildProcess(const std::vector<std::string>& args, int gateFd = -1);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return m_pid; }
    // The next line of output without its line break; empty at end or timeout.
    std::string ReadLine(int timeoutMs = 10000);
    void CloseInput();
    void Kill(int signal);
    // Exit code, or 128 + signal; -1 when it did not end in time.
    int Wait(int timeoutMs = 10000);

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    std::string m_buffered;
    bool m_reaped = false;
};

// A fresh private runtime folder for the test, via XDG_RUNTIME_DIR.
class ScopedRuntimeDir {
public:
    ScopedRuntimeDir();
    ~ScopedRuntimeDir();
    const std::string& Root() const { return m_root; }     // XDG_RUNTIME_DIR
    std::string Owebook() const { return m_root + "/owebook"; }
    std::vector<std::string> Files() const;              // names inside Owebook()

private:
    std::string m_root;
    std::string m_saved;
    bool m_hadSaved = false;
};

}  // namespace systemtest
