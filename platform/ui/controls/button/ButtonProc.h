#pragma once
// The "Button" window class's behaviour (platform internal): push buttons,
// check boxes, radio buttons, group boxes; BM_* messages, BN_CLICKED.

#include "platform/ui/WinUser.h"

namespace platform {

LRESULT ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
