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
        if (dir)
            EXPECT_EQ(*dir, expected);
        else  // someone else's leftover there is refused, never used
            EXPECT_NE(why.find(expected), std::string::npos) << why;
    }
}

struct UnsafeFolder {
    const char* name;
    void (*prepare)(const std::string& path);
};

void PrintTo(const UnsafeFolder& c, std::ostream* out) { *out << c.name; }

class RuntimeDirRefuses : public ::testing::TestWithParam<UnsafeFolder> {};

TEST_P(RuntimeDirRefuses, AndSaysWhy)
{
    ScopedRuntimeDir runtime;
    GetParam().prepare(runtime.Owebook());
    std::string why;
    EXPECT_FALSE(platform::RuntimeDirectory(&why));
    EXPECT_NE(why.find(runtime.Owebook()), std::string::npos) << why;
}

INSTANTIATE_TEST_SUITE_P(
    Unsafe, RuntimeDirRefuses,
    ::testing::Values(
        UnsafeFolder{"GroupReadable", [](const std::string& p) { mkdir(p.c_str(), 0750); chmod(p.c_str(), 0750); }},
        UnsafeFolder{"OthersWritable", [](const std::string& p) { mkdir(p.c_str(), 0700); chmod(p.c_str(), 0703); }},
        UnsafeFolder{"PlainFile", [](const std::string& p) { close(open(p.c_str(), O_CREAT | O_WRONLY, 0600)); }},
        UnsafeFolder{"SymlinkToPrivateFolder", [](const std::string& p) {
            std::string target = p + "-real";
            mkdir(target.c_str(), 0700);
            ASSERT_EQ(symlink(target.c_str(), p.c_str()), 0);
        }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RuntimeDir, RefusesAFolderOfAnotherUser)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to give a folder away";
    ScopedRuntimeDir runtime;
    ASSERT_EQ(mkdir(runtime.Owebook().c_str(), 0700), 0);
    ASSERT_EQ(chown(runtime.Owebook().c_str(), 65534, 65534), 0);
    std::string why;
    EXPECT_FALSE(platform::RuntimeDirectory(&why));
    EXPECT_NE(why.find("another user"), std::string::npos) << why;
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
