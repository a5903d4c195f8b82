#pragma once
// Starting a program at a set time, whether or not it runs then: the
// handheld's notification service. Each request is kept in the store, so it
// outlives the program and the machine; a systemd user manager carries it out
// where one runs, a detached waiter process elsewhere.

#include "platform/core/Types.h"

#include <functional>
#include <string>

// At `localTime` (this machine's local time) starts the executable `appName`
// (a full path) with the one argument "AppRunAtTime". A new request for the
// same executable replaces the pending one; a null time removes it. A time
// that has passed starts the program at once. FALSE on failure, GetLastError:
//   ERROR_INVALID_PARAMETER  no absolute path, or not a calendar time
//   ERROR_FILE_NOT_FOUND     no executable file at that path
//   ERROR_CANTWRITE          the store could not keep the request
//   ERROR_ACCESS_DENIED      the service could not be set up; the request is
//                            kept and tried again at the next start
BOOL CeRunAppAtTime(LPCWSTR appName, const SYSTEMTIME* localTime);

namespace platform {

inline constexpr char kRunAtTimeCommandLine[] = "AppRunAtTime";

// The program's start: a start with "AppRunAtTime" uses up its own request
// when it is due, and every pending request that no service holds (the
// runtime folder was emptied by a reboot, a waiter was killed) is armed
// again. Quiet; a failure is told in one line on stderr.
void ResumeRunAtTimeAtStart(int argc, char** argv);

// Where CeRunAppAtTime goes instead of the service: tests install a recorder
// (platform/testing/ServiceRecorders.h). An empty handler restores the service.
using RunAtTimeHandler = std::function<BOOL(const std::u16string& appName, const SYSTEMTIME* localTime)>;
void SetRunAtTimeHandler(RunAtTimeHandler handler);

}  // namespace platform
