#include "ChildProcess.h"

#include "platform/core/LastError.h"
#include "platform/system/NamedMutex.h"
#include "platform/system/ThreadPriority.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using systemtest::ChildProcess;
using systemtest::ScopedRuntimeDir;

namespace {

constexpr const char16_t* kName = u"/opt/owebook/bin/owebook";

// Opens `name` and says whether it was there before; the handle goes to `out`.
bool Existed(const char16_t* name, HANDLE* out = nullptr)
{
    SetLastError(0);
    HANDLE handle = CreateMutexW(nullptr, FALSE, name);
    EXPECT_NE(handle, nullptr);
    bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    if (out)
        *out = handle;
    else
        CloseHandle(handle);
    return existed;
}

// Takes the lock that guards all names, as a process between "test" and
// "take" holds it; closing the descriptor lets it go.
int HoldGuard(const ScopedRuntimeDir& runtime)
{
    HANDLE probe = CreateMutexW(nullptr, FALSE, u"probe");  // creates the folder
    CloseHandle(probe);
    int guard = open((runtime.Owebook() + "/mutex.guard").c_str(), O_RDWR | O_CLOEXEC);
    EXPECT_GE(guard, 0);
    EXPECT_EQ(flock(guard, LOCK_EX), 0);
    return guard;
}

}  // namespace

TEST(NamedMutex, ExistsWhileAnyHandleIsOpenAsAPrivateLockFile)
{
    ScopedRuntimeDir runtime;
    std::string path = platform::MutexLockPath(runtime.Owebook(), kName);
    HANDLE first = nullptr, second = nullptr;
    EXPECT_FALSE(Existed(kName, &first));
    EXPECT_TRUE(Existed(kName, &second));
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_TRUE(CloseHandle(first));
    EXPECT_EQ(access(path.c_str(), F_OK), 0) << "another handle still holds it";
    EXPECT_TRUE(Existed(kName));
    EXPECT_TRUE(CloseHandle(second));
    EXPECT_NE(access(path.c_str(), F_OK), 0);
    EXPECT_FALSE(Existed(kName));
}

TEST(NamedMutex, NamesAreDistinctAndCaseSensitive)
{
    ScopedRuntimeDir runtime;
    HANDLE held = nullptr;
    ASSERT_FALSE(Existed(u"/Windows/app.exe", &held));
    EXPECT_FALSE(Existed(u"/windows/app.exe"));
    EXPECT_FALSE(Existed(u"/Windows/app.ex"));
    EXPECT_TRUE(Existed(u"/Windows/app.exe"));
    CloseHandle(held);
}

TEST(NamedMutex, InitialOwnershipOnlyForTheCreator)
{
    ScopedRuntimeDir runtime;
    HANDLE creator = CreateMutexW(nullptr, TRUE, kName);
    HANDLE opener = CreateMutexW(nullptr, TRUE, kName);
    EXPECT_TRUE(ReleaseMutex(creator));
    EXPECT_FALSE(ReleaseMutex(creator));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_OWNER));
    EXPECT_FALSE(ReleaseMutex(opener));
    CloseHandle(creator);
    CloseHandle(opener);
}

TEST(NamedMutex, UnnamedMutexNeedsNoRuntimeFolder)
{
    setenv("XDG_RUNTIME_DIR", "/proc/no-such-folder", 1);
    HANDLE local = CreateMutexW(nullptr, FALSE, nullptr);
    unsetenv("XDG_RUNTIME_DIR");
    ASSERT_NE(local, nullptr);
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(CloseHandle(local));
}

// Two launches that each failed to create the mutex would both run on one store.
TEST(NamedMutex, ARefusedRuntimeFolderStillLetsProcessesMeet)
{
    ScopedRuntimeDir runtime;
    ASSERT_EQ(mkdir(runtime.Owebook().c_str(), 0755), 0);
    ChildProcess holder({"hold-mutex", "/opt/owebook/bin/owebook"});
    ASSERT_EQ(holder.ReadLine(), "C");
    EXPECT_TRUE(Existed(kName));
    EXPECT_EQ(access(platform::MutexLockPath(runtime.Fallback(), kName).c_str(), F_OK), 0);
}

