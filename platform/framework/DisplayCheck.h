#pragma once
// Whether the desktop the program would open its windows on can be reached.
// Qt ends the process with an abort when it cannot connect, so the program
// asks first and explains instead.

#include <string>

namespace platform {

// True when a display is named and, where it is a local X or Wayland socket,
// accepts a connection (or a -platform / QT_QPA_PLATFORM choice is given);
// otherwise false with the reason in `why`.
bool DisplayReachable(int argc, char** argv, std::string& why);

}  // namespace platform
