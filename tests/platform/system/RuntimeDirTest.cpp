#include "ChildProcess.h"

#include "platform/system/RuntimeDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using systemtest::ScopedRuntimeDir;

TEST(RuntimeDir, CreatedPrivateBelowXdgRuntimeDir)
{
    ScopedRuntimeDir runtime;
    std::optional<std::string> dir = platform::RuntimeDirectory();
    ASSERT_TRUE(dir);
    EXPECT_EQ(*dir, runtime.Owebook());
    struct stat st {};
    ASSERT_EQ(stat(dir->c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(RuntimeDir, FallsBackToAPerUserFolderInTmp)
{
    ScopedRuntimeDir runtime;
    for (const char* value : {static_cast<const char*>(nullptr), "", "relative/path"}) {
        if (value)
            setenv("XDG_RUNTIME_DIR", value, 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
        std::string why;
        std::optional<std::string> dir = platform::RuntimeDirectory(&why);
        std::string expected = "/tmp/owebook-" + std::to_string(geteuid());
        if (why.empty()) {
            EXPECT_EQ(dir, expected);
        } else {  // someone else's leftover there is refused, never used
            EXPECT_NE(why.find(expected), std::string::npos) << why;
            EXPECT_EQ(dir, runtime.Fallback());
        }
    }
}

struct UnsafeFolder {
    const char* name;
    void (*prepare)(const ScopedRuntimeDir& runtime);
    const char* why;  // part of the reason given
};

void PrintTo(const UnsafeFolder& c, std::ostream* out) { *out << c.name; }

void ExpectPrivateFolder(const std::string& path)
{
    struct stat st {};
    ASSERT_EQ(lstat(path.c_str(), &st), 0) << path;
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

class RuntimeDirRefused : public ::testing::TestWithParam<UnsafeFolder> {};

// Launches of one device must still meet, so the device folder takes over.
TEST_P(RuntimeDirRefused, FallsBackToAPrivateFolderBesideTheStoreAndSaysWhy)
{
    ScopedRuntimeDir runtime;
    GetParam().prepare(runtime);
    std::string why;
    std::optional<std::string> dir = platform::RuntimeDirectory(&why);
    ASSERT_TRUE(dir) << why;
    EXPECT_EQ(*dir, runtime.Fallback());
    ExpectPrivateFolder(*dir);
    EXPECT_NE(why.find(GetParam().why), std::string::npos) << why;
    EXPECT_EQ(platform::RuntimeDirectory(), dir) << "the same folder every time";
}

INSTANTIATE_TEST_SUITE_P(
    Unsafe, RuntimeDirRefused,
    ::testing::Values(
        UnsafeFolder{"GroupReadable", [](const ScopedRuntimeDir& r) {
            mkdir(r.Owebook().c_str(), 0750);
            chmod(r.Owebook().c_str(), 0750);
        }, "open to other users"},
        UnsafeFolder{"OthersWritable", [](const ScopedRuntimeDir& r) {
            mkdir(r.Owebook().c_str(), 0700);
            chmod(r.Owebook().c_str(), 0703);
        }, "open to other users"},
        UnsafeFolder{"PlainFile", [](const ScopedRuntimeDir& r) {
            close(open(r.Owebook().c_str(), O_CREAT | O_WRONLY, 0600));
        }, "not a directory"},
        UnsafeFolder{"SymlinkToPrivateFolder", [](const ScopedRuntimeDir& r) {
            std::string target = r.Owebook() + "-real";
            mkdir(target.c_str(), 0700);
            ASSERT_EQ(symlink(target.c_str(), r.Owebook().c_str()), 0);
        }, "not a directory"},
        UnsafeFolder{"XdgRuntimeDirMissing", [](const ScopedRuntimeDir& r) {
            setenv("XDG_RUNTIME_DIR", (r.Root() + "/gone").c_str(), 1);
        }, "/gone/owebook"},
        UnsafeFolder{"XdgRuntimeDirAFile", [](const ScopedRuntimeDir& r) {
            close(open((r.Root() + "/file").c_str(), O_CREAT | O_WRONLY, 0600));
            setenv("XDG_RUNTIME_DIR", (r.Root() + "/file").c_str(), 1);
        }, "/file/owebook"},
        UnsafeFolder{"XdgRuntimeDirUnwritable", [](const ScopedRuntimeDir&) {
            setenv("XDG_RUNTIME_DIR", "/proc", 1);  // not even root may make a folder there
        }, "/proc/owebook"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RuntimeDir, FallsBackFromAFolderOfAnotherUser)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to give a folder away";
    ScopedRuntimeDir runtime;
    ASSERT_EQ(mkdir(runtime.Owebook().c_str(), 0700), 0);
    ASSERT_EQ(chown(runtime.Owebook().c_str(), 65534, 65534), 0);
    std::string why;
    EXPECT_EQ(platform::RuntimeDirectory(&why), runtime.Fallback());
    EXPECT_NE(why.find("another user"), std::string::npos) << why;
}

TEST(RuntimeDir, NoneWhenTheFallbackIsRefusedToo)
{
    ScopedRuntimeDir runtime;
    close(open(runtime.Owebook().c_str(), O_CREAT | O_WRONLY, 0600));
    mkdir(runtime.Device().c_str(), 0700);
    close(open(runtime.Fallback().c_str(), O_CREAT | O_WRONLY, 0600));
    std::string why;
    EXPECT_FALSE(platform::RuntimeDirectory(&why));
    EXPECT_NE(why.find(runtime.Owebook()), std::string::npos) << why;
}

TEST(RuntimeDir, PrivateFilesAreCreatedOwnerOnlyAndNeverFollowLinks)
{
    ScopedRuntimeDir runtime;
    std::string dir = *platform::RuntimeDirectory();
    int fd = platform::OpenPrivateFile(dir + "/file");
    ASSERT_GE(fd, 0);
    close(fd);
    struct stat st {};
    ASSERT_EQ(stat((dir + "/file").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    ASSERT_EQ(symlink((dir + "/file").c_str(), (dir + "/link").c_str()), 0);
    EXPECT_LT(platform::OpenPrivateFile(dir + "/link"), 0);
}
