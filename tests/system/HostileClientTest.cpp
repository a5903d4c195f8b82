// Another process of the user talks to the running instance's socket as it
// likes: every message number below 0x500, and those that carry pointers
// with made-up addresses. The sanitizer build must neither crash nor report,
// every refusal is traced, and the instance still answers afterwards.

#include "ProcessTestEnv.h"

#include "platform/system/ProcessDirectory.h"
#include "platform/system/RemoteWire.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// One request as any process could send it; the reply's status, or -1.
int SendRaw(const std::string& socketPath, const platform::WireRequest& wire)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    platform::SetSocketTimeouts(fd, 5000);
    platform::WireReply reply{};
    const bool answered = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
                          platform::WriteExactly(fd, &wire, sizeof wire) &&
                          platform::ReadExactly(fd, &reply, sizeof reply);
    close(fd);
    return answered ? static_cast<int>(reply.status) : -1;
}

constexpr UINT kPointerMessages[] = {0x0001 /* WM_CREATE */, 0x000C /* WM_SETTEXT */, 0x000D /* WM_GETTEXT */,
                                     0x004E /* WM_NOTIFY */, 0x0113 /* WM_TIMER */};
constexpr std::int64_t kAddresses[] = {0x41414141, -1, 8, 0x7fffffffe000};

TEST_F(ProcessTest, MessagesFromAnotherProcessNeverReachIntoTheInstance)
{
    QProcess* instance = LaunchRunning();
    const qint64 pid = instance->processId();
    std::optional<platform::Announcement> entry =
        platform::ProcessDirectory(RuntimeDir().toStdString() + "/owebook").Find(static_cast<DWORD>(pid));
    ASSERT_TRUE(entry);
    ASSERT_FALSE(entry->windows.empty());
    const std::uint32_t window = entry->windows.front();
    const DWORD me = static_cast<DWORD>(getpid());

    int taken = 0, refused = 0, unanswered = 0;
    auto send = [&](UINT message, std::int64_t lParam) {
        const int status = SendRaw(entry->SocketPath(),
                                   {platform::kWireRequestMagic, 1, window, message, 0x4242, lParam, 0, me});
        (status == 1 ? taken : status == 0 ? refused : unanswered) += 1;
    };
    for (UINT message = 0; message < 0x500; ++message)
        send(message, kAddresses[message % 4]);
    for (UINT message : kPointerMessages)
        for (std::int64_t lParam : kAddresses)
            send(message, lParam);

    const int sent = 0x500 + 5 * 4;
    EXPECT_EQ(unanswered, 0);
    EXPECT_EQ(taken, 2) << "0x4C9 and 0x4CA";
    EXPECT_EQ(refused, sent - 2);
    int traced = 0;
    ASSERT_TRUE(WaitUntil([&] {
        traced = 0;
        for (const std::string& line : Trace(pid))
            traced += line.rfind("remote refused post", 0) == 0;
        return traced == refused;
    }, 5000)) << traced << " refusals traced of " << refused;

    // Still there, still itself, and still reachable by a launch.
    EXPECT_TRUE(instance->state() != QProcess::NotRunning && !instance->waitForFinished(1));
    QProcess* launch = Launch({QStringLiteral("AppRunAtTime")});
    ASSERT_TRUE(launch->waitForFinished(20000));
    EXPECT_EQ(launch->exitCode(), 255);
    EXPECT_TRUE(WaitUntil([&] {
        int alarms = 0;
        for (const std::string& line : Trace(pid))
            alarms += line == "alarm message";
        return alarms == 2;  // the one of the sweep and the launch's
    }, 5000));
    const std::string errors = instance->readAllStandardError().toStdString();
    EXPECT_EQ(errors.find("Sanitizer"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("runtime error"), std::string::npos) << errors;
}

}  // namespace
