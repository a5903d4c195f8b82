#include "platform/ui/controls/menu/CMenu.h"

#include "platform/ui/CWnd.h"
#include "platform/ui/controls/menu/MenuHandles.h"
#include "platform/ui/controls/menu/MenuPopup.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/Window.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

#include <algorithm>

using platform::FindMenu;
using platform::FindMenuEntry;
using platform::Menu;
using platform::MenuEntry;

namespace {

constexpr UINT kNoEntry = 0xFFFFFFFF;
constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR;

bool IsTextItem(LPCWSTR text) { return text && !IS_INTRESOURCE(text); }

MenuEntry MakeEntry(UINT flags, UINT_PTR id, LPCWSTR text)
{
    MenuEntry entry;
    entry.flags = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR);
    if (flags & MF_POPUP) {
        entry.popup = reinterpret_cast<HMENU>(id);
        entry.flags |= MF_POPUP;
    } else {
        entry.id = static_cast<UINT>(id);
    }
    if (!(flags & MF_SEPARATOR) && IsTextItem(text))
        entry.text = text;
    return entry;
}

bool Contains(HMENU menu, HMENU sub)
{
    if (menu == sub)
        return true;
    const Menu* data = FindMenu(menu);
    if (!data)
        return false;
    for (const MenuEntry& entry : data->entries)
        if (entry.popup && Contains(entry.popup, sub))
            return true;
    return false;
}

}  // namespace

// --- free functions ----------------------------------------------------------

HMENU LoadMenu(HINSTANCE, LPCWSTR lpMenuName)
{
    if (!lpMenuName)
        return nullptr;
    UINT id = 0;
    if (IS_INTRESOURCE(lpMenuName)) {
        id = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(lpMenuName));
    } else if (lpMenuName[0] == u'#') {
        for (LPCWSTR p = lpMenuName + 1; *p; ++p) {
            if (*p < u'0' || *p > u'9' || id > 0xFFFF)
                return nullptr;
            id = id * 10 + static_cast<UINT>(*p - u'0');
        }
    }
    const platform::MenuTemplate* menu = platform::FindMenuTemplate(id);
    return menu ? platform::MenuFromTemplate(*menu) : nullptr;
}

HMENU CreateMenu() { return platform::NewMenu(); }

HMENU CreatePopupMenu() { return platform::NewMenu(); }

BOOL DestroyMenu(HMENU hMenu) { return platform::DestroyMenuTree(hMenu) ? TRUE : FALSE; }

BOOL IsMenu(HMENU hMenu) { return FindMenu(hMenu) ? TRUE : FALSE; }

BOOL InsertMenu(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem)
{
    Menu* menu = FindMenu(hMenu);
    if (!menu)
        return FALSE;
    MenuEntry entry = MakeEntry(uFlags, uIDNewItem, lpNewItem);
    // A sub-menu must be a live menu and must not hold the menu it goes into.
    if (entry.popup && (!FindMenu(entry.popup) || Contains(entry.popup, hMenu)))
        return FALSE;
    std::size_t at = menu->entries.size();
    if (uFlags & MF_BYPOSITION) {
        if (uPosition != kNoEntry && uPosition < at)
            at = uPosition;
    } else {
        Menu* owner = nullptr;
        MenuEntry* before = FindMenuEntry(hMenu, uPosition, MF_BYCOMMAND, &owner);
        if (!before)
            return FALSE;
        menu = owner;
        at = static_cast<std::size_t>(before - menu->entries.data());
    }
    menu->entries.insert(menu->entries.begin() + static_cast<std::ptrdiff_t>(at), entry);
    return TRUE;
}

BOOL AppendMenu(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem)
{
    return InsertMenu(hMenu, kNoEntry, uFlags | MF_BYPOSITION, uIDNewItem, lpNewItem);
}

static BOOL Remove(HMENU hMenu, UINT uPosition, UINT uFlags, bool destroySub)
{
    Menu* owner = nullptr;
    MenuEntry* entry = FindMenuEntry(hMenu, uPosition, uFlags, &owner);
    if (!entry)
        return FALSE;
    HMENU sub = entry->popup;
    owner->entries.erase(owner->entries.begin() + (entry - owner->entries.data()));
    if (sub && destroySub)
        platform::DestroyMenuTree(sub);
    return TRUE;
}

BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) { return Remove(hMenu, uPosition, uFlags, true); }

BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags) { return Remove(hMenu, uPosition, uFlags, false); }

HMENU GetSubMenu(HMENU hMenu, int nPos)
{
    if (nPos < 0)
        return nullptr;
    const MenuEntry* entry = FindMenuEntry(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION);
    return entry ? entry->popup : nullptr;
}

int GetMenuItemCount(HMENU hMenu)
{
    const Menu* menu = FindMenu(hMenu);
    return menu ? static_cast<int>(menu->entries.size()) : -1;
}

