#include "platform/system/NamedMutex.h"

#include "platform/core/LastError.h"
#include "platform/system/RuntimeDir.h"

#include <QCryptographicHash>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

int LockRetrying(int fd, int operation)
{
    int rc;
    do {
        rc = flock(fd, operation);
    } while (rc != 0 && errno == EINTR);
    return rc;
}

// Serialises "is it held? then hold it" and "am I the last? then remove it"
// across processes; without it two creators could both see a free name. Its
// holders keep it for microseconds, so one that holds it for seconds is
// frozen (stopped, swapped out for good) and waiting longer would only hang
// this process as well.
class GuardLock {
public:
    explicit GuardLock(const std::string& runtimeDir)
        : m_path(runtimeDir + "/mutex.guard"), m_fd(OpenPrivateFile(m_path))
    {
        if (m_fd < 0)
            return;
        const auto deadline = std::chrono::steady_clock::now() + kGuardDeadline;
        while (LockRetrying(m_fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
                m_timedOut = errno == EWOULDBLOCK;
                close(m_fd);
                m_fd = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    ~GuardLock()
    {
        if (m_fd >= 0)
            close(m_fd);  // drops the lock
    }
    GuardLock(const GuardLock&) = delete;
    GuardLock& operator=(const GuardLock&) = delete;

    bool Held() const { return m_fd >= 0; }
    bool TimedOut() const { return m_timedOut; }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    int m_fd;
    bool m_timedOut = false;
};

}  // namespace

std::string MutexLockPath(const std::string& runtimeDir, const std::u16string& name)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(name.data()),
                                static_cast<qsizetype>(name.size() * sizeof(char16_t))));
    QByteArray hex = hash.result().toHex().left(32);
    return runtimeDir + "/mutex-" + std::string(hex.constData(), hex.size()) + ".lock";
}

NamedMutex::NamedMutex(std::string runtimeDir, std::string lockPath, int lockFd, bool owned)
    : m_runtimeDir(std::move(runtimeDir)), m_lockPath(std::move(lockPath)), m_lockFd(lockFd),
      m_ownCount(owned ? 1 : 0)
{
}

NamedMutex::~NamedMutex()
{
    if (m_lockFd < 0)
        return;
    GuardLock guard(m_runtimeDir);
    // Upgrading our shared lock succeeds only when no other handle holds the name.
    if (guard.Held() && LockRetrying(m_lockFd, LOCK_EX | LOCK_NB) == 0)
        unlink(m_lockPath.c_str());
    close(m_lockFd);
}

bool NamedMutex::Release()
{
    if (m_ownCount == 0)
        return false;
    --m_ownCount;
    return true;
}

}  // namespace platform

HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES, BOOL initialOwner, LPCWSTR name)
{
    using namespace platform;
    if (!name || !name[0]) {
        SetLastError(ERROR_SUCCESS);
        return AddHandle(std::make_unique<NamedMutex>(std::string(), std::string(), -1,
                                                      initialOwner != FALSE));
    }

    std::optional<std::string> dir = RuntimeDirectory();
    if (!dir) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    GuardLock guard(*dir);
    if (guard.TimedOut()) {
        std::fprintf(stderr, "%s: %s is held by a process that does not let go; giving up\n",
                     program_invocation_short_name, guard.Path().c_str());
        SetLastError(ERROR_TIMEOUT);
        return nullptr;
    }
    if (!guard.Held()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }

    std::string path = MutexLockPath(*dir, std::u16string(name));
    int fd = OpenPrivateFile(path);
    if (fd < 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    // Every holder keeps a shared lock, so an exclusive one is free only when
    // nobody holds the name. Under the guard nobody else probes meanwhile.
    bool existed = LockRetrying(fd, LOCK_EX | LOCK_NB) != 0;
    if (existed && errno != EWOULDBLOCK) {
        close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    if (LockRetrying(fd, LOCK_SH) != 0) {
        close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }

    // As on the handheld, opening an existing mutex never makes us its owner.
    bool owned = initialOwner != FALSE && !existed;
    HANDLE handle = AddHandle(std::make_unique<NamedMutex>(*dir, path, fd, owned));
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL ReleaseMutex(HANDLE mutex)
{
    auto* object = dynamic_cast<platform::NamedMutex*>(platform::FindHandle(mutex));
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!object->Release()) {
        SetLastError(ERROR_NOT_OWNER);
        return FALSE;
    }
    return TRUE;
}
