#include "platform/ui/GenericControl.h"

#include "platform/ui/WinApi.h"
#include "platform/ui/Window.h"

namespace platform {
namespace {

struct GenericState : ControlData {
    int check = BST_UNCHECKED;
};

GenericState& State(Window& w)
{
    if (!dynamic_cast<GenericState*>(w.controlData.get()))
        w.controlData = std::make_unique<GenericState>();
    return static_cast<GenericState&>(*w.controlData);
}

bool IsButton(const Window& w) { return w.className.CompareNoCase(WC_BUTTON) == 0; }
bool IsStatic(const Window& w) { return w.className.CompareNoCase(WC_STATIC) == 0; }
bool IsPush(const Window& w) { return IsButton(w) && (w.style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON; }

}  // namespace

void GenericControl::Click()
{
    Window* w = LookupWindow(m_hWnd);
    if (!w || !w->enabled)
        return;
    const HWND self = m_hWnd;
    const HWND parent = w->parent;
    if (IsButton(*w)) {
        const DWORD type = w->style & BS_TYPEMASK;
        if (type == BS_AUTOCHECKBOX)
            State(*w).check = State(*w).check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        else if (type == BS_AUTORADIOBUTTON)
            State(*w).check = BST_CHECKED;
        ::SendMessage(parent, WM_COMMAND, MAKEWPARAM(w->id, BN_CLICKED), reinterpret_cast<LPARAM>(self));
    } else if (IsStatic(*w) && (w->style & SS_NOTIFY)) {
        ::SendMessage(parent, WM_COMMAND, MAKEWPARAM(w->id, STN_CLICKED), reinterpret_cast<LPARAM>(self));
    }
}

LRESULT GenericControl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* w = LookupWindow(m_hWnd);
    if (!w)
        return 0;
    switch (message) {
    case WM_LBUTTONUP:
        CWnd::DefWindowProc(message, wParam, lParam);
        Click();
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && IsButton(*w)) {
            Click();
            return 0;
        }
        break;
    case BM_CLICK:
        Click();
        return 0;
    case BM_GETCHECK:
        return IsButton(*w) ? State(*w).check : 0;
    case BM_SETCHECK:
        if (IsButton(*w)) {
            State(*w).check = static_cast<int>(wParam);
            if (w->widget)
                w->widget->update();
        }
        return 0;
    case BM_SETSTYLE:
        if (IsButton(*w)) {
            w->style = (w->style & ~0xFFFFu) | LOWORD(wParam);
            if (w->widget)
                w->widget->update();
        }
        return 0;
    case WM_GETDLGCODE:
        if (IsPush(*w))
            return DLGC_BUTTON | ((w->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON
                                                                                : DLGC_UNDEFPUSHBUTTON);
        if (IsButton(*w))
            return DLGC_BUTTON;
        if (IsStatic(*w))
            return DLGC_STATIC;
        return 0;
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

}  // namespace platform
