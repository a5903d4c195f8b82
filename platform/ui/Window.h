#pragma once
// The platform's record of one window: what the handle stands for. The C++
// object that handles the window's messages (a CWnd) is separate and may be
// swapped by subclassing, so whatever a control must keep about itself lives
// here (in its widget or its ControlData), never in the CWnd object; what the
// control does is its class's procedure (`proc`).

#include "platform/core/CString.h"
#include "platform/ui/WinUser.h"

#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <vector>

class CWnd;
class QTimer;

namespace platform {

class CaptionStrip;

// A control's own state, owned by its window and deleted with it.
class ControlData {
public:
    virtual ~ControlData() = default;
};

struct Window {
    Window();
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd = nullptr;
    CString className;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT id = 0;
    HWND parent = nullptr;   // children only
    HWND owner = nullptr;    // top-level windows only
    CString text;
    RECT rect{};             // children: in the parent's client area; top-level: on the screen
    HFONT font = nullptr;
    HFONT ownedFont = nullptr;   // deleted with the window (a dialog's template font)
    bool enabled = true;
    bool destroying = false;
    // The widget is a part of the parent control's (a list's header), which
    // keeps it when this window goes.
    bool widgetOwnedByParent = false;
    // The scroll bars the window shows, beside its client area.
    bool vscroll = false;
    bool hscroll = false;

    QPointer<QWidget> widget;   // the window; children's widgets live in it, in its client area
    QPointer<QWidget> frame;    // top-level windows: the desktop window holding strip and client
    CaptionStrip* strip = nullptr;

    // The window's behaviour: its class's procedure, or the one a subclass
    // put in its place (GWLP_WNDPROC). The object's DefWindowProc calls it.
    WNDPROC proc = nullptr;
    CWnd* object = nullptr;                // receives the messages first
    std::unique_ptr<CWnd> autoObject;      // made for the window when the program attached none
    std::unique_ptr<ControlData> controlData;

    std::vector<HWND> children;  // creation order: z-order and tab order
    HWND lastFocus = nullptr;    // focus to restore when the window is activated again
    std::map<UINT_PTR, std::unique_ptr<QTimer>> timers;  // each carries its procedure in kTimerProcProperty
    LONG_PTR userData = 0;
    LRESULT dialogResult = 0;    // DWL_MSGRESULT
    SIZE baseUnits{0, 0};        // dialogs: the template font's dialog base units

    bool IsTopLevel() const { return (style & WS_CHILD) == 0; }
    QWidget* Outer() const { return frame ? frame.data() : widget.data(); }
};

// The QTimer property holding the procedure SetTimer was given (0 for none).
inline constexpr char kTimerProcProperty[] = "timerProc";

// The platform's record of a window; null for a null, stale or foreign handle.
Window* LookupWindow(HWND hwnd);
// The window whose widget is `widget` or holds it; null if none.
Window* WindowOfWidget(const QWidget* widget);
HWND HwndOfWidget(const QWidget* widget);
void TagWidget(QWidget* widget, HWND hwnd);

template <class T>
T* GetControlData(HWND hwnd)
{
    Window* w = LookupWindow(hwnd);
    return w ? dynamic_cast<T*>(w->controlData.get()) : nullptr;
}

// Every live window, in no particular order.
std::vector<HWND> AllWindows();

}  // namespace platform
