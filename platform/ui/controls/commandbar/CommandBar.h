#pragma once
// The handheld's command bar as functions (the class is CCeCommandBar): a strip
// along the BOTTOM of its parent's client area holding the menu bar (one button
// per pop-up, labelled from the string table), command buttons and
// adornments. It keeps itself at the bottom whenever the parent is resized;
// whoever lays out the parent leaves CommandBar_Height at the bottom free.
//
// A tap on a menu button runs the parent's update-UI queries for the pop-up's
// entries (CN_UPDATE_COMMAND_UI through its OnCmdMsg; entries nobody handles
// are disabled), sends it WM_INITMENUPOPUP, then opens the pop-up. A chosen
// entry, a command button and the "ok" adornment are posted to the parent as
// WM_COMMAND (wParam = id, lParam = 0).
//
// Tool tips (TB_SETTOOLTIPS, copied) go, in order, to the command buttons (the
// menu buttons show their labels); tips for buttons not there yet are kept
// for them.

#include "platform/ui/WinUser.h"

constexpr DWORD CMDBAR_HELP = 0x0001;
constexpr DWORD CMDBAR_OK = 0x0002;

#define COMMANDBAR_CLASS u"CommandBar"

// Null on failure (no such parent).
HWND CommandBar_Create(HINSTANCE hInst, HWND hwndParent, int idCmdBar);
// The menu-bar description `idMenu` (MenuTemplate.h RegisterMenuBar), or a plain
// menu of that id (one button per pop-up), before button iButton; replaces the
// menu bar the bar had.
BOOL CommandBar_InsertMenubar(HWND hwndCB, HINSTANCE hInst, WORD idMenu, WORD iButton);
HMENU CommandBar_GetMenu(HWND hwndCB, WORD iButton);
// Flags 0: nothing to add (the caption strip has the close and "ok" of the
// window). CMDBAR_OK adds an "ok" that sends IDOK. CMDBAR_HELP is not offered
// here: it fails.
BOOL CommandBar_AddAdornments(HWND hwndCB, DWORD dwFlags, DWORD dwReserved);
BOOL CommandBar_AddToolTips(HWND hwndCB, UINT uNumToolTips, LPCWSTR* lpToolTips);
BOOL CommandBar_Show(HWND hwndCB, BOOL fShow);
BOOL CommandBar_IsVisible(HWND hwndCB);
int CommandBar_Height(HWND hwndCB);   // 0 for a window that is not a command bar
void CommandBar_Destroy(HWND hwndCB);

namespace platform {

constexpr int kCommandBarHeight = 26;

// A push button with text that sends `command`; before button `index` (-1: last).
BOOL AddCommandBarButton(HWND bar, LPCWSTR text, UINT command, int index = -1);
// Bar styles (CBRS_...), kept with the bar.
DWORD CommandBarStyle(HWND bar);
void SetCommandBarStyle(HWND bar, DWORD style);
// Makes sure the window class exists (CommandBar_Create does it).
void RegisterCommandBarClass();
// The "CommandBar" class's behaviour: TB_SETTOOLTIPS, TB_BUTTONCOUNT.
LRESULT CommandBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
