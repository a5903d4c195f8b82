#pragma once
// Runs one test case of this program in a child process (gtest filter), with
// extra environment, reporting lines on a pipe of its own (descriptor 3)
// while its standard output goes nowhere. Closing its input asks it to end.

#include "support/SpawnedChild.h"

#include <string>
#include <sys/types.h>
#include <vector>

namespace uitest {

// The child's end: writes one line to descriptor 3.
void Report(const std::string& line);
// Set in a child started by UiChildProcess.
bool InChild();

class UiChildProcess : public testsupport::SpawnedChild {
public:
    UiChildProcess(const std::string& testName, const std::vector<std::string>& environment);
};

}  // namespace uitest
