#pragma once
// The "SysTabControl32" window class's behaviour (platform internal): tabs
// with text, the current tab.

#include "platform/ui/WinUser.h"

namespace platform {

LRESULT TabStripProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
