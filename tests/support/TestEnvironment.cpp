// Linked into every test program: tests run headless and find the build's
// programs, whether started by ctest or by hand. Values already set win.
#include <cstdlib>

namespace {
struct TestEnvironment {
    TestEnvironment()
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        setenv("OWEBOOK_TEST_BIN_DIR", OWEBOOK_BUILD_DIR, 0);
    }
} const testEnvironment;
}  // namespace

// Caches that the system's font and bus libraries keep for the life of the
// process are not leaks of ours; LeakSanitizer reads this list at exit.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libdbus\n";
}
