#pragma once
// The "ComboBox" window class's behaviour (platform internal): items and
// their data, sorted insertion, case-insensitive searches, the drop-down's
// edit field, CBN_* notifications.

#include "platform/ui/WinUser.h"

namespace platform {

LRESULT ComboProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
