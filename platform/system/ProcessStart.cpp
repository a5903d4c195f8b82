#include "platform/system/ProcessStart.h"

#include "platform/core/LastError.h"
#include "platform/core/WideC.h"
#include "platform/system/devicefiles/DevicePath.h"
#include "platform/system/runattime/Command.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <optional>
#include <thread>
#include <vector>

extern char** environ;

namespace platform {
namespace {

// "PegHelp.exe", also as "\windows\PegHelp.exe", letter case aside.
bool IsHelpViewer(std::u16string name)
{
    const std::u16string folder = u"\\windows\\";
    if (name.size() > folder.size() && _wcsicmp(name.substr(0, folder.size()).c_str(), folder.c_str()) == 0)
        name.erase(0, folder.size());
    return _wcsicmp(name.c_str(), u"PegHelp.exe") == 0;
}

// The viewer may outlive us: it inherits none of our files (they are all
// close-on-exec, the lock files of named mutexes among them), and a thread
// reaps it when it ends, so that no zombie stays.
bool StartViewer(const std::string& file, pid_t& pid)
{
    std::vector<char*> args = {const_cast<char*>(kHtmlViewer), const_cast<char*>(file.c_str()), nullptr};
    // Its own process group: a Ctrl+C meant for us does not close the viewer.
    const int error = SpawnQuietly(args, true, pid);
    if (error != 0)
        return false;
    std::thread([child = pid] {
        while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

}  // namespace

std::string HelpFileHostPath(std::u16string_view commandLine)
{
    while (!commandLine.empty() && commandLine.front() == u' ')
        commandLine.remove_prefix(1);
    while (!commandLine.empty() && commandLine.back() == u' ')
        commandLine.remove_suffix(1);
    if (commandLine.size() >= 2 && commandLine.front() == u'"' && commandLine.back() == u'"')
        commandLine = commandLine.substr(1, commandLine.size() - 2);
    if (commandLine.empty())
        return {};
    const std::u16string devicePath =
        commandLine.front() == u'\\' ? std::u16string(commandLine) : u"\\windows\\" + std::u16string(commandLine);
    const std::optional<std::string> path = HostPathForDevicePath(devicePath);
    struct stat st {};
    if (!path || stat(path->c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    return *path;
}

}  // namespace platform

BOOL CreateProcessW(LPCWSTR pszImageName, LPCWSTR pszCmdLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL,
                    DWORD, LPVOID, LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION pProcInfo)
{
    if (!pszImageName || !platform::IsHelpViewer(pszImageName)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    const std::string file = platform::HelpFileHostPath(pszCmdLine ? pszCmdLine : u"");
    pid_t pid = -1;
    if (file.empty() || !platform::StartViewer(file, pid)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    if (pProcInfo)
        *pProcInfo = PROCESS_INFORMATION{nullptr, nullptr, static_cast<DWORD>(pid), 0};
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
