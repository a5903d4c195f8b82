#pragma once
// Every window of the platform, and every pop-up menu while it is open, as a
// screen reader reads it over the desktop's accessibility bus: role, name or
// text, state, and position and size in the screen's pixels at every scale.

namespace platform {

// Makes the platform's accessible interfaces the ones Qt hands out; once,
// when the application is made.
void InstallAccessibility();

}  // namespace platform
