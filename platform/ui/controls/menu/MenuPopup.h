#pragma once
// Pop-up menus on screen (platform internal): the update-UI pass before a
// pop-up opens and the Qt menu that shows it.

#include "platform/ui/WinUser.h"

#include <QPoint>

class QMenu;
class QWidget;

namespace platform {

// Before pop-up `index` of a menu opens: each entry asks the owner's command
// routing (CN_UPDATE_COMMAND_UI; an entry nobody handles is disabled), then
// the owner gets WM_INITMENUPOPUP, whose handler has the last word. FALSE
// when the owner or the menu went away meanwhile.
bool PrepareMenuPopup(HMENU menu, HWND owner, UINT index, bool queryCommands, bool notify);

// A Qt menu showing `menu` as it is now; each action carries its command id
// (QAction::data). Null for a stale handle.
QMenu* BuildQMenu(HMENU menu, QWidget* parent);

// A point of the handheld's screen in Qt's global coordinates, taken
// through the desktop window of `reference` (or of the active window).
QPoint ScreenToGlobal(HWND reference, POINT screen);

}  // namespace platform
