#pragma once
// Menus and menu-bar descriptions as data (registered through
// platform/ui/ResourceRegistry.h).
//
//   platform::RegisterMenu({143, {
//       {u"View", 0, 0, {{u"Home", 32910}, {u"", 0, MF_SEPARATOR}, {u"What I Owe", 32871}}},
//       {u"Tools", 0, 0, {{u"Edit Categories...", 32909}, {u"", 0, MF_SEPARATOR}, {u"E&xit", 32923}}},
//   }});
//   platform::RegisterMenuBar({143, 143, {
//       {32870, 32922, 0},   // command of the button, its label's string id, the pop-up it opens
//       {32807, 32897, 1},
//   }});

#include "platform/core/CString.h"
#include "platform/ui/WinUser.h"

#include <utility>
#include <vector>

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;

constexpr BYTE TBSTATE_CHECKED = 0x01;
constexpr BYTE TBSTATE_ENABLED = 0x04;
constexpr BYTE TBSTYLE_BUTTON = 0x00;
constexpr BYTE TBSTYLE_DROPDOWN = 0x08;
constexpr BYTE TBSTYLE_AUTOSIZE = 0x10;
constexpr int I_IMAGENONE = -2;

namespace platform {

struct MenuItemTemplate {
    MenuItemTemplate() = default;
    MenuItemTemplate(CString text_, UINT id_ = 0, UINT flags_ = 0, std::vector<MenuItemTemplate> popup_ = {})
        : text(std::move(text_)), id(id_), flags(flags_), popup(std::move(popup_))
    {
    }

    CString text;
    UINT id = 0;
    UINT flags = 0;                         // MF_SEPARATOR, MF_GRAYED, MF_CHECKED
    std::vector<MenuItemTemplate> popup;    // entries of a pop-up (MF_POPUP implied)
};

struct MenuTemplate {
    MenuTemplate() = default;
    MenuTemplate(UINT id_, std::vector<MenuItemTemplate> items_) : id(id_), items(std::move(items_)) {}

    UINT id = 0;
    std::vector<MenuItemTemplate> items;
};

struct MenuBarButtonTemplate {
    MenuBarButtonTemplate() = default;
    MenuBarButtonTemplate(UINT command_, UINT labelStringId_, int popupIndex_ = -1, BYTE state_ = TBSTATE_ENABLED,
                          BYTE style_ = TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE, int image_ = I_IMAGENONE)
        : command(command_), labelStringId(labelStringId_), popupIndex(popupIndex_), state(state_), style(style_),
          image(image_)
    {
    }

    UINT command = 0;
    UINT labelStringId = 0;
    int popupIndex = -1;                    // which pop-up of the bar's menu it opens; -1 none
    BYTE state = TBSTATE_ENABLED;
    BYTE style = TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE;
    int image = I_IMAGENONE;
};

struct MenuBarTemplate {
    MenuBarTemplate() = default;
    MenuBarTemplate(UINT id_, UINT menuId_, std::vector<MenuBarButtonTemplate> buttons_)
        : id(id_), menuId(menuId_), buttons(std::move(buttons_))
    {
    }

    UINT id = 0;
    UINT menuId = 0;
    std::vector<MenuBarButtonTemplate> buttons;
};

}  // namespace platform
