#pragma once
// The date-time picker window class's behaviour (platform internal): get and
// set the value or no value, the range of values it takes.

#include "platform/ui/WinUser.h"

namespace platform {

LRESULT DateTimeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
