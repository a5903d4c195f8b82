// Helper modes of this test program, chosen by "--system-child <mode> ...".
// They run before main, from a static initialiser, and end with _exit, so the
// test framework never starts in a child.

#include "platform/core/CString.h"
#include "platform/core/LastError.h"
#include "platform/system/MessageFilter.h"
#include "platform/system/NamedMutex.h"
#include "platform/system/ProcessInfo.h"
#include "platform/system/RemoteWindows.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void Say(const std::string& line)
{
    std::string text = line + "\n";
    ssize_t written = write(1, text.data(), text.size());
    (void)written;
}

void WaitForEof(int fd)
{
    char byte;
    while (read(fd, &byte, 1) > 0) {
    }
}

// Holds the mutex until stdin closes; with "--gate", first waits for
// descriptor 3 to close so that many children can start together.
int HoldMutex(const std::vector<std::string>& args)
{
    if (args.size() > 1 && args[1] == "--gate")
        WaitForEof(3);
    CString name(args.at(0).c_str());
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
    Say(!mutex ? "F " + std::to_string(GetLastError()) : GetLastError() == ERROR_ALREADY_EXISTS ? "E" : "C");
    WaitForEof(0);
    return 0;  // the handle is left for process exit to release
}

// Announces the given windows and reports what arrives until stdin closes;
// like the program, it lets other processes post 0x4C9 and 0x4CA only.
int Announce(const std::vector<std::string>& args)
{
    ChangeWindowMessageFilter(0x4C9, MSGFLT_ADD);
    ChangeWindowMessageFilter(0x4CA, MSGFLT_ADD);
    platform::SetRemoteSink([](const platform::RemoteRequest& request) {
        char line[160];
        std::snprintf(line, sizeof line, "%s %u %u %llu %lld %d %u",
                      request.kind == platform::RemoteRequest::Kind::PostMessage ? "post" : "fg",
                      request.window, request.message,
                      static_cast<unsigned long long>(request.wParam),
                      static_cast<long long>(request.lParam), request.withOwned ? 1 : 0,
                      request.senderPid);
        Say(line);
    });
    for (const std::string& window : args)
        if (!platform::RegisterTopLevelWindow(static_cast<std::uint32_t>(std::stoul(window))))
            Say("register-failed");
    Say("ready");
    WaitForEof(0);
    for (const std::string& window : args)
        platform::UnregisterTopLevelWindow(static_cast<std::uint32_t>(std::stoul(window)));
    return 0;
}

struct PostTarget {
    DWORD pid;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::u16string ownPath;
};

// Treats each window of the target like the start-up hand-over does.
BOOL HandOver(platform::WindowId window, LPARAM lParam)
{
    auto* target = reinterpret_cast<PostTarget*>(lParam);
    DWORD pid = platform::GetWindowProcessId(window);
    if (pid != target->pid)
        return TRUE;
    WCHAR path[MAX_PATH];
    bool sameExe = platform::GetProcessFileName(pid, path, MAX_PATH) != 0 && target->ownPath == path;
    std::uint32_t handle = 0;
    platform::DecodeRemoteWindow(window, nullptr, &handle);
    BOOL fg = platform::RemoteSetForeground(window, true);
    BOOL posted = platform::RemotePostMessage(window, target->message, target->wParam, target->lParam);
    Say("window " + std::to_string(handle) + " exe=" + std::to_string(sameExe) +
        " fg=" + std::to_string(fg) + " post=" + std::to_string(posted));
    return TRUE;
}

int PostTo(const std::vector<std::string>& args)
{
    PostTarget target{static_cast<DWORD>(std::stoul(args.at(0))),
                      static_cast<UINT>(std::stoul(args.at(1), nullptr, 0)),
                      static_cast<WPARAM>(std::stoull(args.at(2))),
                      static_cast<LPARAM>(std::stoll(args.at(3))), {}};
    WCHAR own[MAX_PATH];
    GetModuleFileNameW(nullptr, own, MAX_PATH);
    target.ownPath = own;
    platform::EnumRemoteTopLevelWindows(HandOver, reinterpret_cast<LPARAM>(&target));
    Say("done");
    return 0;
}

std::vector<std::string> CommandLine()
{
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> args;
    size_t start = 0;
    for (size_t i = 0; i < raw.size(); ++i)
        if (raw[i] == '\0') {
            args.push_back(raw.substr(start, i - start));
            start = i + 1;
        }
    return args;
}

int RunChildMode()
{
    std::vector<std::string> args = CommandLine();
    if (args.size() < 3 || args[1] != "--system-child")
        return -1;
    std::string mode = args[2];
    std::vector<std::string> rest(args.begin() + 3, args.end());
    int code = 99;
    if (mode == "hold-mutex")
        code = HoldMutex(rest);
    else if (mode == "announce")
        code = Announce(rest);
    else if (mode == "post-to")
        code = PostTo(rest);
    platform::SetRemoteSink(nullptr);
    _exit(code);
}

[[maybe_unused]] const int g_childMode = RunChildMode();

}  // namespace
