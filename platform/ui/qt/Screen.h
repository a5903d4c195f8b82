#pragma once
// The handheld's screen on the desktop: 240 x 320 pixels, portrait, with the
// caption strip (title and "ok") across the top. The desktop shows it scaled by
// OWEBOOK_SCALE (default 2): Qt scales the whole surface, so drawing stays
// crisp and every coordinate the program sees is a handheld pixel.

#include "platform/gdi/CRect.h"

namespace platform {

constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;
constexpr int kCaptionStripHeight = 26;

// OWEBOOK_SCALE as a whole number from 1 to 8; 2 when unset or unreadable.
int DesktopScale();

// Where a full-screen window goes: the screen below the caption strip.
CRect WorkArea();

// Creates the Qt application on first use (scaled as above, with the platform's
// event routing installed). The program's entry point passes its arguments;
// tests and tools may rely on the implicit call every window creation makes.
void EnsureApplication(int argc = 0, char** argv = nullptr);

}  // namespace platform
