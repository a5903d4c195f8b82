#pragma once
// Dialog templates as data: what the program's resource tables register
// (platform/ui/ResourceRegistry.h). Positions and sizes are dialog units of the
// template's font.
//
//   platform::RegisterDialog({159, u"Home", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0,
//       0, 0, 155, 151, u"Tahoma", 10, {
//       {154, 32871, WC_STATIC, WS_VISIBLE | SS_BITMAP | SS_NOTIFY, 4, 4, 63, 48},
//       {u"What I Owe", IDC_STATIC, WC_STATIC, WS_VISIBLE | SS_LEFT, 15, 56, 40, 8},
//       {u"OK", IDOK, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 95, 30, 10},
//       {u"", 1125, WC_COMBOBOX, WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, 67, 2, 70, 140, 0,
//        {u"", u"", u""}},                                   // the combo box's initial entries
//   }});
//
// Styles are taken as given (plus WS_CHILD for controls), as a compiled
// template holds them: give WS_VISIBLE to controls that show at first. A
// control's text may be a resource id (a picture static's bitmap); the window
// is then created with the text "#id".

#include "platform/core/CString.h"
#include "platform/ui/WinUser.h"

#include <utility>
#include <vector>

namespace platform {

// A text, or a resource id standing where a text may.
struct ResourceName {
    CString text;
    UINT id = 0;

    ResourceName() = default;
    ResourceName(LPCWSTR s) : text(s) {}
    ResourceName(int resourceId) : id(static_cast<UINT>(resourceId)) {}
    bool IsId() const { return id != 0; }
    // The text a window gets: the text itself, or "#id".
    CString WindowText() const;
};

struct DialogItemTemplate {
    DialogItemTemplate() = default;
    DialogItemTemplate(ResourceName text_, int id_, CString className_, DWORD style_, int x_, int y_, int cx_, int cy_,
                       DWORD exStyle_ = 0, std::vector<CString> initStrings_ = {})
        : text(std::move(text_)), id(id_), className(std::move(className_)), style(style_), x(x_), y(y_), cx(cx_),
          cy(cy_), exStyle(exStyle_), initStrings(std::move(initStrings_))
    {
    }

    ResourceName text;
    int id = 0;
    CString className;
    DWORD style = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    DWORD exStyle = 0;
    std::vector<CString> initStrings;   // combo and list box entries added at initialisation
};

struct DialogTemplate {
    DialogTemplate() = default;
    DialogTemplate(UINT id_, CString caption_, DWORD style_, DWORD exStyle_, int x_, int y_, int cx_, int cy_,
                   CString fontName_, int pointSize_, std::vector<DialogItemTemplate> items_ = {})
        : id(id_), caption(std::move(caption_)), style(style_), exStyle(exStyle_), x(x_), y(y_), cx(cx_), cy(cy_),
          fontName(std::move(fontName_)), pointSize(pointSize_), items(std::move(items_))
    {
    }

    UINT id = 0;
    CString caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    CString fontName;
    int pointSize = 0;
    std::vector<DialogItemTemplate> items;
};

}  // namespace platform
