// What every window does with a message its class leaves alone: ::DefWindowProc.

#include "platform/core/TextCopy.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/MessageTable.h"
#include "platform/ui/UiState.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/qt/EventBridge.h"

#include <QTimer>

namespace platform {
namespace {

LRESULT OnSetText(Window& w, WPARAM, LPARAM lParam)
{
    w.text = reinterpret_cast<LPCWSTR>(lParam);
    ShowTitle(w);
    if (w.widget) {
        if (!w.frame)
            w.widget->setAccessibleName(QString::fromUtf16(w.text.GetString(), w.text.GetLength()));
        w.widget->update();
    }
    return TRUE;
}

LRESULT OnGetText(Window& w, WPARAM wParam, LPARAM lParam)
{
    return static_cast<LRESULT>(CopyText(std::u16string_view(w.text.GetString(), w.text.GetLength()),
                                         reinterpret_cast<LPWSTR>(lParam), static_cast<std::size_t>(wParam)));
}

LRESULT OnGetTextLength(Window& w, WPARAM, LPARAM) { return w.text.GetLength(); }

LRESULT OnSetFont(Window& w, WPARAM wParam, LPARAM lParam)
{
    w.font = reinterpret_cast<HFONT>(wParam);
    if (w.widget) {
        GdiObject* font = LookupGdiObject(w.font, GdiKind::Font);
        w.widget->setFont(font ? font->font : DefaultWindowFont());
        if (LOWORD(lParam))
            w.widget->update();
    }
    return 0;
}

LRESULT OnGetFont(Window& w, WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(LookupGdiObject(w.font) ? w.font : nullptr);
}

LRESULT OnClose(Window& w, WPARAM, LPARAM)
{
    ::DestroyWindow(w.hwnd);
    return 0;
}

// A field (an edit, a list) takes the window colours, the rest the static ones.
LRESULT CtlColor(WPARAM hdc, bool field)
{
    if (CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(hdc))) {
        dc->SetTextColor(::GetSysColor(field ? COLOR_WINDOWTEXT : COLOR_STATICTEXT));
        dc->SetBkColor(::GetSysColor(field ? COLOR_WINDOW : COLOR_STATIC));
    }
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(field ? COLOR_WINDOW : COLOR_STATIC));
}

LRESULT OnCtlColorField(Window&, WPARAM wParam, LPARAM) { return CtlColor(wParam, true); }
LRESULT OnCtlColorOther(Window&, WPARAM wParam, LPARAM) { return CtlColor(wParam, false); }

LRESULT OnEraseBackground(Window&, WPARAM, LPARAM) { return 1; }

LRESULT OnActivate(Window& w, WPARAM wParam, LPARAM)
{
    if (LOWORD(wParam) != WA_INACTIVE && w.lastFocus && IsDescendant(w.hwnd, w.lastFocus) &&
        Ui().focus != w.lastFocus)
        SetFocusTo(w.lastFocus);
    return 0;
}

LRESULT OnTimer(Window& w, WPARAM wParam, LPARAM lParam)
{
    // Only what SetTimer was given for this window and id is ever called.
    auto timer = w.timers.find(static_cast<UINT_PTR>(wParam));
    if (lParam && timer != w.timers.end() &&
        timer->second->property(kTimerProcProperty).value<quintptr>() == static_cast<quintptr>(lParam)) {
        auto proc = reinterpret_cast<void (*)(HWND, UINT, UINT_PTR, DWORD)>(lParam);
        proc(w.hwnd, WM_TIMER, static_cast<UINT_PTR>(wParam), 0);
    }
    return 0;
}

// Input and painting: the widget does its part now.
LRESULT OnInput(Window& w, UINT message, WPARAM wParam, LPARAM lParam)
{
    EventBridge::Deliver(w.hwnd, message, wParam, lParam);
    return 0;
}

LRESULT OnPaint(Window& w, WPARAM wParam, LPARAM lParam) { return OnInput(w, WM_PAINT, wParam, lParam); }
LRESULT OnKeyDown(Window& w, WPARAM wParam, LPARAM lParam) { return OnInput(w, WM_KEYDOWN, wParam, lParam); }
LRESULT OnKeyUp(Window& w, WPARAM wParam, LPARAM lParam) { return OnInput(w, WM_KEYUP, wParam, lParam); }
LRESULT OnChar(Window& w, WPARAM wParam, LPARAM lParam) { return OnInput(w, WM_CHAR, wParam, lParam); }
LRESULT OnLButtonUp(Window& w, WPARAM wParam, LPARAM lParam) { return OnInput(w, WM_LBUTTONUP, wParam, lParam); }
LRESULT OnLButtonDblClk(Window& w, WPARAM wParam, LPARAM lParam)
{
    return OnInput(w, WM_LBUTTONDBLCLK, wParam, lParam);
}
LRESULT OnRButtonDown(Window& w, WPARAM wParam, LPARAM lParam) { return OnInput(w, WM_RBUTTONDOWN, wParam, lParam); }
LRESULT OnRButtonUp(Window& w, WPARAM wParam, LPARAM lParam) { return OnInput(w, WM_RBUTTONUP, wParam, lParam); }

LRESULT OnLButtonDown(Window& w, WPARAM wParam, LPARAM lParam)
{
    // A tap focuses what takes focus on a click, whether or not Qt
    // thinks the desktop window is active.
    const HWND hwnd = w.hwnd;
    if (w.widget && (w.widget->focusPolicy() & Qt::ClickFocus) && Ui().focus != hwnd) {
        SetFocusTo(hwnd);
        if (!LookupWindow(hwnd))
            return 0;
    }
    EventBridge::Deliver(hwnd, WM_LBUTTONDOWN, wParam, lParam);
    return 0;
}

const MessageHandler<Window> kDefaultMessages[] = {
    {WM_SETTEXT, OnSetText},
    {WM_GETTEXT, OnGetText},
    {WM_GETTEXTLENGTH, OnGetTextLength},
    {WM_SETFONT, OnSetFont},
    {WM_GETFONT, OnGetFont},
    {WM_CLOSE, OnClose},
    {WM_CTLCOLOREDIT, OnCtlColorField},
    {WM_CTLCOLORLISTBOX, OnCtlColorField},
    {WM_CTLCOLORMSGBOX, OnCtlColorOther},
    {WM_CTLCOLORBTN, OnCtlColorOther},
    {WM_CTLCOLORDLG, OnCtlColorOther},
    {WM_CTLCOLORSCROLLBAR, OnCtlColorOther},
    {WM_CTLCOLORSTATIC, OnCtlColorOther},
    {WM_ERASEBKGND, OnEraseBackground},
    {WM_ACTIVATE, OnActivate},
    {WM_TIMER, OnTimer},
    {WM_PAINT, OnPaint},
    {WM_KEYDOWN, OnKeyDown},
    {WM_KEYUP, OnKeyUp},
    {WM_CHAR, OnChar},
    {WM_LBUTTONDOWN, OnLButtonDown},
    {WM_LBUTTONUP, OnLButtonUp},
    {WM_LBUTTONDBLCLK, OnLButtonDblClk},
    {WM_RBUTTONDOWN, OnRButtonDown},
    {WM_RBUTTONUP, OnRButtonUp},
};

}  // namespace
}  // namespace platform

LRESULT DefWindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    platform::Window* w = platform::LookupWindow(hWnd);
    if (!w)
        return 0;
    for (const auto& entry : platform::kDefaultMessages)
        if (entry.message == Msg)
            return entry.handle(*w, wParam, lParam);
    return 0;
}
