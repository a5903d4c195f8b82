#pragma once
// A line-per-event trace for process-level tests: when OWEBOOK_TRACE names a
// file, each call appends "<pid> <text>\n" to it with one write, so the lines
// of several processes never interleave. Without the variable it does nothing.

namespace platform {

void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace platform
