// Resources of the reminders: the reminder dialog 150 with its snooze list.
// The alarm clock picture 138 is one of the pictures (PictureResources.cpp).

#include "owebook/res/Resource.h"
#include "owebook/res/ResourceTables.h"
#include "platform/ui/ResourceRegistry.h"

void RegisterReminderResources()
{
    const DWORD label = WS_VISIBLE | SS_LEFT;
    platform::RegisterDialog({IDD_REMINDER, u"Owebook Reminder", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 155, 140,
                              u"Tahoma", 10, {
        {u"Type:", IDC_STATIC, WC_STATIC, label, 4, 3, 21, 11},
        {u"Static", IDC_REMINDER_TYPE, WC_STATIC, label, 40, 4, 62, 8},
        {u"Name:", IDC_STATIC, WC_STATIC, label, 4, 13, 23, 8},
        {u"Static", IDC_REMINDER_NAME, WC_STATIC, label, 40, 14, 61, 8},
        {u"Category:", IDC_STATIC, WC_STATIC, label, 4, 23, 32, 8},
        {u"Static", IDC_REMINDER_CATEGORY, WC_STATIC, label, 40, 23, 46, 8},
        {u"Due Date:", IDC_STATIC, WC_STATIC, label, 4, 33, 36, 8},
        {u"Static", IDC_REMINDER_DUE, WC_STATIC, label, 40, 33, 115, 8},
        {static_cast<int>(IDB_REMINDER), IDC_STATIC, WC_STATIC, WS_VISIBLE | SS_BITMAP, 106, 4, 32, 22},
        {u"", IDC_REMINDER_DESCRIPTION, WC_EDIT,
         WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 5, 45, 130, 30},
        {u"Snooze", IDC_REMINDER_SNOOZE, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 3, 81, 39, 10},
        {u"", IDC_REMINDER_SNOOZE_LIST, WC_COMBOBOX, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 45, 80, 53, 51, 0,
         {u"5 Minutes", u"10 Minutes", u"15 Minutes", u"1 Hour", u"2 Hours", u"3 Hours", u"1 Day", u"2 Days",
          u"3 Days", u"1 Week", u"2 Weeks", u"3 Weeks", u"1 Month", u"2 Months", u"3 Months"}},
        {u"OK", IDOK, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 100, 50, 25},
        {u"Item Returned", IDC_REMINDER_RETURNED, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 60, 100, 70, 25},
    }});
}
