#include "ChildProcess.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace systemtest {

namespace {
testsupport::SpawnOptions ChildOptions(const std::vector<std::string>& args, int gateFd)
{
    testsupport::SpawnOptions options;
    options.args = {"--system-child"};
    options.args.insert(options.args.end(), args.begin(), args.end());
    options.extraFd = gateFd;
    return options;
}
}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& args, int gateFd)
    : SpawnedChild(ChildOptions(args, gateFd))
{
}

namespace {
const char* const kVariables[2] = {"XDG_RUNTIME_DIR", "OWEBOOK_HOME"};
}  // namespace

ScopedRuntimeDir::ScopedRuntimeDir()
{
    char pattern[] = "/tmp/owebook-systest-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("mkdtemp");
    m_root = pattern;
    for (int i = 0; i < 2; ++i)
        if (const char* old = std::getenv(kVariables[i])) {
            m_saved[i] = old;
            m_hadSaved[i] = true;
        }
    setenv("XDG_RUNTIME_DIR", m_root.c_str(), 1);
    setenv("OWEBOOK_HOME", Device().c_str(), 1);
}

ScopedRuntimeDir::~ScopedRuntimeDir()
{
    for (int i = 0; i < 2; ++i) {
        if (m_hadSaved[i])
            setenv(kVariables[i], m_saved[i].c_str(), 1);
        else
            unsetenv(kVariables[i]);
    }
    std::error_code ignored;
    std::filesystem::permissions(Owebook(), std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(m_root, ignored);
}

std::vector<std::string> ScopedRuntimeDir::Files() const
{
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& item : std::filesystem::directory_iterator(Owebook(), ignored))
        names.push_back(item.path().filename().string());
    return names;
}

}  // namespace systemtest
