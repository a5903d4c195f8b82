#pragma once
// Which window messages other processes may post to this one's windows.
// None may until the program lets a message through; one that passes arrives
// with wParam and lParam 0, since an address or handle of another process
// means nothing here and must never be used as one. Requests to bring a
// window to the foreground are not messages and always pass.

#include "platform/core/Types.h"

constexpr DWORD MSGFLT_ADD = 1;
constexpr DWORD MSGFLT_REMOVE = 2;

// FALSE for another flag.
BOOL ChangeWindowMessageFilter(UINT message, DWORD flag);

namespace platform {

bool RemoteMessageAllowed(UINT message);

}  // namespace platform
