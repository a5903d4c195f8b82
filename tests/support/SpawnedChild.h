#pragma once
// This test program started again as a child process, fed through its
// standard input and read line by line through one descriptor of its own.

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testsupport {

struct SpawnOptions {
    std::vector<std::string> args;                    // after the program's name
    std::optional<std::vector<std::string>> env;      // the whole environment; none: inherit
    int lineFd = 1;                                   // the child's descriptor whose lines we read
    int extraFd = -1;                                 // when given, the child's descriptor 3
};

class SpawnedChild {
public:
    explicit SpawnedChild(const SpawnOptions& options);
    ~SpawnedChild();
    SpawnedChild(const SpawnedChild&) = delete;
    SpawnedChild& operator=(const SpawnedChild&) = delete;

    pid_t Pid() const { return m_pid; }
    // The next line without its line break; empty at the end or after the timeout.
    std::string ReadLine(int timeoutMs = 10000);
    // Closing the child's input asks it to end.
    void CloseInput();
    void Kill(int signal);
    // Exit code, or 128 + signal; -1 when it did not end in time.
    int Wait(int timeoutMs = 10000);

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_lines = -1;
    std::string m_buffered;
    bool m_reaped = false;
};

}  // namespace testsupport
