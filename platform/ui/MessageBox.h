#pragma once
// Message boxes: modal dialogs of the platform with the caption in the strip,
// an icon, the text (a static with id IDC_MSGBOX_TEXT) and the buttons of the
// type (IDOK, IDCANCEL, IDYES, IDNO, IDRETRY...). Escape and closing the
// desktop window answer IDCANCEL when there is a Cancel button, IDOK when OK is
// the only one, and nothing otherwise.

#include "platform/core/CString.h"
#include "platform/ui/WinUser.h"

#include <functional>

// ::MessageBox and ::MessageBeep are in WinApi.h.
// With no caption, the application's title (platform::SetAppTitle).
int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = -1);

namespace platform {

// The caption of AfxMessageBox and of message boxes without one.
void SetAppTitle(const CString& title);
CString AppTitle();

// Where MessageBeep goes; the sound layer installs its player, tests a
// counter. Without one, the sound service plays it (platform/system/sound).
using BeepHandler = std::function<void(UINT type)>;
void SetBeepHandler(BeepHandler handler);

}  // namespace platform
