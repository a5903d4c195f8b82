#pragma once
// The window layer's state (platform internal): the windows, focus and
// activation, the message observers, the messages and paints being handled,
// the registered messages. There is one, and it belongs to the UI thread.

#include "platform/core/CString.h"
#include "platform/gdi/HandleTable.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

#include <QPointer>

#include <map>
#include <memory>
#include <vector>

class QEvent;
class QPainter;
class QWidget;

namespace platform {

// The Qt event behind a message (a key, a tap, a paint): the message's
// default processing hands it to its widget, once.
struct RoutedEvent {
    QEvent* event = nullptr;
    QPointer<QWidget> receiver;
    bool delivered = false;
};

// A message being handled: what Default() passes on.
struct MessageFrame {
    MSG msg;
    RoutedEvent* routed = nullptr;
};

// A WM_PAINT being handled: its painter is begun on first use.
struct PaintScope {
    HWND hwnd = nullptr;
    QPointer<QWidget> surface;
    QPoint clientOrigin;   // where the client area's (0, 0) is on the surface
    std::unique_ptr<QPainter> painter;
    ~PaintScope();
};

struct UiState {
    HandleTable<Window, std::unique_ptr<Window>> windows;
    HWND focus = nullptr;
    HWND active = nullptr;
    std::map<int, MessageObserver> observers;
    int lastObserver = 0;
    std::vector<MessageFrame> frames;   // innermost last
    std::vector<PaintScope*> paints;    // innermost last
    int passingOn = 0;                  // Qt events on their way to a widget: no messages
    std::map<CString, UINT> registeredMessages;   // by upper-case name
};

UiState& Ui();
// The thread the windows live on: the Qt application's.
bool OnUiThread();

}  // namespace platform
