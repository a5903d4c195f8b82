#pragma once
// The "SysListView32" window class's behaviour (platform internal): a report
// list view with columns, items, states, the selection mark, searching,
// sorting by the program's comparison, colours, and its header as a child
// window.

#include "platform/ui/WinUser.h"

namespace platform {

LRESULT ListViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
