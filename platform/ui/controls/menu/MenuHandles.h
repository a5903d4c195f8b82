#pragma once
// The menus behind HMENU handles (platform internal). A handle is a slot and
// generation like a window handle, so a destroyed menu's handle is refused.

#include "platform/core/CString.h"
#include "platform/ui/WinUser.h"

#include <memory>
#include <vector>

class CMenu;

namespace platform {

struct MenuTemplate;

struct MenuEntry {
    CString text;
    UINT id = 0;
    UINT flags = 0;          // MF_SEPARATOR, MF_GRAYED, MF_DISABLED, MF_CHECKED (MF_POPUP with a sub-menu)
    HMENU popup = nullptr;   // owned: destroyed with this menu
};

struct Menu {
    HMENU handle = nullptr;
    std::vector<MenuEntry> entries;
    CMenu* attached = nullptr;         // the program's object for this menu, if any
    std::unique_ptr<CMenu> wrapper;    // made on demand for FromHandle / GetSubMenu
    ~Menu();
};

HMENU NewMenu();
Menu* FindMenu(HMENU menu);
// Destroys the menu and its sub-menus; FALSE for a stale handle.
bool DestroyMenuTree(HMENU menu);
// A menu made from a registered template; null when it is not registered.
HMENU MenuFromTemplate(const MenuTemplate& menu);

// The entry for an id (searching sub-menus) or a position; null when none.
// `owner` receives the menu that holds it.
MenuEntry* FindMenuEntry(HMENU menu, UINT item, UINT flags, Menu** owner = nullptr);

}  // namespace platform
