#include "UiChildProcess.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

extern char** environ;

namespace uitest {
namespace {

constexpr const char* kChildVariable = "OWEBOOK_UI_TEST_CHILD";

}  // namespace

void Report(const std::string& line)
{
    const std::string text = line + "\n";
    ssize_t written = write(3, text.data(), text.size());
    (void)written;
}

bool InChild() { return std::getenv(kChildVariable) != nullptr; }

namespace {
testsupport::SpawnOptions ChildOptions(const std::string& testName, const std::vector<std::string>& environment)
{
    testsupport::SpawnOptions options;
    options.args = {"--gtest_filter=" + testName};
    std::vector<std::string> env{std::string(kChildVariable) + "=1"};
    env.insert(env.end(), environment.begin(), environment.end());
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, kChildVariable, std::strlen(kChildVariable)) != 0)
            env.emplace_back(*e);
    options.env = std::move(env);
    options.lineFd = 3;
    return options;
}
}  // namespace

UiChildProcess::UiChildProcess(const std::string& testName, const std::vector<std::string>& environment)
    : SpawnedChild(ChildOptions(testName, environment))
{
}

}  // namespace uitest
