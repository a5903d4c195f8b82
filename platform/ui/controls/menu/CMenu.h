#pragma once
// Menus: pop-ups of entries with command ids, separators and sub-menus, loaded
// from the registered menu resources (platform/ui/controls/menu/MenuTemplate.h) or built in
// code. An HMENU stays safe to use after the menu is destroyed: every function
// refuses a stale handle.
//
// A CMenu owns the menu it loaded or created and destroys it with itself.
// GetSubMenu and FromHandle give objects that belong to the menu; don't delete
// them. Entry texts keep the "&" of their mnemonic ("E&xit"), as Qt does.
//
// TrackPopupMenu opens a pop-up at screen coordinates and waits for the user.
// The owner first gets WM_INITMENUPOPUP (unless TPM_NONOTIFY); a chosen entry
// is posted to it as WM_COMMAND (wParam = id, lParam = 0), or returned with
// TPM_RETURNCMD.

#include "platform/core/CString.h"
#include "platform/ui/CObject.h"
#include "platform/ui/controls/menu/MenuTemplate.h"
#include "platform/ui/WinUser.h"

class CWnd;

class CMenu : public CObject {
public:
    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;

    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }
    // The program's object attached to the menu, else one that belongs to the
    // menu; null for a stale handle.
    static CMenu* FromHandle(HMENU hMenu);

    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    BOOL LoadMenu(UINT nIDResource);
    BOOL LoadMenu(LPCWSTR lpszResourceName);
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);

    CMenu* GetSubMenu(int nPos) const;
    UINT GetMenuItemCount() const;
    UINT GetMenuItemID(int nPos) const;
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);

    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);
};

// The same as free functions.
HMENU LoadMenu(HINSTANCE hInstance, LPCWSTR lpMenuName);
HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU hMenu);
BOOL IsMenu(HMENU hMenu);
BOOL AppendMenu(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem);
BOOL InsertMenu(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem);
BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags);   // destroys a sub-menu it removes
BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags);   // keeps it
HMENU GetSubMenu(HMENU hMenu, int nPos);
int GetMenuItemCount(HMENU hMenu);                 // -1 for a stale handle
UINT GetMenuItemID(HMENU hMenu, int nPos);         // 0xFFFFFFFF for a pop-up or no entry; 0 for a separator
UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags);   // 0xFFFFFFFF when there is no such entry
int GetMenuString(HMENU hMenu, UINT uIDItem, LPWSTR lpString, int cchMax, UINT flags);
// Both return the entry's previous state, 0xFFFFFFFF when there is no such entry.
UINT EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable);
DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck);
BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd, const RECT* prcRect);

inline HMENU LoadMenuW(HINSTANCE h, LPCWSTR n) { return LoadMenu(h, n); }
inline BOOL AppendMenuW(HMENU m, UINT f, UINT_PTR id, LPCWSTR t) { return AppendMenu(m, f, id, t); }
inline BOOL InsertMenuW(HMENU m, UINT p, UINT f, UINT_PTR id, LPCWSTR t) { return InsertMenu(m, p, f, id, t); }
