#pragma once
// The "Edit" window class's behaviour (platform internal): text, selection,
// the text limit, one undo level, the clipboard, read-only, the line queries
// of a multi-line edit, EN_* notifications.

#include "platform/ui/WinUser.h"

namespace platform {

LRESULT EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
