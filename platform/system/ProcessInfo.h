#pragma once
// Facts about processes: ids and executable paths.

#include "platform/core/Types.h"

#include <cstdint>
#include <string>

constexpr DWORD MAX_PATH = 260;

DWORD GetCurrentProcessId();

// There is one module, the executable, whatever `module` says. Writes at most
// `size` code units including the terminating zero; a longer path is cut,
// terminated, and reported by returning `size` with ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);

namespace platform {

// The executable of process `pid`, filled like GetModuleFileNameW; 0 when it
// cannot be read (no such process, another user's, one that hides it).
DWORD GetProcessFileName(DWORD pid, LPWSTR fileName, DWORD size);

// The executable path of `pid` as UTF-8, empty when unreadable.
std::string ProcessExecutable(DWORD pid);

// When `pid` started, in clock ticks since boot; 0 when unknown. With the pid
// it names one process, even after the pid is reused.
std::uint64_t ProcessStartTime(DWORD pid);

}  // namespace platform
