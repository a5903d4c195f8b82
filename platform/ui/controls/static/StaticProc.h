#pragma once
// The "Static" window class's behaviour (platform internal): text or a
// picture (SS_BITMAP, its text "#id" naming a registered bitmap), STM_SETIMAGE
// and STM_GETIMAGE, STN_CLICKED on a tap with SS_NOTIFY.

#include "platform/ui/WinUser.h"

namespace platform {

LRESULT StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
