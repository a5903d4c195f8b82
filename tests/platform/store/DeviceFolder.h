#pragma once
// A fresh device folder per test: OWEBOOK_HOME points into a new temporary
// folder, removed with everything in it afterwards.

#include "platform/store/CCeDBDatabase.h"
#include "platform/store/Store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <ftw.h>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

class DeviceFolder {
public:
    DeviceFolder()
    {
        char pattern[] = "/tmp/owebook-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        EXPECT_NE(made, nullptr);
        m_root = made ? made : "/tmp";
        m_home = m_root + "/device";
        setenv("OWEBOOK_HOME", m_home.c_str(), 1);
    }
    ~DeviceFolder()
    {
        platform::Store::ReleaseDevice();
        unsetenv("OWEBOOK_HOME");
        nftw(m_root.c_str(), [](const char* path, const struct stat*, int, FTW*) { return ::remove(path); }, 16,
             FTW_DEPTH | FTW_PHYS);
    }

    const std::string& Root() const { return m_root; }
    const std::string& Home() const { return m_home; }
    std::string StoreFile() const { return m_home + "/objectstore.db"; }

    // Closes this process's connection, as if the program had ended.
    static void Reopen() { platform::Store::ReleaseDevice(); }

private:
    std::string m_root;
    std::string m_home;
};

inline std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Runs `body` in a child process and returns its exit status (-1 if it
// did not exit normally). The parent's connection is dropped first:
// SQLite's locks do not carry across a fork.
template <typename Body>
int RunInChild(Body body)
{
    platform::Store::ReleaseDevice();
    pid_t pid = fork();
    if (pid == 0) {
        int code = body();
        _exit(code);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A child process that adds record after record to `database`, made by
// `make` from the numbers `first`, `first + 1`, ..., and writes each number
// to the returned descriptor once its record is committed, until it is
// killed. The caller reads the acknowledgements and closes the descriptor.
// The database must exist; the parent's connection is not used by the child.
template <typename Make>
pid_t StartAcknowledgingWriter(const char16_t* database, LONG first, Make make, int& acknowledgements)
{
    int acks[2] = {-1, -1};
    if (pipe(acks) != 0) {
        ADD_FAILURE() << "no pipe";
        return -1;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        close(acks[0]);
        CCeDBDatabase db;
        if (!db.Open(database))
            _exit(3);
        for (LONG i = first;; ++i) {
            CCeDBRecord rec = make(i);
            if (db.AddRecord(&rec) == 0)
                _exit(4);
            if (write(acks[1], &i, sizeof i) != sizeof i)
                _exit(5);
        }
    }
    close(acks[1]);
    acknowledgements = acks[0];
    return pid;
}
