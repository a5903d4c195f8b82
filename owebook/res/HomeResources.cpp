// Resources of the home screen (159), the About box (153) and the maker's
// other products (177), with the version string the About box shows.

#include "owebook/app/AppIds.h"
#include "owebook/res/Resource.h"
#include "owebook/res/ResourceTables.h"
#include "platform/ui/ResourceRegistry.h"

namespace {

constexpr DWORD PICTURE = WS_VISIBLE | SS_BITMAP;
constexpr DWORD LABEL = WS_VISIBLE | SS_LEFT;

void RegisterHomeScreen()
{
    // Each picture is a tap target; two carry the ids of the View commands.
    platform::RegisterDialog({IDD_HOME, u"Owebook", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 155,
                              151, u"Tahoma", 10, {
        {static_cast<int>(IDB_HOME_WHAT_I_OWE), static_cast<int>(ID_VIEW_WHAT_I_OWE), WC_STATIC, PICTURE | SS_NOTIFY,
         4, 4, 63, 48},
        {u"What I Owe", IDC_STATIC, WC_STATIC, LABEL, 15, 56, 40, 8},
        {static_cast<int>(IDB_HOME_OWED_TO_ME), IDC_HOME_OWED_TO_ME, WC_STATIC, PICTURE | SS_NOTIFY, 71, 4, 63, 48},
        // Two units left of where the handheld has it: in Tahoma's wider
        // stand-in the name would lose its last letter at the screen's edge.
        {u"What's Owed to Me", IDC_STATIC, WC_STATIC, LABEL, 71, 56, 67, 8},
        {static_cast<int>(IDB_HOME_WHATS_DUE), IDC_HOME_WHATS_DUE, WC_STATIC, PICTURE | SS_NOTIFY, 3, 72, 63, 48},
        {u"What's Due", IDC_STATIC, WC_STATIC, LABEL, 15, 124, 45, 8},
        {static_cast<int>(IDB_HOME_ALL_ITEMS), static_cast<int>(ID_VIEW_ALL_ITEMS), WC_STATIC, PICTURE | SS_NOTIFY,
         72, 72, 63, 48},
        {u"All Items", IDC_STATIC, WC_STATIC, LABEL, 88, 124, 30, 8},
    }});
}

void RegisterAboutBox()
{
    platform::RegisterDialog({IDD_ABOUT, u"About Owebook\u2122", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 154, 150,
                              u"Tahoma", 10, {
        {u"About Brightel's Owebook\u2122", IDC_STATIC, WC_STATIC, LABEL, 3, 0, 96, 8},
        {static_cast<int>(IDB_RULE), IDC_STATIC, WC_STATIC, PICTURE, 0, 9, 137, 1},
        {u"Lend it, borrow it, remember it.", IDC_STATIC, WC_STATIC, LABEL | SS_CENTER, 2, 14, 133, 8},
        {static_cast<int>(IDB_ABOUT_LOGO), IDC_STATIC, WC_STATIC, PICTURE, 26, 25, 84, 30},
        {u"Version:", IDC_STATIC, WC_STATIC, LABEL, 2, 62, 32, 8},
        {u"", IDC_ABOUT_VERSION, WC_STATIC, LABEL, 34, 62, 36, 8},
        {u"Copyright \u00A9 2001-2026 Brightel.", IDC_STATIC, WC_STATIC, LABEL, 2, 84, 133, 8},
        {u"All rights reserved.", IDC_STATIC, WC_STATIC, LABEL, 2, 94, 133, 8},
        {u"Owebook is a trademark of Brightel.", IDC_STATIC, WC_STATIC, LABEL, 2, 105, 133, 8},
        {u"OK", IDOK, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 2, 118, 25, 14},
        {u"Other Products...", IDC_ABOUT_OTHER_PRODUCTS, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 30, 118,
         63, 14},
    }});
}

void RegisterOtherProducts()
{
    platform::RegisterDialog({IDD_OTHER_PRODUCTS, u"Other products", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 143,
                              155, u"System", 10, {
        {u"OK", IDOK, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 40, 135, 50, 14},
        {u"Brightel also makes a pocket expense diary: note what you spend as you go, and see by the day, "
         u"week or month where your money went.",
         IDC_STATIC, WC_STATIC, LABEL, 5, 5, 125, 50},
        {u"And a catalogue for your shelves of books, CDs and films that knows which of them are lent out, "
         u"to whom, and since when. Both keep everything on this handheld; ask the shop where you found "
         u"Owebook.",
         IDC_STATIC, WC_STATIC, LABEL, 5, 55, 125, 70},
    }});
}

}  // namespace

void RegisterHomeResources()
{
    platform::RegisterStrings({{IDS_VERSION, u"1.0.0"}});
    RegisterHomeScreen();
    RegisterAboutBox();
    RegisterOtherProducts();
}
