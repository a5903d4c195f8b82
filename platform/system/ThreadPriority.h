#pragma once
// Thread priorities with the handheld's eight levels, Sleep and the tick
// count. Only the calling thread can be changed. Linux lets an unprivileged
// thread lower its priority but never raise it again, so the level reaches
// the scheduler only when the thread may go back to normal afterwards;
// otherwise it is merely remembered, which is harmless: the program lowers
// it only while it waits.

#include "platform/core/Types.h"

constexpr int THREAD_PRIORITY_TIME_CRITICAL = 0;
constexpr int THREAD_PRIORITY_HIGHEST = 1;
constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 2;
constexpr int THREAD_PRIORITY_NORMAL = 3;
constexpr int THREAD_PRIORITY_BELOW_NORMAL = 4;
constexpr int THREAD_PRIORITY_LOWEST = 5;
constexpr int THREAD_PRIORITY_ABOVE_IDLE = 6;
constexpr int THREAD_PRIORITY_IDLE = 7;
constexpr int THREAD_PRIORITY_ERROR_RETURN = 0x7fffffff;

constexpr DWORD INFINITE = 0xFFFFFFFF;

// A pseudo handle meaning "the calling thread"; closing it does nothing.
HANDLE GetCurrentThread();
int GetThreadPriority(HANDLE thread);
BOOL SetThreadPriority(HANDLE thread, int priority);

// Sleep(0) gives up the rest of the time slice.
void Sleep(DWORD milliseconds);

// Milliseconds since the system started, wrapping after 49.7 days; for
// measuring waits (unsigned differences stay right across the wrap).
DWORD GetTickCount();

namespace platform {

// Whether `level` reaches the scheduler for this thread (see above).
bool ThreadPriorityApplies(int level);

}  // namespace platform
