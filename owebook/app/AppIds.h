#pragma once
// Ids of the application shell: its resources, the commands of the menu bar
// and the messages a second launch posts to the running instance.

#include "platform/core/Types.h"

// Resources.
constexpr UINT IDR_MAINFRAME = 128;      // document template; its string is the frame's title
constexpr UINT IDR_MAIN_MENU = 143;      // menu and menu-bar description
constexpr UINT IDD_MAIN_FORM = 146;      // the main view's form
constexpr UINT IDB_RULE = 156;           // the one-pixel rule of the main form

// Menu-bar buttons and their labels.
constexpr UINT ID_MENU_VIEW = 32870;
constexpr UINT ID_MENU_TOOLS = 32807;
constexpr UINT IDS_MENU_VIEW = 32922;
constexpr UINT IDS_MENU_TOOLS = 32897;
constexpr UINT IDS_MENU_HELP = 32813;

// Commands.
constexpr UINT ID_VIEW_HOME = 32910;
constexpr UINT ID_VIEW_WHAT_I_OWE = 32871;
constexpr UINT ID_VIEW_OWED_TO_ME = 32809;
constexpr UINT ID_VIEW_WHATS_DUE = 32810;
constexpr UINT ID_VIEW_ALL_ITEMS = 32869;
constexpr UINT ID_TOOLS_EDIT_CATEGORIES = 32909;
constexpr UINT ID_TOOLS_EXIT = 32923;
constexpr UINT ID_HELP_USING = 57670;
constexpr UINT ID_HELP_ABOUT = 57664;

// Tool tips of the command bar, in the order the bar takes them.
constexpr UINT IDS_TIP_ITEM = 65001;
constexpr UINT IDS_TIP_HELP = 65002;
constexpr UINT IDS_TIP_CUT = 65004;
constexpr UINT IDS_TIP_COPY = 65005;
constexpr UINT IDS_TIP_PASTE = 65006;
constexpr UINT IDS_TIP_ABOUT = 65007;
constexpr int TOOLTIP_COUNT = 6;

// Posted by a second launch (wParam and lParam 0).
constexpr UINT WM_OWEBOOK_ALARM = 0x4C9;       // command line "AppRunAtTime": a reminder is due
constexpr UINT WM_OWEBOOK_AFTERSYNC = 0x4CA;   // command line "AppRunAfterSync"; not acted upon

constexpr WCHAR CMDLINE_RUN_AT_TIME[] = u"AppRunAtTime";
constexpr WCHAR CMDLINE_AFTER_SYNC[] = u"AppRunAfterSync";
