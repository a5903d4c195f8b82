#include "platform/system/ThreadPriority.h"

#include "platform/core/LastError.h"

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <linux/capability.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

namespace {

thread_local int t_level = THREAD_PRIORITY_NORMAL;
thread_local int t_baseNice = 0;
thread_local bool t_baseKnown = false;

HANDLE CurrentThreadPseudoHandle()
{
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-2));
}

pid_t ThreadId() { return static_cast<pid_t>(syscall(SYS_gettid)); }

bool HasSysNice()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    return (data[CAP_SYS_NICE / 32].effective & (1u << (CAP_SYS_NICE % 32))) != 0;
}

// Nice offsets from the thread's normal level; the idle level is SCHED_IDLE.
constexpr int kNiceOffset[] = {-10, -5, -2, 0, 2, 5, 10, 19};

int BaseNice()
{
    if (!t_baseKnown) {
        errno = 0;
        int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(ThreadId()));
        t_baseNice = errno == 0 ? nice : 0;
        t_baseKnown = true;
    }
    return t_baseNice;
}

void Apply(int level)
{
    pid_t tid = ThreadId();
    sched_param param{};
    if (level == THREAD_PRIORITY_IDLE) {
        sched_setscheduler(tid, SCHED_IDLE, &param);
        return;
    }
    if (sched_getscheduler(tid) == SCHED_IDLE)
        sched_setscheduler(tid, SCHED_OTHER, &param);
    int nice = BaseNice() + kNiceOffset[level];
    nice = nice < -20 ? -20 : nice > 19 ? 19 : nice;
    setpriority(PRIO_PROCESS, static_cast<id_t>(tid), nice);
}

}  // namespace

bool ThreadPriorityApplies(int level)
{
    if (level < THREAD_PRIORITY_TIME_CRITICAL || level > THREAD_PRIORITY_IDLE)
        return false;
    if (HasSysNice())
        return true;
    // Without the capability, RLIMIT_NICE bounds how far a thread may climb;
    // it must reach the level and also get back to normal from it.
    rlimit limit{};
    if (getrlimit(RLIMIT_NICE, &limit) != 0)
        return false;
    int lowestNice = 20 - static_cast<int>(limit.rlim_cur);
    int target = BaseNice() + (kNiceOffset[level] < 0 ? kNiceOffset[level] : 0);
    return lowestNice <= target;
}

}  // namespace platform

HANDLE GetCurrentThread() { return platform::CurrentThreadPseudoHandle(); }

int GetThreadPriority(HANDLE thread)
{
    if (thread != platform::CurrentThreadPseudoHandle()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return THREAD_PRIORITY_ERROR_RETURN;
    }
    return platform::t_level;
}

BOOL SetThreadPriority(HANDLE thread, int priority)
{
    if (thread != platform::CurrentThreadPseudoHandle()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (priority < THREAD_PRIORITY_TIME_CRITICAL || priority > THREAD_PRIORITY_IDLE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    platform::BaseNice();  // before the first change, so "normal" means what it was
    if (priority != platform::t_level && platform::ThreadPriorityApplies(priority))
        platform::Apply(priority);
    platform::t_level = priority;
    return TRUE;
}

void Sleep(DWORD milliseconds)
{
    if (milliseconds == 0) {
        sched_yield();
        return;
    }
    if (milliseconds == INFINITE) {
        for (;;)
            pause();
    }
    timespec left{static_cast<time_t>(milliseconds / 1000),
                  static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

DWORD GetTickCount()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<DWORD>(static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                              static_cast<std::uint64_t>(now.tv_nsec) / 1000000u);
}
