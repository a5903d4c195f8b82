#include "platform/gdi/SysColors.h"

#include "platform/gdi/GdiObject.h"

#include <array>

namespace {

// The handheld's default scheme: white windows and dialogs, navy highlight.
constexpr std::array<COLORREF, C_SYS_COLOR_TYPES> kColors = {
    RGB(192, 192, 192),  // COLOR_SCROLLBAR
    RGB(255, 255, 255),  // COLOR_BACKGROUND
    RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
    RGB(255, 255, 255),  // COLOR_INACTIVECAPTION
    RGB(255, 255, 255),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
    RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(0, 0, 128),      // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(0, 0, 0),        // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(0, 0, 0),        // COLOR_3DDKSHADOW
    RGB(192, 192, 192),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(255, 255, 255),  // COLOR_STATIC
    RGB(0, 0, 0),        // COLOR_STATICTEXT
};

int Index(int index) { return index & ~static_cast<int>(SYS_COLOR_INDEX_FLAG); }

}  // namespace

COLORREF GetSysColor(int index)
{
    index = Index(index);
    if (index < 0 || index >= C_SYS_COLOR_TYPES)
        return 0;
    return kColors[index];
}

HBRUSH GetSysColorBrush(int index)
{
    index = Index(index);
    if (index < 0 || index >= C_SYS_COLOR_TYPES)
        return nullptr;
    static std::array<HBRUSH, C_SYS_COLOR_TYPES> brushes{};
    if (!brushes[index]) {
        auto object = std::make_unique<platform::GdiObject>();
        object->stock = true;
        object->color = kColors[index];
        brushes[index] = platform::AddGdiObject(std::move(object));
    }
    return brushes[index];
}
