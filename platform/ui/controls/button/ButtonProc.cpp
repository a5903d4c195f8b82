#include "platform/ui/controls/button/ButtonProc.h"

#include "platform/ui/CommCtrl.h"
#include "platform/ui/MessageTable.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/controls/button/ButtonWidget.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QPushButton>

namespace platform {
namespace {

struct ButtonControl {
    explicit ButtonControl(HWND h) : hwnd(h), w(LookupWindow(h)) {}
    bool Valid() const { return w && w->widget; }
    DWORD Type() const { return w->style & BS_TYPEMASK; }
    QAbstractButton* Button() const { return qobject_cast<QAbstractButton*>(w->widget.data()); }

    HWND hwnd;
    Window* w;
};

LRESULT OnSetText(ButtonControl& b, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ::DefWindowProc(b.hwnd, WM_SETTEXT, wParam, lParam);
    const auto* text = reinterpret_cast<LPCWSTR>(lParam);
    const QString label = QString::fromUtf16(text ? text : u"");
    if (Window* w = LookupWindow(b.hwnd); w && w->widget) {
        if (auto* button = qobject_cast<QAbstractButton*>(w->widget.data()))
            button->setText(label);
        else if (auto* group = qobject_cast<QGroupBox*>(w->widget.data()))
            group->setTitle(label);
    }
    return result;
}

LRESULT OnClick(ButtonControl& b, WPARAM, LPARAM)
{
    ClickButton(b.hwnd);
    return 0;
}

LRESULT OnGetCheck(ButtonControl& b, WPARAM, LPARAM) { return ButtonCheck(b.hwnd); }

LRESULT OnSetCheck(ButtonControl& b, WPARAM wParam, LPARAM)
{
    SetButtonCheck(b.hwnd, static_cast<int>(wParam));
    return 0;
}

LRESULT OnGetState(ButtonControl& b, WPARAM, LPARAM)
{
    QAbstractButton* button = b.Button();
    return ButtonCheck(b.hwnd) | ((button && button->isDown()) ? BST_PUSHED : 0) |
           (b.w->widget->hasFocus() ? BST_FOCUS : 0);
}

LRESULT OnSetState(ButtonControl& b, WPARAM wParam, LPARAM)
{
    if (QAbstractButton* button = b.Button())
        button->setDown(wParam != 0);
    return 0;
}

LRESULT OnSetStyle(ButtonControl& b, WPARAM wParam, LPARAM lParam)
{
    b.w->style = (b.w->style & ~0xFFFFu) | LOWORD(wParam);
    if (auto* push = qobject_cast<QPushButton*>(b.w->widget.data()))
        push->setDefault(b.Type() == BS_DEFPUSHBUTTON);
    if (lParam)
        b.w->widget->update();
    return 0;
}

LRESULT OnGetDlgCode(ButtonControl& b, WPARAM, LPARAM)
{
    switch (b.Type()) {
    case BS_PUSHBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON;
    }
}

const MessageHandler<ButtonControl> kButtonMessages[] = {
    {WM_SETTEXT, OnSetText},   {BM_CLICK, OnClick},       {BM_GETCHECK, OnGetCheck},
    {BM_SETCHECK, OnSetCheck}, {BM_GETSTATE, OnGetState}, {BM_SETSTATE, OnSetState},
    {BM_SETSTYLE, OnSetStyle}, {WM_GETDLGCODE, OnGetDlgCode},
};

}  // namespace

LRESULT ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Handle(kButtonMessages, hwnd, message, wParam, lParam);
}

}  // namespace platform
