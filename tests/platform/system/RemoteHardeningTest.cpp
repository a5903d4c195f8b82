// What arrives on an announcement socket from a process that does not play by
// the rules, and what a sender meets in a folder where files were planted:
// parameters never cross, only allowed messages pass, a slow client delays
// nobody, and nobody answers in another process's name.

#include "ChildProcess.h"

#include "platform/system/ProcessDirectory.h"
#include "platform/system/ProcessInfo.h"
#include "platform/system/RemoteWindows.h"
#include "platform/system/RemoteWire.h"
#include "platform/system/RuntimeDir.h"
#include "platform/system/ThreadPriority.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using platform::WireReply;
using platform::WireRequest;
using systemtest::ChildProcess;
using systemtest::ScopedRuntimeDir;

namespace {

constexpr UINT WM_GETTEXT_ = 0x000D;

int Connect(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    platform::SetSocketTimeouts(fd, 5000);
    return fd;
}

// Sends one request as any process could, past the platform's own sender.
// The reply's status, or -1 when the connection was closed without one.
int SendRaw(const std::string& socketPath, const WireRequest& wire)
{
    int fd = Connect(socketPath);
    if (fd < 0)
        return -2;
    WireReply reply{};
    const bool answered = platform::WriteExactly(fd, &wire, sizeof wire) &&
                          platform::ReadExactly(fd, &reply, sizeof reply);
    close(fd);
    return answered && reply.magic == platform::kWireReplyMagic ? static_cast<int>(reply.status) : -1;
}

WireRequest Post(std::uint32_t window, UINT message, std::uint64_t wParam, std::int64_t lParam,
                 DWORD sender = GetCurrentProcessId())
{
    return WireRequest{platform::kWireRequestMagic, 1, window, message, wParam, lParam, 0, sender};
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// An announcing child with windows 20 and 24, tracing to a file.
class Announcer {
public:
    explicit Announcer(const ScopedRuntimeDir& runtime) : m_trace(runtime.Root() + "/trace.log")
    {
        setenv("OWEBOOK_TRACE", m_trace.c_str(), 1);
        m_child = std::make_unique<ChildProcess>(std::vector<std::string>{"announce", "20", "24"});
        unsetenv("OWEBOOK_TRACE");
        EXPECT_EQ(m_child->ReadLine(), "ready");
        if (auto entry = platform::ProcessDirectory(runtime.Owebook()).Find(static_cast<DWORD>(m_child->Pid())))
            m_entry = *entry;
    }
    ChildProcess& Child() { return *m_child; }
    const platform::Announcement& Entry() const { return m_entry; }
    std::string Trace() const { return ReadAll(m_trace); }
    platform::WindowId Window(std::uint32_t handle) const
    {
        return platform::MakeRemoteWindow(static_cast<DWORD>(m_child->Pid()), handle);
    }

private:
    std::string m_trace;
    std::unique_ptr<ChildProcess> m_child;
    platform::Announcement m_entry;
};

}  // namespace

TEST(RemoteHardening, OnlyAllowedMessagesPassAndNeverWithTheirParameters)
{
    ScopedRuntimeDir runtime;
    Announcer target(runtime);
    const std::string socket = target.Entry().SocketPath();
    ASSERT_FALSE(socket.empty());
    const std::string me = std::to_string(getpid());

    EXPECT_EQ(SendRaw(socket, Post(20, 0x4C9, 7, 0x41414141)), 1);
    EXPECT_EQ(target.Child().ReadLine(), "post 20 1225 0 0 0 " + me);
    EXPECT_EQ(SendRaw(socket, Post(24, 0x4CA, ~0ull, -1)), 1);
    EXPECT_EQ(target.Child().ReadLine(), "post 24 1226 0 0 0 " + me);

    struct Case {
        const char* what;
        WireRequest wire;
    };
    for (const Case& c : {Case{"a message that carries a pointer", Post(20, WM_GETTEXT_, 64, 0x41414141)},
                          Case{"a harmless-looking system message", Post(20, 0x0010, 0, 0)},
                          Case{"a private message of another kind", Post(20, 0x4CB, 0, 0)},
                          Case{"a sender that is not the connected process", Post(20, 0x4C9, 0, 0, 1)}})
        EXPECT_EQ(SendRaw(socket, c.wire), 0) << c.what;
    EXPECT_TRUE(platform::RemoteSetForeground(target.Window(24), true)) << "a foreground request always passes";
    EXPECT_EQ(target.Child().ReadLine(), "fg 24 0 0 0 1 " + me) << "and nothing refused arrived before it";

    const std::string trace = target.Trace();
    for (const char* refused : {"message=0xD from=" , "message=0x10 from=", "message=0x4CB from="})
        EXPECT_NE(trace.find(std::string("remote refused post window=20 ") + refused + me), std::string::npos)
            << refused << "\n" << trace;
    EXPECT_NE(trace.find("remote refused from=1: the connection is process " + me), std::string::npos) << trace;
}

TEST(RemoteHardening, ASlowClientDelaysNobodyAndIsDroppedAtItsDeadline)
{
    ScopedRuntimeDir runtime;
    Announcer target(runtime);
    const WireRequest wire = Post(20, 0x4C9, 0, 0);
    const auto* bytes = reinterpret_cast<const char*>(&wire);

    int slow = Connect(target.Entry().SocketPath());
    ASSERT_GE(slow, 0);
    const DWORD start = GetTickCount();
    ASSERT_EQ(send(slow, bytes, 1, MSG_NOSIGNAL), 1);

    // Meanwhile a well-behaved sender is served at once.
    EXPECT_TRUE(platform::RemotePostMessage(target.Window(24), 0x4CA, 0, 0));
    EXPECT_LT(GetTickCount() - start, 1500u) << "waited for the slow one";
    EXPECT_EQ(target.Child().ReadLine(), "post 24 1226 0 0 0 " + std::to_string(getpid()));

    // One byte a quarter second would take ten seconds; the listener stops waiting at two.
    size_t sent = 1;
    char reply[8];
    while (sent < sizeof wire && send(slow, bytes + sent, 1, MSG_NOSIGNAL) == 1) {
        ++sent;
        if (recv(slow, reply, sizeof reply, MSG_DONTWAIT) == 0)
            break;
        Sleep(250);
    }
    const DWORD took = GetTickCount() - start;
    close(slow);
    EXPECT_LT(sent, sizeof wire);
    EXPECT_GE(took, static_cast<DWORD>(platform::kWireTimeoutMs));
    EXPECT_LT(took, static_cast<DWORD>(platform::kWireTimeoutMs) + 1500);
    EXPECT_NE(target.Trace().find("remote connection dropped"), std::string::npos);
}

// Whoever can write in the folder could put a link to another socket, or a
// socket of its own, where the target's should be.
TEST(RemoteHardening, SenderReachesOnlyTheAnnouncedProcessItself)
{
    ScopedRuntimeDir runtime;
    Announcer target(runtime);
    const std::string socketPath = target.Entry().SocketPath();
    ASSERT_FALSE(socketPath.empty());

    // A listener of this process, which must hear nothing.
    const std::string decoyPath = runtime.Owebook() + "/decoy.sock";
    int decoy = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", decoyPath.c_str());
    ASSERT_EQ(bind(decoy, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(decoy, 4), 0);
    auto decoyHeard = [&] {
        int fd = accept4(decoy, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            return std::string("nobody");
        char buffer[64];
        Sleep(100);
        ssize_t n = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
        close(fd);
        return n > 0 ? std::string("a request") : std::string("a connection only");
    };

    const std::string moved = socketPath + ".real";
    ASSERT_EQ(rename(socketPath.c_str(), moved.c_str()), 0);
    ASSERT_EQ(symlink(decoyPath.c_str(), socketPath.c_str()), 0);
    EXPECT_FALSE(platform::RemotePostMessage(target.Window(20), 0x4C9, 0, 0)) << "through a planted link";
    EXPECT_EQ(decoyHeard(), "nobody");

    ASSERT_EQ(unlink(socketPath.c_str()), 0);
    ASSERT_EQ(link(decoyPath.c_str(), socketPath.c_str()), 0);  // the decoy itself, under the target's name
    EXPECT_FALSE(platform::RemotePostMessage(target.Window(20), 0x4C9, 0, 0)) << "to another process's socket";
    EXPECT_NE(decoyHeard(), "a request");

    ASSERT_EQ(rename(moved.c_str(), socketPath.c_str()), 0);
    EXPECT_TRUE(platform::RemotePostMessage(target.Window(20), 0x4C9, 0, 0)) << "the real one again";
    EXPECT_EQ(target.Child().ReadLine(), "post 20 1225 0 0 0 " + std::to_string(getpid()));
    close(decoy);
}

// An announcement is what a process says of itself; while /proc answers, the
// executable is what /proc says, and a process /proc does not know has none.
TEST(RemoteHardening, AnAnnouncedExecutableIsNotBelievedOverProc)
{
    ScopedRuntimeDir runtime;
    ASSERT_TRUE(platform::RuntimeDirectory());
    const DWORD nobody = 0x7ffffff0;  // above the kernel's limit: no process has it
    platform::Announcement entry;
    entry.pid = nobody;
    entry.startTime = 1;
    entry.windows = {2};
    entry.executable = platform::ProcessExecutable(GetCurrentProcessId());
    entry.stem = platform::ProcessDirectory(runtime.Owebook()).StemFor(entry.pid, entry.startTime);
    int lock = open(entry.LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(flock(lock, LOCK_EX), 0);  // held: the planted entry looks alive
    ASSERT_TRUE(platform::ProcessDirectory::WriteEntry(entry));
    ASSERT_TRUE(platform::ProcessDirectory(runtime.Owebook()).Find(nobody)) << "listed as it claims";

    WCHAR path[MAX_PATH] = {};
    EXPECT_EQ(platform::GetProcessFileName(nobody, path, MAX_PATH), 0u) << "claimed our executable";
    close(lock);
}

TEST(RemoteHardening, AnEntryListsAtMostSixtyFourWindows)
{
    auto entryWith = [](int windows) {
        std::string text = "owebook-announcement 1\npid 7\nstart 9\nwindows";
        for (int i = 0; i < windows; ++i)
            text += " " + std::to_string(2 * i + 2);
        return text + "\nexe /a";
    };
    std::optional<platform::Announcement> most = platform::ProcessDirectory::Parse(entryWith(64));
    ASSERT_TRUE(most);
    EXPECT_EQ(most->windows.size(), 64u);
    EXPECT_FALSE(platform::ProcessDirectory::Parse(entryWith(65)));
    EXPECT_FALSE(platform::ProcessDirectory::Parse(entryWith(1000000)));
    EXPECT_FALSE(platform::ProcessDirectory::Parse("owebook-announcement 1\npid 7\nstart 9\nwindows 2\nexe /" +
                                                   std::string(20000, 'a')))
        << "an entry larger than any real one";
}
