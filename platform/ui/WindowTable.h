#pragma once
// The table behind window handles (platform internal).

#include "platform/ui/Window.h"

namespace platform {

// The table owns its windows: 0 (and the window dropped) when it is full.
HWND AddWindowToTable(std::unique_ptr<Window> window);
std::unique_ptr<Window> RemoveWindowFromTable(HWND hwnd);
// Keeps the walk from a widget to its window from crossing into widgets that
// are no window's (the caption strip).
void MarkNotAWindow(QWidget* widget);

}  // namespace platform
