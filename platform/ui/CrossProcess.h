#pragma once
// Windows of other Owebook processes (platform internal; the program uses
// EnumWindows, GetWindowThreadProcessId, SetForegroundWindow and PostMessage).
//
// A window of another process has a handle with the top bit set: the 64-bit
// platform::WindowId of platform/system/RemoteWindows.h as it is. This
// process's top-level windows are announced while they exist, and requests
// for them from other processes come back to the UI thread as a posted
// message or a foreground request.

#include "platform/system/RemoteWindows.h"
#include "platform/ui/WinUser.h"

namespace platform {

bool IsRemoteHandle(HWND hwnd);
HWND RemoteHandle(WindowId window);

// Installs the receiving side; called once the Qt application exists.
void InstallCrossProcessGlue();
void AnnounceTopLevelWindow(HWND hwnd);
void WithdrawTopLevelWindow(HWND hwnd);

// The low bit of the handle asks for the window's owned windows too: they
// come forward with it and an enabled one (a modal dialog over a disabled
// frame) takes the activation.
BOOL BringToForeground(HWND hwnd);
BOOL PostToRemoteWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// This process's top-level windows, then those the other processes announce.
BOOL EnumAllTopLevelWindows(BOOL (*proc)(HWND, LPARAM), LPARAM lParam);

}  // namespace platform