UINT GetMenuItemID(HMENU hMenu, int nPos)
{
    if (nPos < 0)
        return kNoEntry;
    const MenuEntry* entry = FindMenuEntry(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION);
    if (!entry || entry->popup)
        return kNoEntry;
    return (entry->flags & MF_SEPARATOR) ? 0 : entry->id;
}

UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags)
{
    const MenuEntry* entry = FindMenuEntry(hMenu, uId, uFlags);
    if (!entry)
        return kNoEntry;
    UINT state = entry->flags & kStateBits;
    if (entry->popup)
        state |= static_cast<UINT>(std::max(0, GetMenuItemCount(entry->popup))) << 8;
    return state;
}

int GetMenuString(HMENU hMenu, UINT uIDItem, LPWSTR lpString, int cchMax, UINT flags)
{
    const MenuEntry* entry = FindMenuEntry(hMenu, uIDItem, flags);
    if (!entry)
        return 0;
    const int length = entry->text.GetLength();
    if (!lpString || cchMax <= 0)
        return length;
    const int copied = std::min(length, cchMax - 1);
    for (int i = 0; i < copied; ++i)
        lpString[i] = entry->text[i];
    lpString[copied] = 0;
    return copied;
}

UINT EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable)
{
    MenuEntry* entry = FindMenuEntry(hMenu, uIDEnableItem, uEnable & MF_BYPOSITION);
    if (!entry)
        return kNoEntry;
    const UINT previous = entry->flags & (MF_GRAYED | MF_DISABLED);
    entry->flags = (entry->flags & ~(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
    return previous;
}

DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck)
{
    MenuEntry* entry = FindMenuEntry(hMenu, uIDCheckItem, uCheck & MF_BYPOSITION);
    if (!entry)
        return kNoEntry;
    const UINT previous = entry->flags & MF_CHECKED;
    entry->flags = (entry->flags & ~MF_CHECKED) | (uCheck & MF_CHECKED);
    return previous;
}

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT*)
{
    if (!FindMenu(hMenu) || !::IsWindow(hWnd))
        return FALSE;
    if (!(uFlags & TPM_NONOTIFY) && !platform::PrepareMenuPopup(hMenu, hWnd, 0, false, true))
        return FALSE;
    platform::Window* w = platform::LookupWindow(hWnd);
    QPointer<QMenu> qmenu = platform::BuildQMenu(hMenu, w ? w->widget.data() : nullptr);
    if (!qmenu)
        return FALSE;
    QPoint at = platform::ScreenToGlobal(hWnd, POINT{x, y});
    const QSize size = qmenu->sizeHint();
    if (uFlags & TPM_RIGHTALIGN)
        at.rx() -= size.width();
    else if (uFlags & TPM_CENTERALIGN)
        at.rx() -= size.width() / 2;
    if (uFlags & TPM_BOTTOMALIGN)
        at.ry() -= size.height();
    else if (uFlags & TPM_VCENTERALIGN)
        at.ry() -= size.height() / 2;
    QAction* chosen = qmenu->exec(at);
    const UINT id = chosen ? chosen->data().toUInt() : 0;
    delete qmenu.data();
    if (uFlags & TPM_RETURNCMD)
        return static_cast<BOOL>(id);
    if (id)
        ::PostMessage(hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return TRUE;
}

// --- CMenu -----------------------------------------------------------------------

CMenu::~CMenu()
{
    if (Menu* menu = FindMenu(m_hMenu); menu && menu->wrapper.get() != this)
        DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    Menu* menu = FindMenu(hMenu);
    if (!menu)
        return nullptr;
    if (menu->attached)
        return menu->attached;
    if (!menu->wrapper) {
        menu->wrapper = std::make_unique<CMenu>();
        menu->wrapper->m_hMenu = hMenu;
    }
    return menu->wrapper.get();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    Menu* menu = FindMenu(hMenu);
    if (!menu || m_hMenu || (menu->attached && menu->attached != this))
        return FALSE;
    menu->attached = this;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (Menu* menu = FindMenu(hMenu); menu && menu->attached == this)
        menu->attached = nullptr;
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::LoadMenu(UINT nIDResource) { return Attach(::LoadMenu(nullptr, MAKEINTRESOURCE(nIDResource))); }

BOOL CMenu::LoadMenu(LPCWSTR lpszResourceName) { return Attach(::LoadMenu(nullptr, lpszResourceName)); }

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }

BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

BOOL CMenu::DestroyMenu()
{
    HMENU hMenu = Detach();
    return hMenu ? ::DestroyMenu(hMenu) : FALSE;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCWSTR lpszNewItem)
{
    return ::AppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCWSTR lpszNewItem)
{
    return ::InsertMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }

CMenu* CMenu::GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }

UINT CMenu::GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }

UINT CMenu::GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    const MenuEntry* entry = FindMenuEntry(m_hMenu, nIDItem, nFlags);
    rString = entry ? entry->text : CString();
    return rString.GetLength();
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->GetSafeHwnd() : nullptr, lpRect);
}
