#pragma once
// Runs this test program again in one of the helper modes of ChildModes.cpp,
// talking to it through its stdin and stdout.

#include "support/SpawnedChild.h"

#include <string>
#include <sys/types.h>
#include <vector>

namespace systemtest {

class ChildProcess : public testsupport::SpawnedChild {
public:
    // `gateFd`, when given, becomes the child's descriptor 3.
    ChildProcess(const std::vector<std::string>& args, int gateFd = -1);
};

// A fresh private runtime folder for the test, via XDG_RUNTIME_DIR, and a
// device folder (OWEBOOK_HOME) for the runtime folder to fall back to.
class ScopedRuntimeDir {
public:
    ScopedRuntimeDir();
    ~ScopedRuntimeDir();
    const std::string& Root() const { return m_root; }     // XDG_RUNTIME_DIR
    std::string Owebook() const { return m_root + "/owebook"; }
    std::string Device() const { return m_root + "/device"; }
    std::string Fallback() const { return Device() + "/runtime"; }
    std::vector<std::string> Files() const;              // names inside Owebook()

private:
    std::string m_root;
    std::string m_saved[2];
    bool m_hadSaved[2] = {false, false};
};

}  // namespace systemtest
