#pragma once
// Turns the Qt events of window widgets into window messages (platform internal).
//
// Key, mouse, paint, focus and close events reach the window as WM_KEYDOWN /
// WM_CHAR, WM_LBUTTONDOWN / UP, WM_PAINT, WM_SETFOCUS / WM_KILLFOCUS and
// WM_CLOSE, after the message pump's PreTranslateMessage walk (where a dialog
// takes Enter, Escape and Tab). The Qt event goes on to the widget only when
// the message reaches the generic default behaviour: a handler that does not
// call Default() keeps it from the widget, which is how a subclass refuses a
// typed character. The same messages sent by code are turned into Qt events
// for the window's widget, so sending WM_CHAR types.

#include "platform/ui/WinUser.h"

#include <QObject>

class QEvent;
class QPainter;
class QWidget;

namespace platform {

class EventBridge : public QObject {
public:
    static void Install();
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Called from the default behaviour: lets the Qt event behind (hwnd,
    // message) go on to its widget. FALSE when no such event is in flight (the
    // message was sent by code).
    static bool LetQtHandle(HWND hwnd, UINT message);
    // Delivers a made-up Qt event to `widget` without routing it as messages.
    static bool DeliverRaw(QWidget* widget, QEvent* event);

    // The painter of the WM_PAINT being handled for hwnd, begun on first use;
    // null outside painting.
    static QPainter* PaintPainter(HWND hwnd);
};

UINT VirtualKeyFromQt(int qtKey, const QString& text);
int QtKeyFromVirtualKey(UINT vk);

}  // namespace platform
