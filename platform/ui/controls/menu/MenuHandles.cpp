#include "platform/ui/controls/menu/MenuHandles.h"

#include "platform/gdi/HandleTable.h"
#include "platform/ui/controls/menu/CMenu.h"
#include "platform/ui/controls/menu/MenuTemplate.h"

namespace platform {
namespace {

HandleTable<Menu>& Table()
{
    static auto* table = new HandleTable<Menu>;   // never destroyed: handles may be used during exit
    return *table;
}

std::uintptr_t Value(HMENU menu) { return reinterpret_cast<std::uintptr_t>(menu); }

HMENU FromEntries(const std::vector<MenuItemTemplate>& items)
{
    HMENU handle = NewMenu();
    Menu* menu = FindMenu(handle);
    if (!menu)
        return nullptr;
    for (const MenuItemTemplate& item : items) {
        MenuEntry entry{item.text, item.id, item.flags & ~MF_POPUP, nullptr};
        if (!item.popup.empty() || (item.flags & MF_POPUP)) {
            entry.popup = FromEntries(item.popup);
            entry.flags |= MF_POPUP;
            entry.id = 0;
            menu = FindMenu(handle);
        }
        if (entry.flags & MF_SEPARATOR)
            entry.text.Empty();
        menu->entries.push_back(entry);
    }
    return handle;
}

}  // namespace

Menu::~Menu()
{
    if (wrapper)
        wrapper->m_hMenu = nullptr;
    if (attached)
        attached->m_hMenu = nullptr;
}

HMENU NewMenu()
{
    auto* menu = new Menu;
    menu->handle = reinterpret_cast<HMENU>(Table().Add(menu));
    if (!menu->handle) {
        delete menu;
        return nullptr;
    }
    return menu->handle;
}

Menu* FindMenu(HMENU menu) { return Table().Get(Value(menu)); }

bool DestroyMenuTree(HMENU handle)
{
    Menu* menu = Table().Remove(Value(handle));
    if (!menu)
        return false;
    for (MenuEntry& entry : menu->entries)
        if (entry.popup)
            DestroyMenuTree(entry.popup);
    delete menu;
    return true;
}

HMENU MenuFromTemplate(const MenuTemplate& menu) { return FromEntries(menu.items); }

MenuEntry* FindMenuEntry(HMENU handle, UINT item, UINT flags, Menu** owner)
{
    Menu* menu = FindMenu(handle);
    if (!menu)
        return nullptr;
    if (flags & MF_BYPOSITION) {
        if (item >= menu->entries.size())
            return nullptr;
        if (owner)
            *owner = menu;
        return &menu->entries[item];
    }
    for (MenuEntry& entry : menu->entries) {
        if (entry.popup) {
            if (MenuEntry* found = FindMenuEntry(entry.popup, item, flags, owner))
                return found;
        } else if (!(entry.flags & MF_SEPARATOR) && entry.id == item) {
            if (owner)
                *owner = menu;
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace platform
