#pragma once
// Tells the top-level windows when the desktop's locale or time zone changes:
// WM_SETTINGCHANGE with lParam kSettingIntl (the handheld's "international
// settings changed"), which frames pass on to their views.

#include "platform/ui/WinUser.h"

namespace platform {

constexpr LPARAM kSettingIntl = 1;

// Watches /etc/localtime, TZ and the system locale; AfxWinInit starts it.
void StartSettingWatch();
void StopSettingWatch();
// Looks at the time zone and locale now and broadcasts when they changed
// since the last look. Returns whether it broadcast.
bool CheckSettings();
// The broadcast itself, for whoever learns of a change another way.
void NotifySettingsChanged();

}  // namespace platform
