#pragma once
// Ids of the item editor, the amount field and the categories editor: their
// templates, controls, menu bar, commands and strings.

#include "platform/core/Types.h"

// Resources.
constexpr UINT IDD_GENERAL_PAGE = 156;
constexpr UINT IDD_DATES_PAGE = 157;
constexpr UINT IDR_EDITOR_MENU = 162;       // menu and menu-bar description
constexpr UINT IDD_CATEGORIES = 168;
constexpr UINT IDR_COUNTS_MINUTES = 169;    // "LONGSTRING" count lists, 169 + unit
constexpr UINT IDB_CATEGORIES_RULE = 156;   // the one-pixel rule under the title

// Strings.
constexpr UINT IDS_EDITOR_CAPTION = 65008;
constexpr UINT IDS_NAME_OR_DESCRIPTION = 65010;
constexpr UINT IDS_NAME_OR_DESCRIPTION_LEAVE = 105;
constexpr UINT IDS_MENU_EDIT = 32797;
constexpr UINT IDS_MENU_EDITOR_TOOLS = 32897;

// Editor results (RunItemSheet).
constexpr int ITEM_SHEET_OK = 1;
constexpr int ITEM_SHEET_CANCELLED = 2;
constexpr int ITEM_SHEET_DELETE = 1172;

// Controls shared by both pages.
constexpr int IDC_PAGE_OK = 1154;
constexpr int IDC_PAGE_DELETE = 1172;

// General page.
constexpr int IDC_GENERAL_CATEGORY = 1125;
constexpr int IDC_GENERAL_IOU = 1162;
constexpr int IDC_GENERAL_UOME = 1163;
constexpr int IDC_GENERAL_NAME = 1147;
constexpr int IDC_GENERAL_AMOUNT = 1128;
constexpr int IDC_GENERAL_DESCRIPTION = 1129;

// Dates and Alarms page.
constexpr int IDC_DATES_CREATED = 1132;
constexpr int IDC_DATES_DUE = 1133;
constexpr int IDC_DATES_DUE_TIME = 1171;
constexpr int IDC_DATES_RETURNED_CHECK = 1135;
constexpr int IDC_DATES_RETURNED = 1134;
constexpr int IDC_DATES_REMINDER = 1136;
constexpr int IDC_DATES_COUNT = 1137;
constexpr int IDC_DATES_UNIT = 1138;

// Categories editor.
constexpr int IDC_CATEGORIES_NAME = 1167;
constexpr int IDC_CATEGORIES_ADD = 1165;
constexpr int IDC_CATEGORIES_DELETE = 1166;
constexpr int IDC_CATEGORIES_ISMONEY = 1168;
constexpr int IDC_CATEGORIES_LIST = 1173;

// The editor's menu bar and its commands.
constexpr UINT IDW_EDITOR_MENUBAR = 0xE800;
constexpr UINT ID_MENU_EDIT = 32795;
constexpr UINT ID_MENU_EDITOR_TOOLS = 32807;
constexpr UINT ID_EDIT_SELECT_ALL_ITEM = 32802;
constexpr UINT ID_TOOLS_DELETE_ITEM = 1172;
