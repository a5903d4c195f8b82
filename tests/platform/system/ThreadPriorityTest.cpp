#include "platform/core/LastError.h"
#include "platform/system/ThreadPriority.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sched.h>
#include <thread>

TEST(ThreadPriority, EveryLevelReadsBackPerThreadAndNormalRestores)
{
    ASSERT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST));
    std::thread([] {
        HANDLE self = GetCurrentThread();
        EXPECT_EQ(GetThreadPriority(self), THREAD_PRIORITY_NORMAL);
        for (int level = THREAD_PRIORITY_TIME_CRITICAL; level <= THREAD_PRIORITY_IDLE; ++level) {
            EXPECT_TRUE(SetThreadPriority(self, level)) << level;
            EXPECT_EQ(GetThreadPriority(self), level);
        }
        EXPECT_TRUE(SetThreadPriority(self, THREAD_PRIORITY_NORMAL));
        EXPECT_EQ(GetThreadPriority(self), THREAD_PRIORITY_NORMAL);
    }).join();
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_LOWEST) << "another thread's levels are its own";
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
}

TEST(ThreadPriority, IdleReachesTheSchedulerWhereItCanBeUndone)
{
    std::thread([] {
        if (!platform::ThreadPriorityApplies(THREAD_PRIORITY_IDLE))
            GTEST_SKIP() << "this thread could not climb back, so levels are only remembered";
        HANDLE self = GetCurrentThread();
        int before = GetThreadPriority(self);
        ASSERT_TRUE(SetThreadPriority(self, THREAD_PRIORITY_IDLE));
        EXPECT_EQ(sched_getscheduler(0), SCHED_IDLE);
        ASSERT_TRUE(SetThreadPriority(self, before));
        EXPECT_EQ(sched_getscheduler(0), SCHED_OTHER);
    }).join();
}

TEST(ThreadPriority, RefusesBadLevelsAndForeignHandles)
{
    for (int level : {-1, 8, -15, 15, THREAD_PRIORITY_ERROR_RETURN}) {
        SetLastError(0);
        EXPECT_FALSE(SetThreadPriority(GetCurrentThread(), level)) << level;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_NORMAL);

    int notAThread = 0;
    EXPECT_FALSE(SetThreadPriority(&notAThread, THREAD_PRIORITY_IDLE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(GetThreadPriority(nullptr), THREAD_PRIORITY_ERROR_RETURN);
}

TEST(Sleep, WaitsAtLeastTheGivenTime)
{
    for (DWORD ms : {0u, 1u, 120u}) {
        auto start = std::chrono::steady_clock::now();
        Sleep(ms);
        auto took = std::chrono::steady_clock::now() - start;
        EXPECT_GE(took, std::chrono::milliseconds(ms)) << ms;
        EXPECT_LT(took, std::chrono::milliseconds(ms + 1000)) << ms;
    }
}

TEST(Sleep, TickCountMeasuresTheSleep)
{
    DWORD before = GetTickCount();
    Sleep(120);
    DWORD took = GetTickCount() - before;
    EXPECT_GE(took, 120u);
    EXPECT_LT(took, 1120u);
}
