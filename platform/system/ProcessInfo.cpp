#include "platform/system/ProcessInfo.h"

#include "platform/core/CString.h"
#include "platform/core/LastError.h"
#include "platform/core/TextCopy.h"
#include "platform/system/ProcessDirectory.h"
#include "platform/system/RuntimeDir.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits.h>
#include <unistd.h>

namespace platform {

namespace {

DWORD CopyOut(const std::u16string& text, LPWSTR out, DWORD size)
{
    if (!out || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const std::size_t copied = CopyText(text, out, size);
    if (copied == text.size())
        return static_cast<DWORD>(copied);
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}

}  // namespace

std::string ProcessExecutable(DWORD pid)
{
    std::string link = pid == static_cast<DWORD>(getpid()) ? std::string("/proc/self/exe")
                                                           : "/proc/" + std::to_string(pid) + "/exe";
    char buffer[PATH_MAX + 1];
    ssize_t length = readlink(link.c_str(), buffer, PATH_MAX);
    if (length <= 0)
        return {};
    return std::string(buffer, static_cast<size_t>(length));
}

DWORD GetProcessFileName(DWORD pid, LPWSTR fileName, DWORD size)
{
    std::string path = pid == 0 ? std::string() : ProcessExecutable(pid);
    if (path.empty() && pid != 0 && ProcessExecutable(GetCurrentProcessId()).empty()) {
        // Without /proc, what a process announced is all there is. With it, a
        // process whose executable we may not read is no process of ours,
        // whatever its announcement claims.
        if (std::optional<std::string> dir = RuntimeDirectory())
            if (std::optional<Announcement> entry = ProcessDirectory(*dir).Find(pid))
                path = entry->executable;
    }
    if (path.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return CopyOut(Utf8ToUtf16(path), fileName, size);
}

std::uint64_t ProcessStartTime(DWORD pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The command name in parentheses may hold spaces; fields count from after it.
    size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return 0;
    const char* p = stat.c_str() + close + 1;
    // Field 22 is the start time; after ')' come fields 3, 4, ...
    for (int field = 3; field < 22 && *p; ++field) {
        while (*p == ' ')
            ++p;
        while (*p && *p != ' ')
            ++p;
    }
    return std::strtoull(p, nullptr, 10);
}

}  // namespace platform

DWORD GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

DWORD GetModuleFileNameW(HMODULE, LPWSTR fileName, DWORD size)
{
    return platform::GetProcessFileName(GetCurrentProcessId(), fileName, size);
}
