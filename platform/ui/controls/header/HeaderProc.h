#pragma once
// The "SysHeader32" window class's behaviour (platform internal): the items
// of a list view's header, one per column.

#include "platform/ui/WinUser.h"

namespace platform {

LRESULT HeaderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