TEST(NamedMutex, CreationFailsWhenNoFolderCanBeUsed)
{
    ScopedRuntimeDir runtime;
    ASSERT_EQ(mkdir(runtime.Owebook().c_str(), 0755), 0);
    ASSERT_EQ(mkdir(runtime.Device().c_str(), 0700), 0);
    ASSERT_EQ(mkdir(runtime.Fallback().c_str(), 0755), 0);
    EXPECT_EQ(CreateMutexW(nullptr, FALSE, kName), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

// The guard is held for microseconds; one held for seconds belongs to a
// frozen process, which must not hang every later launch.
TEST(NamedMutex, CreatorGivesUpWhenTheGuardIsHeldPastTheDeadline)
{
    ScopedRuntimeDir runtime;
    int guard = HoldGuard(runtime);
    const DWORD start = GetTickCount();
    ChildProcess creator({"hold-mutex", "/opt/owebook/bin/owebook"});
    EXPECT_EQ(creator.ReadLine(6000), "F 1460") << "ERROR_TIMEOUT";
    const DWORD took = GetTickCount() - start;
    EXPECT_GE(took, static_cast<DWORD>(platform::kGuardDeadline.count()));
    EXPECT_LT(took, static_cast<DWORD>(platform::kGuardDeadline.count()) + 3000);
    close(guard);
}

TEST(Handles, CloseRefusesUnknownHandlesAndAcceptsPseudoHandles)
{
    int notAHandle = 0;
    EXPECT_FALSE(CloseHandle(&notAHandle));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_TRUE(CloseHandle(GetCurrentThread()));

    HANDLE mutex = CreateMutexW(nullptr, FALSE, nullptr);
    EXPECT_TRUE(CloseHandle(mutex));
    EXPECT_FALSE(CloseHandle(mutex)) << "a handle closes once";
}

// Another process holds the name; it must vanish however that process ends.
class MutexHolderEnds : public ::testing::TestWithParam<int> {};

TEST_P(MutexHolderEnds, NameIsFreeAfterwards)
{
    ScopedRuntimeDir runtime;
    ChildProcess holder({"hold-mutex", "/opt/owebook/bin/owebook"});
    ASSERT_EQ(holder.ReadLine(), "C");
    EXPECT_TRUE(Existed(kName));

    if (GetParam() == 0) {
        holder.CloseInput();
        EXPECT_EQ(holder.Wait(), 0);
    } else {
        holder.Kill(GetParam());
        EXPECT_EQ(holder.Wait(), 128 + GetParam());
    }
    EXPECT_FALSE(Existed(kName));
}

INSTANTIATE_TEST_SUITE_P(Exit, MutexHolderEnds, ::testing::Values(0, SIGKILL, SIGTERM),
                         [](const auto& info) {
                             return info.param == 0 ? std::string("Normally")
                                    : info.param == SIGKILL ? std::string("Killed")
                                                            : std::string("Terminated");
                         });

TEST(NamedMutex, TenRacingProcessesExactlyOneCreates)
{
    ScopedRuntimeDir runtime;
    for (int round = 0; round < 3; ++round) {
        int gate[2];
        ASSERT_EQ(pipe2(gate, O_CLOEXEC), 0);
        std::vector<std::unique_ptr<ChildProcess>> racers;
        for (int i = 0; i < 10; ++i)
            racers.push_back(std::make_unique<ChildProcess>(
                std::vector<std::string>{"hold-mutex", "/opt/owebook/bin/owebook", "--gate"}, gate[0]));
        close(gate[0]);
        Sleep(100);  // let them all reach the gate
        close(gate[1]);

        int created = 0, existed = 0;
        for (auto& racer : racers) {
            std::string answer = racer->ReadLine();
            created += answer == "C";
            existed += answer == "E";
        }
        EXPECT_EQ(created, 1) << "round " << round;
        EXPECT_EQ(existed, 9) << "round " << round;
        for (auto& racer : racers)
            racer->CloseInput();
        for (auto& racer : racers)
            EXPECT_EQ(racer->Wait(), 0);
        EXPECT_FALSE(Existed(kName)) << "all holders ended";
    }
}

// The race above is too quick to lose reliably; this checks directly that a
// creator waits while another process is between "test" and "take".
TEST(NamedMutex, CreatorWaitsForTheGuardHeldElsewhere)
{
    ScopedRuntimeDir runtime;
    int guard = HoldGuard(runtime);
    ChildProcess creator({"hold-mutex", "/opt/owebook/bin/owebook"});
    EXPECT_EQ(creator.ReadLine(300), "") << "created while the guard was held";
    close(guard);
    EXPECT_EQ(creator.ReadLine(), "C");
}
