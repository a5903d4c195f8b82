#pragma once
// Tells the testing layer when a modal dialog or message box has come up
// (platform internal).

#include "platform/ui/WinUser.h"

#include <functional>

namespace platform {

// Called with the dialog's handle once it is shown and has the focus, just
// before its modal loop runs.
using ModalHook = std::function<void(HWND)>;
void SetModalHook(ModalHook hook);   // one listener; an empty hook removes it
void NotifyModalShown(HWND hDlg);

}  // namespace platform
