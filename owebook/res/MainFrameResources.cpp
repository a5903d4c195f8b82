// Resources of the application shell: the frame's title, the main form 146,
// menu 143 with its menu-bar description, the bar's labels and tool tips. The
// rule bitmap of the form is one of the pictures (PictureResources.cpp).

#include "owebook/app/AppIds.h"
#include "owebook/res/ResourceTables.h"
#include "platform/ui/ResourceRegistry.h"

namespace {

// Control ids of form 146.
constexpr int IDC_MAIN_TITLE = 1124;
constexpr int IDC_MAIN_CATEGORY = 1125;
constexpr int IDC_MAIN_LIST = 1073;
constexpr int IDC_MAIN_TOTALS = 1164;
constexpr int IDC_MAIN_OPEN = 1139;

void RegisterMainForm()
{
    platform::RegisterDialog({IDD_MAIN_FORM, u"", WS_CHILD | DS_SETFONT | DS_CONTROL, 0, 0, 0, 139, 160, u"Tahoma", 9, {
        {u"What's Due", IDC_MAIN_TITLE, WC_STATIC, WS_VISIBLE | SS_LEFT, 2, 3, 67, 8},
        {u"", IDC_MAIN_CATEGORY, WC_COMBOBOX, WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 67, 2, 70, 140, 0,
         {u"", u"", u"", u"", u"", u"", u"", u"", u"", u""}},
        {static_cast<int>(IDB_RULE), IDC_STATIC, WC_STATIC, WS_VISIBLE | SS_BITMAP, 0, 15, 137, 1},
        {u"", IDC_MAIN_LIST, WC_LISTVIEW,
         WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOLABELWRAP | LVS_ALIGNLEFT,
         0, 16, 138, 123},
        {static_cast<int>(IDB_RULE), IDC_STATIC, WC_STATIC, WS_VISIBLE | SS_BITMAP, 0, 139, 137, 1},
        {u"0000000000", IDC_MAIN_TOTALS, WC_STATIC, WS_VISIBLE | SS_LEFT, 2, 140, 133, 20},
        {u"Button1", IDC_MAIN_OPEN, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 160, 160, 5, 5},
    }});
}

void RegisterMainMenu()
{
    platform::RegisterMenu({IDR_MAIN_MENU, {
        {u"View", 0, 0, {
            {u"Home", ID_VIEW_HOME},
            {u"", 0, MF_SEPARATOR},
            {u"What I Owe", ID_VIEW_WHAT_I_OWE},
            {u"What's Owed to Me", ID_VIEW_OWED_TO_ME},
            {u"What's Due", ID_VIEW_WHATS_DUE},
            {u"All Items", ID_VIEW_ALL_ITEMS},
        }},
        {u"Tools", 0, 0, {
            {u"Edit Categories...", ID_TOOLS_EDIT_CATEGORIES},
            {u"", 0, MF_SEPARATOR},
            {u"E&xit", ID_TOOLS_EXIT},
        }},
        {u"Help", 0, 0, {
            {u"Using Owebook", ID_HELP_USING},
            {u"", 0, MF_SEPARATOR},
            {u"About Owebook", ID_HELP_ABOUT},
        }},
    }});
    platform::RegisterMenuBar({IDR_MAIN_MENU, IDR_MAIN_MENU, {
        {ID_MENU_VIEW, IDS_MENU_VIEW, 0},
        {ID_MENU_TOOLS, IDS_MENU_TOOLS, 1},
        {ID_HELP_USING, IDS_MENU_HELP, 2},
    }});
}

}  // namespace

void RegisterMainFrameResources()
{
    platform::RegisterStrings({
        {IDR_MAINFRAME, u"Owebook"},
        {IDS_MENU_VIEW, u"View"},
        {IDS_MENU_TOOLS, u"Tools"},
        {IDS_MENU_HELP, u"Help"},
        {IDS_TIP_ITEM, u"Item"},
        {IDS_TIP_HELP, u"Help"},
        {IDS_TIP_CUT, u"Cut"},
        {IDS_TIP_COPY, u"Copy"},
        {IDS_TIP_PASTE, u"Paste"},
        {IDS_TIP_ABOUT, u"About"},
    });
    RegisterMainForm();
    RegisterMainMenu();
}
