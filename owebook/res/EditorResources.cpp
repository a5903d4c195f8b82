// Resources of the item editor and the categories editor: the General page
// 156, the Dates and Alarms page 157, the categories dialog 168, the editor's
// menu 162 with its bar, the reminder count lists 169 to 172 and the strings.

#include "owebook/editor/EditorIds.h"
#include "owebook/res/ResourceTables.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/controls/datetime/DateTimeDefs.h"

namespace {

constexpr DWORD PAGE_STYLE = WS_CHILD | WS_CAPTION | DS_CONTROL;

void RegisterGeneralPage()
{
    platform::RegisterDialog({IDD_GENERAL_PAGE, u"General", PAGE_STYLE, 0, 0, 0, 127, 116, u"Tahoma", 11, {
        {u"Category", IDC_STATIC, WC_STATIC, WS_VISIBLE | SS_LEFT, 3, 2, 31, 8},
        {u"", IDC_GENERAL_CATEGORY, WC_COMBOBOX, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL,
         43, 2, 72, 88, 0, {u"Pounds", u"Dollars", u"Euros", u"Yen", u"", u"", u""}},
        {u"Type:", IDC_STATIC, WC_STATIC, WS_VISIBLE | SS_LEFT, 3, 14, 37, 8},
        {u"IOU", IDC_GENERAL_IOU, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 44, 15, 30, 8},
        {u"UOMe", IDC_GENERAL_UOME, WC_BUTTON, WS_VISIBLE | BS_AUTORADIOBUTTON, 79, 15, 37, 8},
        {u"Name:", IDC_STATIC, WC_STATIC, WS_VISIBLE | SS_LEFT, 3, 29, 35, 8},
        {u"", IDC_GENERAL_NAME, WC_COMBOBOX,
         WS_VISIBLE | WS_TABSTOP | WS_GROUP | CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL | WS_VSCROLL, 43, 26, 72, 64},
        {u"Amount:", IDC_STATIC, WC_STATIC, WS_VISIBLE | SS_LEFT, 3, 43, 37, 8},
        {u"", IDC_GENERAL_AMOUNT, WC_EDIT, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 43, 41, 72, 12},
        {u"Descripition:", IDC_STATIC, WC_STATIC, WS_VISIBLE | SS_LEFT, 3, 54, 41, 8},
        {u"", IDC_GENERAL_DESCRIPTION, WC_EDIT,
         WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL, 5, 65, 112, 27},
        {u"OK", IDC_PAGE_OK, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 95, 30, 10},
        {u"Cancel", IDCANCEL, WC_BUTTON, WS_VISIBLE | WS_TABSTOP, 40, 95, 31, 10},
        {u"Delete...", IDC_PAGE_DELETE, WC_BUTTON, WS_VISIBLE | WS_TABSTOP, 75, 95, 38, 10},
    }});
}

void RegisterDatesPage()
{
    const DWORD date = WS_VISIBLE | WS_TABSTOP | DTS_SHORTDATEFORMAT | DTS_SHOWNONE;
    platform::RegisterDialog({IDD_DATES_PAGE, u"Dates and Alarms", PAGE_STYLE, 0, 0, 0, 124, 116, u"Tahoma", 11, {
        {u"Created:", IDC_STATIC, WC_STATIC, WS_VISIBLE | SS_LEFT, 3, 4, 30, 8},
        {u"", IDC_DATES_CREATED, DATETIMEPICK_CLASS, date, 40, 3, 70, 12},
        {u"Due:", IDC_STATIC, WC_STATIC, WS_VISIBLE | SS_LEFT, 3, 18, 25, 8},
        {u"", IDC_DATES_DUE, DATETIMEPICK_CLASS, date, 40, 18, 70, 12},
        {u"", IDC_DATES_DUE_TIME, DATETIMEPICK_CLASS, WS_VISIBLE | WS_TABSTOP | DTS_TIMEFORMAT | DTS_SHOWNONE,
         40, 33, 70, 13},
        {u"Returned:", IDC_STATIC, WC_STATIC, WS_VISIBLE | SS_LEFT, 3, 50, 34, 8},
        {u"", IDC_DATES_RETURNED_CHECK, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 40, 51, 13, 8},
        {u"", IDC_DATES_RETURNED, DATETIMEPICK_CLASS, date, 49, 49, 61, 12},
        {u"Reminder:", IDC_STATIC, WC_STATIC, WS_VISIBLE | SS_LEFT, 3, 64, 37, 8},
        {u"", IDC_DATES_REMINDER, WC_COMBOBOX, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 41, 64, 69, 30, 0,
         {u"None", u"Remind Me"}},
        {u"", IDC_DATES_COUNT, WC_COMBOBOX, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN | WS_VSCROLL, 41, 78, 24, 60},
        {u"", IDC_DATES_UNIT, WC_COMBOBOX, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 65, 78, 45, 50, 0,
         {u" minute(s)", u" hour(s)", u" day(s)", u" week(s)"}},
        {u"OK", IDC_PAGE_OK, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 95, 30, 10},
        {u"Cancel", IDCANCEL, WC_BUTTON, WS_VISIBLE | WS_TABSTOP, 40, 95, 31, 10},
        {u"Delete...", IDC_PAGE_DELETE, WC_BUTTON, WS_VISIBLE | WS_TABSTOP, 75, 95, 38, 10},
    }});
}

void RegisterCategoriesDialog()
{
    platform::RegisterDialog({IDD_CATEGORIES, u"Owebook", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0,
                              0, 0, 159, 158, u"Tahoma", 9, {
        {u"Edit Categories", IDC_STATIC, WC_STATIC, WS_VISIBLE | SS_LEFT, 2, 0, 115, 8},
        {static_cast<int>(IDB_CATEGORIES_RULE), IDC_STATIC, WC_STATIC, WS_VISIBLE | SS_BITMAP, 0, 10, 160, 1},
        {u"", IDC_CATEGORIES_NAME, WC_EDIT, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 2, 12, 78, 14},
        {u"Add", IDC_CATEGORIES_ADD, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | WS_DISABLED, 82, 12, 23, 14},
        {u"Delete", IDC_CATEGORIES_DELETE, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | WS_DISABLED, 106, 12, 29, 14},
        {u"IsMoney", IDC_CATEGORIES_ISMONEY, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 2, 28, 43, 10},
        {u"", IDC_CATEGORIES_LIST, WC_LISTVIEW,
         WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 39, 135, 111},
    }});
}

void RegisterEditorMenu()
{
    platform::RegisterMenu({IDR_EDITOR_MENU, {
        {u"Edit", 0, 0, {
            {u"Undo", ID_EDIT_UNDO},
            {u"Redo", ID_EDIT_REDO},
            {u"", 0, MF_SEPARATOR},
            {u"Cut", ID_EDIT_CUT},
            {u"Copy", ID_EDIT_COPY},
            {u"Paste", ID_EDIT_PASTE},
            {u"Clear", ID_EDIT_CLEAR},
            {u"", 0, MF_SEPARATOR},
            {u"Select All", ID_EDIT_SELECT_ALL_ITEM},
        }},
        {u"Tools", 0, 0, {
            {u"Delete Item...", ID_TOOLS_DELETE_ITEM},
        }},
    }});
    platform::RegisterMenuBar({IDR_EDITOR_MENU, IDR_EDITOR_MENU, {
        {ID_MENU_EDIT, IDS_MENU_EDIT, 0},
        {ID_MENU_EDITOR_TOOLS, IDS_MENU_EDITOR_TOOLS, 1},
    }});
}

// Reminder counts by unit: minutes, hours, days, weeks. One line each, CR LF
// and a zero byte at the end.
const char COUNTS_MINUTES[] = "1,5,15,30,45\r\n";
const char COUNTS_HOURS[] = "1,2,3,4,5,6\r\n";
const char COUNTS_DAYS[] = "1,2,3,4,5,6\r\n";
const char COUNTS_WEEKS[] = "1,2,3\r\n";

}  // namespace

