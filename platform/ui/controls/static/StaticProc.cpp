#include "platform/ui/controls/static/StaticProc.h"

#include "platform/gdi/GdiObject.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/MessageTable.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/ControlText.h"
#include "platform/ui/controls/static/StaticWidget.h"

namespace platform {
namespace {

struct StaticControl {
    explicit StaticControl(HWND h) : hwnd(h), w(LookupWindow(h)), state(GetControlData<StaticState>(h)) {}
    bool Valid() const { return w && state; }
    bool Picture() const { return (w->style & SS_TYPEMASK) == SS_BITMAP; }

    HWND hwnd;
    Window* w;
    StaticState* state;
};

// A picture takes its bitmap's size, unless it centres the bitmap in its own.
void FitToBitmap(StaticControl& s, HBITMAP bitmap)
{
    if (!s.Picture() || (s.w->style & SS_CENTERIMAGE))
        return;
    const GdiObject* object = LookupGdiObject(bitmap, GdiKind::Bitmap);
    if (!object || object->image.isNull())
        return;
    ::SetWindowPos(s.hwnd, nullptr, 0, 0, object->image.width(), object->image.height(),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT OnCreate(StaticControl& s, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ::DefWindowProc(s.hwnd, WM_CREATE, wParam, lParam);
    if (result != -1 && LookupWindow(s.hwnd))
        FitToBitmap(s, StaticBitmap(s.hwnd));
    return result;
}

LRESULT OnSetText(StaticControl& s, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ::DefWindowProc(s.hwnd, WM_SETTEXT, wParam, lParam);
    if (!s.Picture() || !LookupWindow(s.hwnd))
        return result;
    // A picture's new "#id" names another bitmap.
    if (s.state->ownsBitmap && s.state->bitmap)
        ::DeleteObject(s.state->bitmap);
    s.state->bitmap = nullptr;
    s.state->ownsBitmap = false;
    return result;
}

LRESULT OnSetImage(StaticControl& s, WPARAM wParam, LPARAM lParam)
{
    if (wParam != IMAGE_BITMAP)
        return 0;
    HBITMAP old = StaticBitmap(s.hwnd);
    if (s.state->ownsBitmap && old) {
        ::DeleteObject(old);
        old = nullptr;
    }
    s.state->bitmap = reinterpret_cast<HBITMAP>(lParam);
    s.state->ownsBitmap = false;
    FitToBitmap(s, s.state->bitmap);
    if (s.w->widget)
        s.w->widget->update();
    return reinterpret_cast<LRESULT>(old);
}

LRESULT OnGetImage(StaticControl& s, WPARAM wParam, LPARAM)
{
    return wParam == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(StaticBitmap(s.hwnd)) : 0;
}

LRESULT OnLButtonUp(StaticControl& s, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = s.hwnd;
    ::DefWindowProc(hwnd, WM_LBUTTONUP, wParam, lParam);
    if ((::GetWindowLong(hwnd, GWL_STYLE) & SS_NOTIFY) && ::IsWindowEnabled(hwnd))
        NotifyParent(hwnd, STN_CLICKED);
    return 0;
}

LRESULT OnGetDlgCode(StaticControl&, WPARAM, LPARAM) { return DLGC_STATIC; }

const MessageHandler<StaticControl> kStaticMessages[] = {
    {WM_CREATE, OnCreate},         {WM_SETTEXT, OnSetText},       {STM_SETIMAGE, OnSetImage},     {STM_GETIMAGE, OnGetImage},
    {WM_LBUTTONUP, OnLButtonUp},   {WM_GETDLGCODE, OnGetDlgCode},
};

}  // namespace

LRESULT StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Handle(kStaticMessages, hwnd, message, wParam, lParam);
}

}  // namespace platform
