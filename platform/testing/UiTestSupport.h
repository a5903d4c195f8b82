#pragma once
// Helpers for tests of windows: a clean state between tests, and letting
// queued work run.

namespace platform::testing {

// Destroys every window, forgets a pending quit, and runs what is queued:
// the next test starts from nothing. Creates the application if needed.
void ResetUi();
// Runs the events and posted messages waiting now (deferred deletions too).
void ProcessEvents();

}  // namespace platform::testing