void RegisterEditorResources()
{
    platform::RegisterStrings({
        {IDS_EDITOR_CAPTION, u"Details"},
        {IDS_NAME_OR_DESCRIPTION, u"You must enter either Name or Descripton"},
        {IDS_NAME_OR_DESCRIPTION_LEAVE, u"You must enter either Name or Description."},
        {IDS_MENU_EDIT, u"Edit"},
        {IDS_MENU_EDITOR_TOOLS, u"Tools"},
    });
    RegisterGeneralPage();
    RegisterDatesPage();
    RegisterCategoriesDialog();
    RegisterEditorMenu();
    platform::RegisterCustomResource(u"LONGSTRING", IDR_COUNTS_MINUTES, COUNTS_MINUTES, sizeof COUNTS_MINUTES);
    platform::RegisterCustomResource(u"LONGSTRING", IDR_COUNTS_MINUTES + 1, COUNTS_HOURS, sizeof COUNTS_HOURS);
    platform::RegisterCustomResource(u"LONGSTRING", IDR_COUNTS_MINUTES + 2, COUNTS_DAYS, sizeof COUNTS_DAYS);
    platform::RegisterCustomResource(u"LONGSTRING", IDR_COUNTS_MINUTES + 3, COUNTS_WEEKS, sizeof COUNTS_WEEKS);
}
