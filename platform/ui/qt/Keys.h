#pragma once
// The one table between the handheld's virtual keys and Qt's keys
// (platform internal), and the keys that type characters.

#include "platform/ui/WinUser.h"

#include <QString>

namespace platform {

// The virtual key of a Qt key; a printable ASCII key without a code of its
// own goes by its upper-case character. 0 when there is none.
UINT VirtualKeyFromQt(int qtKey, const QString& text);
// Qt::Key_unknown when there is none.
int QtKeyFromVirtualKey(UINT vk);
// The Qt key that types `c` on a plain keyboard (Key_A for 'a' and 'A').
int QtKeyOfCharacter(QChar c);
// What a key types by itself: "\r" for Enter, "\b" for Backspace...; empty
// for a key that types nothing (arrows, Delete).
QString TextOfVirtualKey(UINT vk);
// Whether WM_KEYDOWN for the key is followed by WM_CHAR: its work is then
// the character's.
bool VirtualKeyTypes(UINT vk);

}  // namespace platform
