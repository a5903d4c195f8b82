#pragma once
// Named mutexes shared by the processes of one user. A name exists while any
// process holds it open and disappears with its last holder, crash included:
// each holder keeps a shared flock on a lock file named after the name, and
// the kernel drops it when the holder ends.

#include "platform/core/Types.h"
#include "platform/system/KernelObject.h"

#include <chrono>
#include <string>

struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

constexpr LONG ERROR_NOT_OWNER = 288;
constexpr LONG ERROR_TIMEOUT = 1460;

// Sets ERROR_ALREADY_EXISTS (and still returns a handle) when the name was
// held already. Returns null when the runtime folder cannot be used
// (ERROR_ACCESS_DENIED), or with ERROR_TIMEOUT, after saying so on stderr,
// when another process has held the lock that guards all names for
// kGuardDeadline.
HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES attributes, BOOL initialOwner, LPCWSTR name);
BOOL ReleaseMutex(HANDLE mutex);

namespace platform {

constexpr std::chrono::milliseconds kGuardDeadline{2000};

class NamedMutex : public KernelObject {
public:
    // `lockFd` carries our shared lock; `lockPath` is removed when the last
    // holder closes.
    NamedMutex(std::string runtimeDir, std::string lockPath, int lockFd, bool owned);
    ~NamedMutex() override;

    bool Release();

private:
    std::string m_runtimeDir;
    std::string m_lockPath;
    int m_lockFd;
    int m_ownCount;
};

// The lock file that stands for `name` inside `runtimeDir`.
std::string MutexLockPath(const std::string& runtimeDir, const std::u16string& name);

}  // namespace platform
