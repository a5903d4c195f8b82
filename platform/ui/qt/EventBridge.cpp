#include "platform/ui/qt/EventBridge.h"

#include "platform/ui/CWnd.h"
#include "platform/ui/UiState.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include <QPointer>

#include <algorithm>
#include <memory>
#include <vector>

namespace platform {
namespace {

enum class Route { NotOurs, Eat, PassOn };

// While an input event goes on to its widget, Qt may hand it (or a copy) on
// to the widget's parents; none of that is a message.
void PassOn(QWidget* widget, QEvent* event)
{
    ++Ui().passingOn;
    QCoreApplication::sendEvent(widget, event);
    --Ui().passingOn;
}

bool Finish(Route route, QWidget* widget, QEvent* event)
{
    if (route == Route::NotOurs)
        return false;
    if (route == Route::PassOn)
        PassOn(widget, event);
    // Accepted, or Qt would hand a copy on to the parent widgets.
    event->accept();
    return true;
}

bool IsBeingRouted(QEvent* event)
{
    if (Ui().passingOn > 0)
        return true;
    for (const MessageFrame& f : Ui().frames)
        if (f.routed && f.routed->event == event)
            return true;
    return false;
}

// Sends one message with its Qt event in flight; true when the default
// behaviour let Qt have the event.
bool SendRouted(QEvent* event, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    RoutedEvent routed{event, nullptr, false};
    Dispatch(hwnd, message, wParam, lParam, &routed);
    return routed.delivered;
}

LPARAM KeyLParam(const QKeyEvent* key, bool up)
{
    DWORD value = 1;   // repeat count
    if (key->isAutoRepeat() || up)
        value |= 1u << 30;
    if (up)
        value |= 1u << 31;
    return static_cast<LPARAM>(value);
}

bool IsCharacter(const QKeyEvent* key, UINT vk)
{
    if (key->text().isEmpty() || vk == VK_DELETE)
        return false;
    const QChar c = key->text().at(0);
    return c.unicode() != 0x7F;
}

Route RouteKeyPress(QWidget* widget, QKeyEvent* key)
{
    HWND hwnd = HwndOfWidget(widget);
    if (!hwnd)
        return Route::NotOurs;
    const UINT vk = VirtualKeyFromQt(key->key(), key->text());
    MSG msg{hwnd, WM_KEYDOWN, vk, KeyLParam(key, false), 0, {0, 0}};
    if (CWnd::WalkPreTranslateTree(TopLevelOf(hwnd), &msg))
        return Route::Eat;
    if (!::IsWindow(hwnd))
        return Route::Eat;
    bool letQt = SendRouted(key, hwnd, WM_KEYDOWN, vk, msg.lParam);
    if (!::IsWindow(hwnd))
        return Route::Eat;
    if (IsCharacter(key, vk)) {
        letQt = true;
        for (QChar c : key->text()) {
            if (!::IsWindow(hwnd))
                return Route::Eat;
            MSG charMsg{hwnd, WM_CHAR, c.unicode(), msg.lParam, 0, {0, 0}};
            if (CWnd::WalkPreTranslateTree(TopLevelOf(hwnd), &charMsg))
                return Route::Eat;
            letQt = SendRouted(key, hwnd, WM_CHAR, c.unicode(), msg.lParam) && letQt;
        }
        if (!::IsWindow(hwnd))
            return Route::Eat;
    }
    return letQt ? Route::PassOn : Route::Eat;
}

Route RouteKeyRelease(QWidget* widget, QKeyEvent* key)
{
    HWND hwnd = HwndOfWidget(widget);
    if (!hwnd)
        return Route::NotOurs;
    const UINT vk = VirtualKeyFromQt(key->key(), key->text());
    bool letQt = SendRouted(key, hwnd, WM_KEYUP, vk, KeyLParam(key, true));
    return (::IsWindow(hwnd) && letQt) ? Route::PassOn : Route::Eat;
}

// A disabled window, or one inside a disabled one, gets no input.
bool TakesInput(HWND hwnd)
{
    for (Window* w = LookupWindow(hwnd); w; w = w->IsTopLevel() ? nullptr : LookupWindow(w->parent))
        if (!w->enabled)
            return false;
    return true;
}

Route RouteMouse(QWidget* widget, QMouseEvent* mouse)
{
    HWND hwnd = HwndOfWidget(widget);
    Window* w = LookupWindow(hwnd);
    if (!w || !w->widget)
        return Route::NotOurs;
    if (!TakesInput(hwnd))
        return Route::Eat;
    UINT message = 0;
    const bool left = mouse->button() == Qt::LeftButton;
    const bool right = mouse->button() == Qt::RightButton;
    switch (mouse->type()) {
    case QEvent::MouseButtonPress: message = left ? WM_LBUTTONDOWN : right ? WM_RBUTTONDOWN : 0; break;
    case QEvent::MouseButtonRelease: message = left ? WM_LBUTTONUP : right ? WM_RBUTTONUP : 0; break;
    case QEvent::MouseButtonDblClick: message = left ? WM_LBUTTONDBLCLK : 0; break;
    default: break;
    }
    if (!message)
        return Route::NotOurs;
    const QPoint pos = w->widget->mapFromGlobal(mouse->globalPosition().toPoint());
    WPARAM keys = 0;
    if (mouse->buttons() & Qt::LeftButton)
        keys |= MK_LBUTTON;
    if (mouse->buttons() & Qt::RightButton)
        keys |= MK_RBUTTON;
    if (mouse->modifiers() & Qt::ShiftModifier)
        keys |= MK_SHIFT;
    if (mouse->modifiers() & Qt::ControlModifier)
        keys |= MK_CONTROL;
    MSG msg{hwnd, message, keys, MAKELPARAM(pos.x(), pos.y()), 0, {pos.x(), pos.y()}};
    if (CWnd::WalkPreTranslateTree(TopLevelOf(hwnd), &msg) || !::IsWindow(hwnd))
        return Route::Eat;
    bool letQt = SendRouted(mouse, hwnd, message, keys, msg.lParam);
    return (::IsWindow(hwnd) && letQt) ? Route::PassOn : Route::Eat;
}

bool RoutePaint(QWidget* widget, QPaintEvent* paint)
{
    HWND hwnd = HwndOfWidget(widget);
    Window* w = LookupWindow(hwnd);
    if (!w || w->widget != widget)
        return false;
    PaintScope scope;
    scope.hwnd = hwnd;
    scope.surface = widget;
    Ui().paints.push_back(&scope);
    bool letQt = SendRouted(paint, hwnd, WM_PAINT, 0, 0);
    if (scope.painter)
        scope.painter->end();
    Ui().paints.erase(std::find(Ui().paints.begin(), Ui().paints.end(), &scope));
    return !letQt;
}

bool RouteClose(QWidget* widget, QCloseEvent* close)
{
    HWND hwnd = HwndOfWidget(widget);
    Window* w = LookupWindow(hwnd);
    if (!w || w->frame != widget)
        return false;
    close->ignore();   // the window decides; the default behaviour destroys it
    ::SendMessage(hwnd, WM_CLOSE, 0, 0);
    return true;
}

}  // namespace

void EventBridge::Install()
{
    static EventBridge* bridge = nullptr;
    if (!bridge && QCoreApplication::instance()) {
        bridge = new EventBridge;
        QCoreApplication::instance()->installEventFilter(bridge);
    }
}

bool EventBridge::eventFilter(QObject* watched, QEvent* event)
{
    if (!watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::KeyPress:
        return IsBeingRouted(event) ? false
                                    : Finish(RouteKeyPress(widget, static_cast<QKeyEvent*>(event)), widget, event);
    case QEvent::KeyRelease:
        return IsBeingRouted(event) ? false
                                    : Finish(RouteKeyRelease(widget, static_cast<QKeyEvent*>(event)), widget, event);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return IsBeingRouted(event) ? false
                                    : Finish(RouteMouse(widget, static_cast<QMouseEvent*>(event)), widget, event);
    case QEvent::Paint:
        return IsBeingRouted(event) ? false : RoutePaint(widget, static_cast<QPaintEvent*>(event));
    case QEvent::FocusIn:
        if (HWND hwnd = HwndOfWidget(widget))
            FocusChangedByQt(hwnd);
        return false;
    case QEvent::Close:
        return RouteClose(widget, static_cast<QCloseEvent*>(event));
    case QEvent::WindowActivate:
        // Offscreen runs keep the platform's own activation order; on a desktop
        // the user may click any window forward.
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            if (Window* w = LookupWindow(HwndOfWidget(widget)); w && w->frame == widget && w->enabled)
                Activate(w->hwnd);
        return false;
    default:
        return false;
    }
}

bool EventBridge::LetQtHandle(HWND hwnd, UINT message)
{
    const MessageFrame* frame = CurrentMessage(hwnd);
    if (!frame || !frame->routed || frame->msg.message != message)
        return false;
    frame->routed->delivered = true;
    return true;
}

bool EventBridge::DeliverRaw(QWidget* widget, QEvent* event)
{
    if (!widget)
        return false;
    ++Ui().passingOn;
    const bool result = QCoreApplication::sendEvent(widget, event);
    --Ui().passingOn;
    return result;
}

QPainter* EventBridge::PaintPainter(HWND hwnd)
{
    auto& paints = Ui().paints;
    for (auto it = paints.rbegin(); it != paints.rend(); ++it) {
        PaintScope* scope = *it;
        if (scope->hwnd != hwnd || !scope->surface)
            continue;
        if (!scope->painter)
            scope->painter = std::make_unique<QPainter>(scope->surface);
        return scope->painter->isActive() ? scope->painter.get() : nullptr;
    }
    return nullptr;
}

UINT VirtualKeyFromQt(int key, const QString& text)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Clear: return VK_CLEAR;
    default: break;
    }
    if (!text.isEmpty() && text.at(0).unicode() < 0x80)
        return text.at(0).toUpper().unicode();
    return 0;
}

int QtKeyFromVirtualKey(UINT vk)
{
    if (vk >= 'A' && vk <= 'Z')
        return Qt::Key_A + static_cast<int>(vk - 'A');
    if (vk >= '0' && vk <= '9')
        return Qt::Key_0 + static_cast<int>(vk - '0');
    if (vk >= VK_F1 && vk <= VK_F24)
        return Qt::Key_F1 + static_cast<int>(vk - VK_F1);
    switch (vk) {
    case VK_RETURN: return Qt::Key_Return;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_TAB: return Qt::Key_Tab;
    case VK_BACK: return Qt::Key_Backspace;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_HOME: return Qt::Key_Home;
    case VK_END: return Qt::Key_End;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_SPACE: return Qt::Key_Space;
    case VK_SHIFT: return Qt::Key_Shift;
    case VK_CONTROL: return Qt::Key_Control;
    case VK_MENU: return Qt::Key_Alt;
    default: return Qt::Key_unknown;
    }
}

}  // namespace platform
