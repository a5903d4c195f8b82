#include "platform/ui/controls/commandbar/CommandBar.h"

#include "platform/ui/controls/commandbar/CCeCommandBar.h"
#include "platform/ui/controls/menu/CMenu.h"
#include "platform/ui/controls/commandbar/CommandBarWidget.h"
#include "platform/ui/controls/menu/MenuHandles.h"
#include "platform/ui/MessageTable.h"
#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/WindowClassRegistry.h"

#include <algorithm>

namespace platform {
namespace {

CommandBarWidget* WidgetOf(HWND bar)
{
    Window* w = CommandBarStateOf(bar) ? LookupWindow(bar) : nullptr;
    return w ? dynamic_cast<CommandBarWidget*>(w->widget.data()) : nullptr;
}

void Rebuild(HWND bar)
{
    if (CommandBarWidget* widget = WidgetOf(bar))
        widget->Rebuild();
}

// Labels and pop-ups of a menu bar: from its description, else one button
// per pop-up of a plain menu.
bool MenuBarButtons(UINT id, HMENU* menu, std::vector<CommandBarButton>* buttons)
{
    const MenuBarTemplate* bar = FindMenuBarTemplate(id);
    const MenuTemplate* source = FindMenuTemplate(bar ? bar->menuId : id);
    if (!source)
        return false;
    if (bar) {
        for (const MenuBarButtonTemplate& b : bar->buttons) {
            CommandBarButton button{b.command, CString(), b.popupIndex, true};
            if (!LookupString(b.labelStringId, button.label) && b.popupIndex >= 0 &&
                static_cast<std::size_t>(b.popupIndex) < source->items.size())
                button.label = source->items[static_cast<std::size_t>(b.popupIndex)].text;
            buttons->push_back(button);
        }
    } else {
        for (std::size_t i = 0; i < source->items.size(); ++i)
            if (!source->items[i].popup.empty())
                buttons->push_back(CommandBarButton{0, source->items[i].text, static_cast<int>(i), true});
    }
    *menu = MenuFromTemplate(*source);
    return *menu != nullptr;
}

}  // namespace

namespace {

struct CommandBarControl {
    explicit CommandBarControl(HWND h) : hwnd(h), state(CommandBarStateOf(h)) {}
    bool Valid() const { return state != nullptr; }

    HWND hwnd;
    CommandBarState* state;
};

LRESULT OnSetToolTips(CommandBarControl& bar, WPARAM wParam, LPARAM lParam)
{
    return SetCommandBarTips(bar.hwnd, wParam, lParam);
}

LRESULT OnButtonCount(CommandBarControl& bar, WPARAM, LPARAM)
{
    return static_cast<LRESULT>(bar.state->buttons.size());
}

const MessageHandler<CommandBarControl> kCommandBarMessages[] = {
    {TB_SETTOOLTIPS, OnSetToolTips},
    {TB_BUTTONCOUNT, OnButtonCount},
};

}  // namespace

LRESULT CommandBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Handle(kCommandBarMessages, hwnd, message, wParam, lParam);
}

void RegisterCommandBarClass()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    RegisterWindowClass({COMMANDBAR_CLASS, CommandBarProc,
                         [](HWND hwnd, const CREATESTRUCT&, QWidget* parent) -> QWidget* {
                             Window* w = LookupWindow(hwnd);
                             if (!w || !parent)
                                 return nullptr;   // a command bar is always some window's child
                             w->controlData = std::make_unique<CommandBarState>();
                             return new CommandBarWidget(hwnd, parent);
                         },
                         []() -> CWnd* { return new CCeCommandBar; }});
}

BOOL AddCommandBarButton(HWND bar, LPCWSTR text, UINT command, int index)
{
    CommandBarState* state = CommandBarStateOf(bar);
    if (!state || !text)
        return FALSE;
    auto& buttons = state->buttons;
    const std::size_t at = (index < 0 || static_cast<std::size_t>(index) > buttons.size())
                               ? buttons.size()
                               : static_cast<std::size_t>(index);
    buttons.insert(buttons.begin() + static_cast<std::ptrdiff_t>(at), CommandBarButton{command, text, -1, false});
    Rebuild(bar);
    return TRUE;
}

