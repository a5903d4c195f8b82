#include "ChildProcess.h"

#include "platform/core/CString.h"
#include "platform/core/LastError.h"
#include "platform/system/ProcessInfo.h"
#include "platform/system/Trace.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

std::u16string OwnExecutable()
{
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
    return platform::Utf8ToUtf16(std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0));
}

}  // namespace

TEST(ProcessInfo, ModuleFileNameIsTheExecutableCutAndTerminatedInShortBuffers)
{
    std::u16string full = OwnExecutable();
    const DWORD n = static_cast<DWORD>(full.size());
    struct Case { DWORD size; DWORD result; DWORD error; std::u16string text; };
    for (const Case& c : {Case{1, 1, ERROR_INSUFFICIENT_BUFFER, u""},
                          Case{5, 5, ERROR_INSUFFICIENT_BUFFER, full.substr(0, 4)},
                          Case{n, n, ERROR_INSUFFICIENT_BUFFER, full.substr(0, n - 1)},
                          Case{n + 1, n, 0, full}}) {
        std::u16string buffer(c.size + 2, u'#');
        SetLastError(0);
        EXPECT_EQ(GetModuleFileNameW(nullptr, buffer.data(), c.size), c.result) << c.size;
        EXPECT_EQ(GetLastError(), c.error) << c.size;
        EXPECT_EQ(std::u16string(buffer.c_str()), c.text) << c.size;
        EXPECT_EQ(buffer[c.size], u'#') << "wrote past the buffer, size " << c.size;
    }
    EXPECT_EQ(GetModuleFileNameW(nullptr, nullptr, 0), 0u);
}

TEST(ProcessInfo, FileNameOfAnotherProcessAndOfNone)
{
    systemtest::ScopedRuntimeDir runtime;
    systemtest::ChildProcess child({"hold-mutex", "x"});
    ASSERT_EQ(child.ReadLine(), "C");
    WCHAR path[MAX_PATH];
    ASSERT_GT(platform::GetProcessFileName(static_cast<DWORD>(child.Pid()), path, MAX_PATH), 0u);
    EXPECT_EQ(std::u16string(path), OwnExecutable());
    EXPECT_NE(platform::ProcessStartTime(static_cast<DWORD>(child.Pid())), 0u);
    child.CloseInput();
    child.Wait();

    EXPECT_EQ(platform::GetProcessFileName(static_cast<DWORD>(child.Pid()), path, MAX_PATH), 0u)
        << "the process has ended";
    EXPECT_EQ(platform::GetProcessFileName(0, path, MAX_PATH), 0u);
}

TEST(Trace, AppendsOneLinePerCallOnlyWhenAsked)
{
    systemtest::ScopedRuntimeDir runtime;
    std::string file = runtime.Root() + "/trace.log";
    unsetenv("OWEBOOK_TRACE");
    platform::Trace("unseen %d", 1);
    EXPECT_NE(access(file.c_str(), F_OK), 0);

    setenv("OWEBOOK_TRACE", file.c_str(), 1);
    platform::Trace("message=0x%X", 0x4C9);
    platform::Trace("two\nlines");
    platform::Trace("%s", std::string(5000, 'x').c_str());
    unsetenv("OWEBOOK_TRACE");

    std::ifstream in(file);
    std::string pid = std::to_string(getpid());
    std::string line;
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_EQ(line, pid + " message=0x4C9");
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_EQ(line, pid + " two lines");
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_EQ(line, pid + " " + std::string(5000, 'x'));
    EXPECT_FALSE(std::getline(in, line));
}
