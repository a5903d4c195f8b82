#pragma once
// Dialog templates the window tests share, registered on first use.

#include "platform/ui/ResourceRegistry.h"

namespace testdlg {

constexpr UINT kDetails = 9001;   // full-screen dialog: edit, combo, check box, buttons
constexpr UINT kForm = 9002;      // a child form
constexpr int kName = 1147;
constexpr int kCategory = 1125;
constexpr int kSnooze = 1118;
constexpr int kSave = 1154;       // the template's default button
constexpr int kDelete = 1172;
constexpr int kLabel = 1164;

inline void Register()
{
    platform::RegisterDialog({kDetails, u"Details", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 127, 116,
                              u"Tahoma", 9,
                              {
                                  {u"Name:", IDC_STATIC, WC_STATIC, WS_VISIBLE | SS_LEFT, 3, 29, 35, 8},
                                  {u"", kName, u"TESTEDIT", WS_VISIBLE | WS_TABSTOP | WS_BORDER, 43, 26, 72, 12},
                                  {u"", kCategory, WC_COMBOBOX, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 43, 2, 72, 88, 0,
                                   {u"Pounds", u"Dollars", u""}},
                                  {u"Snooze", kSnooze, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 3, 81, 39, 10},
                                  {u"Total: 0.00", kLabel, WC_STATIC, WS_VISIBLE | SS_LEFT, 2, 60, 100, 8},
                                  {u"OK", kSave, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 95, 30, 10},
                                  {u"Cancel", IDCANCEL, WC_BUTTON, WS_VISIBLE | WS_TABSTOP, 40, 95, 31, 10},
                                  {u"Delete...", kDelete, WC_BUTTON, WS_VISIBLE | WS_TABSTOP, 75, 95, 38, 10},
                              }});
    platform::RegisterDialog({kForm, u"", WS_CHILD, 0, 0, 0, 138, 165, u"Tahoma", 9,
                              {
                                  {u"What's Due", 1124, WC_STATIC, WS_VISIBLE | SS_LEFT, 2, 3, 67, 8},
                                  {156, -1, WC_STATIC, WS_VISIBLE | SS_BITMAP, 0, 15, 137, 1},
                                  {u"Button1", 1139, WC_BUTTON, WS_VISIBLE | BS_DEFPUSHBUTTON, 160, 160, 5, 5},
                              }});
}

}  // namespace testdlg
