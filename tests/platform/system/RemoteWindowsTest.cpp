#include "ChildProcess.h"

#include "platform/system/MessageFilter.h"
#include "platform/system/ProcessDirectory.h"
#include "platform/system/ProcessInfo.h"
#include "platform/system/RemoteWindows.h"
#include "platform/system/RuntimeDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <mutex>
#include <sstream>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::RemoteRequest;
using systemtest::ChildProcess;
using systemtest::ScopedRuntimeDir;

namespace {

// Collects what arrives in this process's sink.
class SinkRecorder {
public:
    SinkRecorder()
    {
        platform::SetRemoteSink([this](const RemoteRequest& request) {
            std::lock_guard guard(m_lock);
            m_requests.push_back(request);
            m_changed.notify_all();
        });
    }
    ~SinkRecorder() { platform::SetRemoteSink(nullptr); }

    std::vector<RemoteRequest> WaitFor(size_t count)
    {
        std::unique_lock lock(m_lock);
        m_changed.wait_for(lock, std::chrono::seconds(10), [&] { return m_requests.size() >= count; });
        return m_requests;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<RemoteRequest> m_requests;
};

std::vector<std::string> FilesOfPid(const ScopedRuntimeDir& runtime, pid_t pid)
{
    std::vector<std::string> found;
    std::string prefix = "proc-" + std::to_string(pid) + "-";
    for (const std::string& name : runtime.Files())
        if (name.rfind(prefix, 0) == 0)
            found.push_back(name);
    return found;
}

// Lets other processes post `message` to this one while it lives.
class AllowedMessage {
public:
    explicit AllowedMessage(UINT message) : m_message(message) { ChangeWindowMessageFilter(message, MSGFLT_ADD); }
    ~AllowedMessage() { ChangeWindowMessageFilter(m_message, MSGFLT_REMOVE); }

private:
    UINT m_message;
};

const platform::RemoteProcess* FindProcess(const std::vector<platform::RemoteProcess>& list, pid_t pid)
{
    auto it = std::find_if(list.begin(), list.end(),
                           [&](const platform::RemoteProcess& p) { return p.pid == static_cast<DWORD>(pid); });
    return it == list.end() ? nullptr : &*it;
}

}  // namespace

TEST(RemoteWindows, WindowIdsTellRemoteFromLocal)
{
    platform::WindowId remote = platform::MakeRemoteWindow(4194304, 0xFFFFFFFEu);
    DWORD pid = 0;
    std::uint32_t handle = 0;
    EXPECT_TRUE(platform::IsRemoteWindow(remote));
    ASSERT_TRUE(platform::DecodeRemoteWindow(remote, &pid, &handle));
    EXPECT_EQ(pid, 4194304u);
    EXPECT_EQ(handle, 0xFFFFFFFEu);
    EXPECT_EQ(platform::GetWindowProcessId(remote), 4194304u);

    platform::WindowId local = 0xFFFFFFFEu;
    EXPECT_FALSE(platform::IsRemoteWindow(local));
    EXPECT_FALSE(platform::DecodeRemoteWindow(local, &pid, &handle));
    EXPECT_EQ(platform::GetWindowProcessId(local), GetCurrentProcessId());
}

TEST(RemoteWindows, AnnouncementIsPrivateListsNoSelfAndEndsWithTheLastWindow)
{
    ScopedRuntimeDir runtime;
    ASSERT_TRUE(platform::RegisterTopLevelWindow(2));
    ASSERT_TRUE(platform::RegisterTopLevelWindow(4));
    std::vector<std::string> files = FilesOfPid(runtime, getpid());
    ASSERT_EQ(files.size(), 3u);
    for (const std::string& name : files) {
        struct stat st {};
        ASSERT_EQ(lstat((runtime.Owebook() + "/" + name).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u) << name;
    }
    EXPECT_EQ(FindProcess(platform::ListRemoteProcesses(), getpid()), nullptr);

    platform::UnregisterTopLevelWindow(2);
    EXPECT_EQ(FilesOfPid(runtime, getpid()).size(), 3u);
    platform::UnregisterTopLevelWindow(4);
    EXPECT_TRUE(FilesOfPid(runtime, getpid()).empty());
}

TEST(RemoteWindows, HandOverFromAnotherProcessArrivesInTheSinkAndIsRefusedWithoutOne)
{
    ScopedRuntimeDir runtime;
    ASSERT_TRUE(platform::RegisterTopLevelWindow(10));
    ASSERT_TRUE(platform::RegisterTopLevelWindow(12));
    {
        ChildProcess early({"post-to", std::to_string(getpid()), "0x4C9", "0", "0"});
        EXPECT_EQ(early.ReadLine(), "window 10 exe=1 fg=0 post=0") << "no sink yet: refused";
        EXPECT_EQ(early.ReadLine(), "window 12 exe=1 fg=0 post=0");
        EXPECT_EQ(early.ReadLine(), "done");
    }
    SinkRecorder sink;
    AllowedMessage alarm(0x4C9);

    // What the parameters held stays with their process.
    ChildProcess second({"post-to", std::to_string(getpid()), "0x4C9", "18446744073709551615", "-5"});
    std::vector<std::string> lines;
    for (std::string line = second.ReadLine(); !line.empty() && line != "done"; line = second.ReadLine())
        lines.push_back(line);
    EXPECT_EQ(second.Wait(), 0);
    EXPECT_EQ(lines, (std::vector<std::string>{"window 10 exe=1 fg=1 post=1", "window 12 exe=1 fg=1 post=1"}));

    std::vector<RemoteRequest> got = sink.WaitFor(4);
    ASSERT_EQ(got.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].window, i < 2 ? 10u : 12u);
        EXPECT_EQ(got[i].senderPid, static_cast<DWORD>(second.Pid()));
        if (i % 2 == 0) {
            EXPECT_EQ(got[i].kind, RemoteRequest::Kind::SetForeground);
            EXPECT_TRUE(got[i].withOwned);
        } else {
            EXPECT_EQ(got[i].kind, RemoteRequest::Kind::PostMessage);
            EXPECT_EQ(got[i].message, 0x4C9u);
            EXPECT_EQ(got[i].wParam, WPARAM{0});
            EXPECT_EQ(got[i].lParam, LPARAM{0});
        }
    }
    platform::UnregisterTopLevelWindow(10);
    platform::UnregisterTopLevelWindow(12);
}

