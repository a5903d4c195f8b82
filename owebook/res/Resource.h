#pragma once
// Resource ids of the program.

#include "platform/core/Types.h"

// "LONGSTRING" resources: single-byte comma-separated default lists.
constexpr UINT IDR_DEFAULT_CATEGORIES = 166;

// Bitmaps (PictureResources.cpp); the rule 156 is IDB_RULE of the application shell.
constexpr UINT IDB_REMINDER = 138;        // the reminder dialog's alarm clock, 56 x 44, 256 colours
constexpr UINT IDB_ABOUT_LOGO = 152;      // the About box's wordmark, 147 x 60, 16 colours
constexpr UINT IDB_HOME_WHAT_I_OWE = 154; // the home screen's pictures, 105 x 95, 8 bits per pixel
constexpr UINT IDB_HOME_OWED_TO_ME = 174;
constexpr UINT IDB_HOME_ALL_ITEMS = 175;
constexpr UINT IDB_HOME_WHATS_DUE = 176;

// String table.
constexpr UINT IDS_ALL_MONEY = 65009;
constexpr UINT IDS_FIELD_FIRST = 65013;  // headers of the item fields, 65013 + field
constexpr UINT IDS_FIELD_TYPE = 65013;
constexpr UINT IDS_FIELD_CATEGORY = 65014;
constexpr UINT IDS_FIELD_NAME = 65015;
constexpr UINT IDS_FIELD_RETURNED = 65016;
constexpr UINT IDS_FIELD_DUE = 65017;
constexpr UINT IDS_FIELD_AMOUNT = 65018;
constexpr UINT IDS_FIELD_DESCRIPTION = 65019;
constexpr UINT IDS_IOU = 65020;
constexpr UINT IDS_UOME = 65021;
constexpr UINT IDS_NO_CATEGORY = 65023;
constexpr UINT IDS_ALL_CATEGORIES = 65026;

// Item views: the main view's form controls, commands and texts.
constexpr int IDC_VIEW_TITLE = 1124;
constexpr int IDC_VIEW_CATEGORY = 1125;
constexpr int IDC_VIEW_LIST = 1073;
constexpr int IDC_VIEW_TOTALS = 1164;
constexpr int IDC_VIEW_OPEN = 1139;
constexpr UINT ID_VIEW_NEW_ITEM = 32916;     // no menu carries it
constexpr UINT ID_VIEW_RESET = 32906;        // no menu carries it: deletes every database
constexpr UINT IDS_TITLE_FIRST = 32814;      // mode titles, 32814 + mode
constexpr UINT IDS_VIEW_NEW_ITEM = 32916;
constexpr UINT IDS_DETAILS = 65008;
constexpr UINT IDS_TOTAL_CHOOSE = 65022;
constexpr UINT IDS_TOTAL_FORMAT = 65025;
// The reminder dialog (ReminderResources.cpp).
constexpr UINT IDD_REMINDER = 150;
constexpr int IDC_REMINDER_RETURNED = 1117;
constexpr int IDC_REMINDER_SNOOZE = 1118;
constexpr int IDC_REMINDER_SNOOZE_LIST = 1119;
constexpr int IDC_REMINDER_NAME = 1120;
constexpr int IDC_REMINDER_CATEGORY = 1121;
constexpr int IDC_REMINDER_DUE = 1122;
constexpr int IDC_REMINDER_DESCRIPTION = 1167;
constexpr int IDC_REMINDER_TYPE = 1178;
// Home screen, About box and the maker's other products (HomeResources.cpp).
constexpr UINT IDD_ABOUT = 153;
constexpr UINT IDD_HOME = 159;
constexpr UINT IDD_OTHER_PRODUCTS = 177;
constexpr UINT IDS_VERSION = 65024;
constexpr int IDC_HOME_OWED_TO_ME = 1157;     // the home screen's other two pictures carry the
constexpr int IDC_HOME_WHATS_DUE = 1158;      // ids of the View commands What I Owe and All Items
constexpr int IDC_ABOUT_OTHER_PRODUCTS = 1114;
constexpr int IDC_ABOUT_VERSION = 1115;
