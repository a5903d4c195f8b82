#pragma once
// A stand-in for the desktop's HTML viewer for the length of a test: PATH
// leads only to a folder whose "xdg-open" notes its arguments and ends with
// the given code, or to an empty folder (no viewer at all). PATH and the
// folder go afterwards.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <ftw.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

class FakeViewer {
public:
    enum Kind { WORKING, FAILING, MISSING };

    explicit FakeViewer(Kind kind = WORKING)
    {
        if (const char* path = std::getenv("PATH")) {
            m_hadPath = true;
            m_oldPath = path;
        }
        char pattern[] = "/tmp/owebook-viewer-XXXXXX";
        const char* made = mkdtemp(pattern);
        EXPECT_NE(made, nullptr);
        m_folder = made ? made : "/nonexistent";
        m_log = m_folder + "/started";
        if (kind != MISSING) {
            const std::string program = m_folder + "/xdg-open";
            std::ofstream(program) << "#!/bin/sh\n"
                                   << "{ for a in \"$@\"; do printf '%s\\n' \"$a\"; done; printf 'end\\n'; } >> '"
                                   << m_log << "'\n"
                                   << "exit " << (kind == FAILING ? 3 : 0) << "\n";
            chmod(program.c_str(), 0700);
        }
        setenv("PATH", m_folder.c_str(), 1);
    }
    ~FakeViewer()
    {
        if (m_hadPath)
            setenv("PATH", m_oldPath.c_str(), 1);
        else
            unsetenv("PATH");
        nftw(m_folder.c_str(), [](const char* p, const struct stat*, int, FTW*) { return ::remove(p); }, 8,
             FTW_DEPTH | FTW_PHYS);
    }
    FakeViewer(const FakeViewer&) = delete;
    FakeViewer& operator=(const FakeViewer&) = delete;

    // The arguments of each start so far, one list per start.
    std::vector<std::vector<std::string>> Starts() const
    {
        std::ifstream in(m_log);
        std::vector<std::vector<std::string>> starts(1);
        for (std::string line; std::getline(in, line);) {
            if (line == "end")
                starts.emplace_back();
            else
                starts.back().push_back(line);
        }
        starts.pop_back();   // an unfinished start is not one yet
        return starts;
    }

    // Waits until the viewer has been started `count` times (or 5 seconds
    // have passed) and returns the starts.
    std::vector<std::vector<std::string>> AwaitStarts(size_t count = 1) const
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (Starts().size() < count && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return Starts();
    }

private:
    std::string m_folder;
    std::string m_log;
    std::string m_oldPath;
    bool m_hadPath = false;
};