TEST(RemoteWindows, PostReachesOnlyAnnouncedWindowsAndIsTraced)
{
    ScopedRuntimeDir runtime;
    std::string trace = runtime.Root() + "/trace.log";
    setenv("OWEBOOK_TRACE", trace.c_str(), 1);
    ChildProcess first({"announce", "20", "24"});
    unsetenv("OWEBOOK_TRACE");
    ASSERT_EQ(first.ReadLine(), "ready");

    const platform::RemoteProcess* entry = nullptr;
    std::vector<platform::RemoteProcess> list = platform::ListRemoteProcesses();
    entry = FindProcess(list, first.Pid());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->windows, (std::vector<std::uint32_t>{20, 24}));
    EXPECT_EQ(entry->executable, platform::ProcessExecutable(GetCurrentProcessId()));

    DWORD pid = static_cast<DWORD>(first.Pid());
    EXPECT_TRUE(platform::RemotePostMessage(platform::MakeRemoteWindow(pid, 24), 0x4CA, 0, 0));
    EXPECT_EQ(first.ReadLine(), "post 24 1226 0 0 0 " + std::to_string(getpid()));
    EXPECT_TRUE(platform::RemoteSetForeground(platform::MakeRemoteWindow(pid, 20), false));
    EXPECT_EQ(first.ReadLine(), "fg 20 0 0 0 0 " + std::to_string(getpid()));
    EXPECT_FALSE(platform::RemotePostMessage(platform::MakeRemoteWindow(pid, 22), 0x4CA, 0, 0))
        << "22 was never announced";
    EXPECT_FALSE(platform::RemotePostMessage(24, 0x4CA, 0, 0)) << "a local id is not a remote window";

    first.CloseInput();
    EXPECT_EQ(first.Wait(), 0);
    EXPECT_TRUE(FilesOfPid(runtime, first.Pid()).empty()) << "a clean exit withdraws the announcement";

    std::ifstream in(trace);
    std::stringstream text;
    text << in.rdbuf();
    std::string prefix = std::to_string(first.Pid()) + " remote ";
    EXPECT_EQ(text.str(), prefix + "post window=24 message=0x4CA wParam=0 lParam=0 from=" +
                              std::to_string(getpid()) + "\n" + prefix +
                              "foreground window=20 owned=0 from=" + std::to_string(getpid()) + "\n");
}

TEST(RemoteWindows, KilledProcessIsSkippedAndItsFilesRemoved)
{
    ScopedRuntimeDir runtime;
    ChildProcess survivor({"announce", "40"});
    ChildProcess victim({"announce", "30"});
    ASSERT_EQ(survivor.ReadLine(), "ready");
    ASSERT_EQ(victim.ReadLine(), "ready");
    ASSERT_NE(FindProcess(platform::ListRemoteProcesses(), victim.Pid()), nullptr);

    victim.Kill(SIGKILL);
    ASSERT_EQ(victim.Wait(), 128 + SIGKILL);
    EXPECT_EQ(FilesOfPid(runtime, victim.Pid()).size(), 3u) << "a crash leaves its files";

    std::vector<platform::RemoteProcess> list = platform::ListRemoteProcesses();
    EXPECT_EQ(FindProcess(list, victim.Pid()), nullptr);
    EXPECT_NE(FindProcess(list, survivor.Pid()), nullptr);
    EXPECT_TRUE(FilesOfPid(runtime, victim.Pid()).empty());
    EXPECT_FALSE(platform::RemotePostMessage(
        platform::MakeRemoteWindow(static_cast<DWORD>(victim.Pid()), 30), 0x4C9, 0, 0));
}

