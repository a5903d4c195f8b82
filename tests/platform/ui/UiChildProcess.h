#pragma once
// Runs one test case of this program in a child process (gtest filter), with
// extra environment, reporting lines on a pipe of its own (descriptor 3)
// while its standard output goes nowhere. Closing its input asks it to end.

#include <string>
#include <sys/types.h>
#include <vector>

namespace uitest {

// The child's end: writes one line to descriptor 3.
void Report(const std::string& line);
// Set in a child started by UiChildProcess.
bool InChild();

class UiChildProcess {
public:
    UiChildProcess(const std::string& testName, const std::vector<std::string>& environment);
    ~UiChildProcess();
    UiChildProcess(const UiChildProcess&) = delete;
    UiChildProcess& operator=(const UiChildProcess&) = delete;

    pid_t Pid() const { return m_pid; }
    // The next reported line; empty at the end or after the timeout.
    std::string ReadLine(int timeoutMs = 10000);
    void CloseInput();
    // Exit code, 128 + signal, or -1 when it did not end in time.
    int Wait(int timeoutMs = 10000);

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_reports = -1;
    std::string m_buffered;
    bool m_reaped = false;
};

}  // namespace uitest
