// Linked into every test program: tests run headless, find the build's
// programs, and see no other process's windows, locks or device files,
// whether started by ctest or by hand. Values already set win.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {
// Each test process gets a runtime folder of its own, so that windows and
// mutexes of tests running beside it (or of a real Owebook) never show up in
// it. Processes a test starts inherit the folder, or the one the test gives them.
class TestEnvironment {
public:
    TestEnvironment()
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        setenv("OWEBOOK_TEST_BIN_DIR", OWEBOOK_BUILD_DIR, 0);
        if (std::getenv("OWEBOOK_TEST_RUNTIME_OWNER"))
            return;
        char folder[] = "/tmp/owebook-test-run-XXXXXX";
        if (!mkdtemp(folder))
            return;
        m_folder = folder;
        setenv("XDG_RUNTIME_DIR", folder, 1);
        // Programs a test starts put their device files in place: never in the user's device.
        setenv("OWEBOOK_HOME", (m_folder + "/device").c_str(), 0);
        setenv("OWEBOOK_TEST_RUNTIME_OWNER", std::to_string(getpid()).c_str(), 1);
    }

    ~TestEnvironment()
    {
        const char* owner = std::getenv("OWEBOOK_TEST_RUNTIME_OWNER");
        if (m_folder.empty() || !owner || std::to_string(getpid()) != owner)
            return;
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

private:
    std::string m_folder;
};

TestEnvironment testEnvironment;
}  // namespace

// Caches that the system's font and bus libraries keep for the life of the
// process are not leaks of ours; LeakSanitizer reads this list at exit.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libdbus\n";
}