TEST(RemoteWindows, LockLeftHalfwayByADeadProcessIsRemoved)
{
    ScopedRuntimeDir runtime;
    pid_t dead = 0;
    {
        ChildProcess child({"hold-mutex", "x"});
        dead = child.Pid();
    }
    std::string self = std::to_string(getpid()) + "-" + std::to_string(platform::ProcessStartTime(getpid()));
    std::vector<std::string> names = {"proc-" + std::to_string(dead) + "-5.locking",
                                      "proc-" + std::to_string(getpid()) + "-1.locking",  // pid reused
                                      "proc-" + self + ".locking"};
    for (const std::string& name : names)
        close(open((runtime.Owebook() + "/" + name).c_str(), O_CREAT | O_WRONLY, 0600));

    platform::ListRemoteProcesses();
    std::vector<std::string> left;
    for (const std::string& name : runtime.Files())
        if (name.rfind("proc-", 0) == 0)
            left.push_back(name);
    EXPECT_EQ(left, std::vector<std::string>{names[2]}) << "only the live one stays";
}

// The folder keeps other users out already; this reaches the socket past it
// to check that the listener itself refuses them.
TEST(RemoteWindows, ListenerRefusesAnotherUser)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    ScopedRuntimeDir runtime;
    SinkRecorder sink;
    ASSERT_TRUE(platform::RegisterTopLevelWindow(60));
    std::optional<platform::Announcement> self =
        platform::ProcessDirectory(runtime.Owebook()).Find(GetCurrentProcessId());
    ASSERT_TRUE(self);
    std::string socketPath = self->SocketPath();
    ASSERT_EQ(chmod(socketPath.c_str(), 0666), 0);
    int pathFd = open(socketPath.c_str(), O_PATH | O_CLOEXEC);
    ASSERT_GE(pathFd, 0);

    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "/proc/self/fd/%d", pathFd);
    unsigned char request[40] = {};  // would be a well-formed post but for the uid
    std::uint32_t magic = 0x4f574231, kind = 1, window = 60;
    std::memcpy(request, &magic, 4);
    std::memcpy(request + 4, &kind, 4);
    std::memcpy(request + 8, &window, 4);

    pid_t child = fork();
    if (child == 0) {
        if (setresgid(65534, 65534, 65534) != 0 || setresuid(65534, 65534, 65534) != 0)
            _exit(2);
        prctl(PR_SET_DUMPABLE, 1);  // keep /proc/self/fd usable after the uid change
        int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            _exit(3);
        if (send(fd, request, sizeof request, MSG_NOSIGNAL) != sizeof request)
            _exit(0);  // already closed on us
        char reply[8];
        _exit(recv(fd, reply, sizeof reply, 0) > 0 ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    close(pathFd);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1 means it got a reply, 3 that it could not connect";
    platform::UnregisterTopLevelWindow(60);
    EXPECT_TRUE(sink.WaitFor(0).empty());
}

struct EntryCase {
    const char* name;
    std::string text;
    bool valid;
};

void PrintTo(const EntryCase& c, std::ostream* out) { *out << c.name; }

class AnnouncementEntry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(AnnouncementEntry, ParsesOnlyWellFormedText)
{
    EXPECT_EQ(platform::ProcessDirectory::Parse(GetParam().text).has_value(), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AnnouncementEntry,
    ::testing::Values(
        EntryCase{"Complete", "owebook-announcement 1\npid 7\nstart 9\nwindows 2 4\nexe /a b", true},
        EntryCase{"NoWindows", "owebook-announcement 1\npid 7\nstart 9\nwindows\nexe /a", true},
        EntryCase{"Empty", "", false},
        EntryCase{"OtherVersion", "owebook-announcement 2\npid 7\nstart 9\nwindows\nexe /a", false},
        EntryCase{"PidZero", "owebook-announcement 1\npid 0\nstart 9\nwindows\nexe /a", false},
        EntryCase{"WindowTooWide", "owebook-announcement 1\npid 7\nstart 9\nwindows 4294967296\nexe /a", false},
        EntryCase{"WindowNotANumber", "owebook-announcement 1\npid 7\nstart 9\nwindows 2 x\nexe /a", false},
        EntryCase{"NoExecutable", "owebook-announcement 1\npid 7\nstart 9\nwindows 2", false},
        EntryCase{"Truncated", "owebook-announcement 1\npid 7\nsta", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AnnouncementEntry, RoundTripKeepsAnyExecutablePath)
{
    platform::Announcement entry;
    entry.pid = 123;
    entry.startTime = 456789;
    entry.windows = {2, 0xFFFFFFFEu};
    entry.executable = "/odd path/with\nnewline/owebook";
    std::optional<platform::Announcement> back =
        platform::ProcessDirectory::Parse(platform::ProcessDirectory::Format(entry));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pid, 123u);
    EXPECT_EQ(back->startTime, 456789u);
    EXPECT_EQ(back->windows, entry.windows);
    EXPECT_EQ(back->executable, entry.executable);
}
