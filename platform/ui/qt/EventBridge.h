#pragma once
// Turns the Qt events of window widgets into window messages (platform internal).
//
// Key, mouse, paint, focus and close events reach the window as WM_KEYDOWN /
// WM_CHAR / WM_KEYUP, WM_LBUTTONDOWN / UP, WM_PAINT, WM_SETFOCUS /
// WM_KILLFOCUS and WM_CLOSE, after the message pump's PreTranslateMessage walk
// (where a dialog takes Enter, Escape and Tab). The Qt event goes on to the
// widget only in the message's default processing (::DefWindowProc or a class
// procedure calling Deliver), at that moment: when Default() returns, the
// widget has done its part. A handler that does not call Default() keeps the
// event from the widget, which is how a subclass refuses a typed character.
// The same messages sent by code become the Qt events a user would have
// caused, delivered the same way, so sending WM_CHAR types.

#include "platform/ui/WinUser.h"

#include <QObject>

class QEvent;
class QPainter;
class QWidget;

namespace platform {

struct Window;

class EventBridge : public QObject {
public:
    static void Install();
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The default processing of an input or paint message: its Qt event goes
    // to the widget now (once, however often the message's handlers ask), or,
    // for a message sent by code, the event a user would have caused.
    static void Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Delivers a made-up Qt event to `widget` without routing it as messages.
    static bool DeliverRaw(QWidget* widget, QEvent* event);

    // The painter of the WM_PAINT being handled for hwnd, in client
    // coordinates, begun on first use; null outside painting.
    static QPainter* PaintPainter(HWND hwnd);
};

// The widget a window's WM_PAINT paints: a scroll area's viewport, else the
// window's widget.
QWidget* PaintSurface(const Window& w);

}  // namespace platform