BOOL SetCommandBarTips(HWND bar, WPARAM count, LPARAM array)
{
    constexpr WPARAM kMostTips = 256;   // more is a wrong count, not tips
    CommandBarState* state = CommandBarStateOf(bar);
    const auto* tips = reinterpret_cast<const LPCWSTR*>(array);
    if (!state || (count > 0 && !tips) || count > kMostTips)
        return FALSE;
    state->tips.clear();
    for (WPARAM i = 0; i < count; ++i)
        state->tips.emplace_back(tips[i] ? CString(tips[i]) : CString());
    Rebuild(bar);
    return TRUE;
}

DWORD CommandBarStyle(HWND bar)
{
    const CommandBarState* state = CommandBarStateOf(bar);
    return state ? state->barStyle : 0;
}

void SetCommandBarStyle(HWND bar, DWORD style)
{
    if (CommandBarState* state = CommandBarStateOf(bar))
        state->barStyle = style & CBRS_ALL;
}

}  // namespace platform

using platform::CommandBarState;
using platform::CommandBarStateOf;

HWND CommandBar_Create(HINSTANCE, HWND hwndParent, int idCmdBar)
{
    platform::RegisterCommandBarClass();
    RECT client{};
    if (!::GetClientRect(hwndParent, &client))
        return nullptr;
    return ::CreateWindowEx(0, COMMANDBAR_CLASS, u"", WS_CHILD | WS_VISIBLE, 0,
                            client.bottom - platform::kCommandBarHeight, client.right, platform::kCommandBarHeight,
                            hwndParent, reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(idCmdBar)), nullptr,
                            nullptr);
}

BOOL CommandBar_InsertMenubar(HWND hwndCB, HINSTANCE, WORD idMenu, WORD iButton)
{
    CommandBarState* state = CommandBarStateOf(hwndCB);
    if (!state)
        return FALSE;
    HMENU menu = nullptr;
    std::vector<platform::CommandBarButton> added;
    if (!platform::MenuBarButtons(idMenu, &menu, &added))
        return FALSE;
    auto& buttons = state->buttons;
    buttons.erase(std::remove_if(buttons.begin(), buttons.end(), [](const auto& b) { return b.menu; }),
                  buttons.end());
    const std::size_t at = std::min<std::size_t>(iButton, buttons.size());
    buttons.insert(buttons.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
    if (state->menu)
        ::DestroyMenu(state->menu);
    state->menu = menu;
    platform::Rebuild(hwndCB);
    return TRUE;
}

HMENU CommandBar_GetMenu(HWND hwndCB, WORD)
{
    const CommandBarState* state = CommandBarStateOf(hwndCB);
    return state ? state->menu : nullptr;
}

BOOL CommandBar_AddAdornments(HWND hwndCB, DWORD dwFlags, DWORD)
{
    CommandBarState* state = CommandBarStateOf(hwndCB);
    if (!state || (dwFlags & ~CMDBAR_OK))
        return FALSE;
    if (dwFlags & ~state->adornments) {
        state->adornments |= dwFlags;
        platform::Rebuild(hwndCB);
    }
    return TRUE;
}

BOOL CommandBar_AddToolTips(HWND hwndCB, UINT uNumToolTips, LPCWSTR* lpToolTips)
{
    return static_cast<BOOL>(
        ::SendMessage(hwndCB, TB_SETTOOLTIPS, uNumToolTips, reinterpret_cast<LPARAM>(lpToolTips)));
}

BOOL CommandBar_Show(HWND hwndCB, BOOL fShow)
{
    if (!CommandBarStateOf(hwndCB))
        return FALSE;
    ::ShowWindow(hwndCB, fShow ? SW_SHOW : SW_HIDE);
    return TRUE;
}

BOOL CommandBar_IsVisible(HWND hwndCB) { return CommandBarStateOf(hwndCB) ? ::IsWindowVisible(hwndCB) : FALSE; }

int CommandBar_Height(HWND hwndCB) { return CommandBarStateOf(hwndCB) ? platform::kCommandBarHeight : 0; }

void CommandBar_Destroy(HWND hwndCB)
{
    if (CommandBarStateOf(hwndCB))
        ::DestroyWindow(hwndCB);
}
