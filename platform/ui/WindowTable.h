#pragma once
// The table behind window handles (platform internal).

#include "platform/ui/Window.h"

namespace platform {

HWND AddWindowToTable(Window* window);
void RemoveWindowFromTable(HWND hwnd);
// Keeps the walk from a widget to its window from crossing into widgets that
// are no window's (the caption strip).
void MarkNotAWindow(QWidget* widget);

}  // namespace platform
