#include "platform/ui/qt/EventBridge.h"

#include "platform/ui/CWnd.h"
#include "platform/ui/UiState.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/qt/Keys.h"
#include "platform/ui/qt/WindowWidget.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include <algorithm>
#include <memory>

namespace platform {
namespace {

// While an event goes on to its widget, Qt may hand it (or a copy) on to the
// widget's parents; none of that is a message.
bool PassOn(QWidget* widget, QEvent* event)
{
    if (!widget)
        return false;
    ++Ui().passingOn;
    const bool result = QCoreApplication::sendEvent(widget, event);
    --Ui().passingOn;
    return result;
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
    return key->text().at(0).unicode() != 0x7F;
}

// The characters a key types: with Ctrl, a letter types its control
// character (Ctrl+V is 0x16), whatever text Qt gives the key.
QString CharactersOf(const QKeyEvent* key, UINT vk)
{
    if ((key->modifiers() & Qt::ControlModifier) && vk >= 'A' && vk <= 'Z')
        return QString(QChar(static_cast<char16_t>(vk - 'A' + 1)));
    return key->text();
}

// Sends the message with the Qt event it stands for.
void SendRouted(QEvent* event, QWidget* receiver, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    RoutedEvent routed{event, receiver, false};
    Dispatch(hwnd, message, wParam, lParam, &routed);
}

// Whether the event was a window's input: it is then the window's to use.
enum class Route { NotOurs, Taken };

bool Finish(Route route, QEvent* event)
{
    if (route == Route::NotOurs)
        return false;
    // Accepted, or Qt would hand a copy on to the parent widgets.
    event->accept();
    return true;
}

Route RouteKeyPress(QWidget* widget, QKeyEvent* key)
{
    HWND hwnd = HwndOfWidget(widget);
    if (!hwnd)
        return Route::NotOurs;
    const UINT vk = VirtualKeyFromQt(key->key(), key->text());
    MSG msg{hwnd, WM_KEYDOWN, vk, KeyLParam(key, false), 0, {0, 0}};
    if (CWnd::WalkPreTranslateTree(TopLevelOf(hwnd), &msg) || !::IsWindow(hwnd))
        return Route::Taken;
    SendRouted(key, widget, hwnd, WM_KEYDOWN, vk, msg.lParam);
    if (!IsCharacter(key, vk))
        return Route::Taken;
    for (QChar c : CharactersOf(key, vk)) {
        if (!::IsWindow(hwnd))
            break;
        MSG charMsg{hwnd, WM_CHAR, c.unicode(), msg.lParam, 0, {0, 0}};
        if (CWnd::WalkPreTranslateTree(TopLevelOf(hwnd), &charMsg) || !::IsWindow(hwnd))
            break;
        SendRouted(key, widget, hwnd, WM_CHAR, c.unicode(), msg.lParam);
    }
    return Route::Taken;
}

Route RouteKeyRelease(QWidget* widget, QKeyEvent* key)
{
    HWND hwnd = HwndOfWidget(widget);
    if (!hwnd)
        return Route::NotOurs;
    const UINT vk = VirtualKeyFromQt(key->key(), key->text());
    SendRouted(key, widget, hwnd, WM_KEYUP, vk, KeyLParam(key, true));
    return Route::Taken;
}

// A disabled window, or one inside a disabled one, gets no input.
bool TakesInput(HWND hwnd)
{
    for (Window* w = LookupWindow(hwnd); w; w = w->IsTopLevel() ? nullptr : LookupWindow(w->parent))
        if (!w->enabled)
            return false;
    return true;
}

UINT MouseMessage(const QMouseEvent* mouse)
{
    const bool left = mouse->button() == Qt::LeftButton;
    const bool right = mouse->button() == Qt::RightButton;
    switch (mouse->type()) {
    case QEvent::MouseButtonPress: return left ? WM_LBUTTONDOWN : right ? WM_RBUTTONDOWN : 0;
    case QEvent::MouseButtonRelease: return left ? WM_LBUTTONUP : right ? WM_RBUTTONUP : 0;
    case QEvent::MouseButtonDblClick: return left ? WM_LBUTTONDBLCLK : 0;
    default: return 0;
    }
}

WPARAM MouseKeys(const QMouseEvent* mouse)
{
    WPARAM keys = 0;
    if (mouse->buttons() & Qt::LeftButton)
        keys |= MK_LBUTTON;
    if (mouse->buttons() & Qt::RightButton)
        keys |= MK_RBUTTON;
    if (mouse->modifiers() & Qt::ShiftModifier)
        keys |= MK_SHIFT;
    if (mouse->modifiers() & Qt::ControlModifier)
        keys |= MK_CONTROL;
    return keys;
}

Route RouteMouse(QWidget* widget, QMouseEvent* mouse)
{
    HWND hwnd = HwndOfWidget(widget);
    Window* w = LookupWindow(hwnd);
    if (!w || !w->widget)
        return Route::NotOurs;
    if (!TakesInput(hwnd))
        return Route::Taken;
    const UINT message = MouseMessage(mouse);
    if (!message)
        return Route::NotOurs;
    const QPoint pos = w->widget->mapFromGlobal(mouse->globalPosition().toPoint()) - ClientOffset(*w);
    MSG msg{hwnd, message, MouseKeys(mouse), MAKELPARAM(pos.x(), pos.y()), 0, {pos.x(), pos.y()}};
    if (CWnd::WalkPreTranslateTree(TopLevelOf(hwnd), &msg) || !::IsWindow(hwnd))
        return Route::Taken;
    SendRouted(mouse, widget, hwnd, message, msg.wParam, msg.lParam);
    return Route::Taken;
}

// A plain window's border lies outside its client area: drawn after the
// window's painting, whatever that did.
void PaintBorder(QWidget* widget, const Window& w)
{
    const int border = BorderWidth(w);
    if (border == 0 || !dynamic_cast<WindowWidget*>(widget))
        return;
    QPainter painter(widget);
    const QRect r = widget->rect();
    if (w.exStyle & WS_EX_CLIENTEDGE) {
        painter.setPen(ToQColor(GetSysColor(COLOR_BTNSHADOW)));
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(ToQColor(GetSysColor(COLOR_BTNHIGHLIGHT)));
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToQColor(GetSysColor(COLOR_WINDOWFRAME)));
    const int edge = (w.exStyle & WS_EX_CLIENTEDGE) ? 1 : 0;
    const QRect outer = r.adjusted(edge, edge, -edge, -edge);
    const int inner = border - 2 * edge;
    if (inner <= 0)
        return;
    painter.drawRect(QRect(outer.left(), outer.top(), outer.width(), inner));
    painter.drawRect(QRect(outer.left(), outer.bottom() - inner + 1, outer.width(), inner));
    painter.drawRect(QRect(outer.left(), outer.top(), inner, outer.height()));
    painter.drawRect(QRect(outer.right() - inner + 1, outer.top(), inner, outer.height()));
}

bool RoutePaint(QWidget* widget, QPaintEvent* paint)
{
    HWND hwnd = HwndOfWidget(widget);
    Window* w = LookupWindow(hwnd);
    if (!w || !w->widget || PaintSurface(*w) != widget)
        return false;
    PaintScope scope;
    scope.hwnd = hwnd;
    scope.surface = widget;
    scope.clientOrigin = widget->mapFrom(w->widget, ClientOffset(*w));
    Ui().paints.push_back(&scope);
    SendRouted(paint, widget, hwnd, WM_PAINT, 0, 0);
    if (scope.painter && scope.painter->isActive())
        scope.painter->end();
    Ui().paints.erase(std::find(Ui().paints.begin(), Ui().paints.end(), &scope));
    if ((w = LookupWindow(hwnd)) != nullptr && w->widget == widget)
        PaintBorder(widget, *w);
    return true;
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

PaintScope* PaintOf(HWND hwnd)
{
    auto& paints = Ui().paints;
    for (auto it = paints.rbegin(); it != paints.rend(); ++it)
        if ((*it)->hwnd == hwnd)
            return *it;
    return nullptr;
}

void BeginPainter(PaintScope& scope)
{
    if (!scope.painter)
        scope.painter = std::make_unique<QPainter>();
    if (scope.painter->isActive() || !scope.surface || !scope.painter->begin(scope.surface))
        return;
    scope.painter->translate(scope.clientOrigin);
}

// The widget paints itself under what the program draws next: a painter the
// program has begun pauses meanwhile (a widget takes one painter at a time).
void DeliverPaint(HWND hwnd, RoutedEvent& routed)
{
    PaintScope* scope = PaintOf(hwnd);
    const bool pause = scope && scope->painter && scope->painter->isActive();
    if (pause)
        scope->painter->end();
    PassOn(routed.receiver, routed.event);
    if (pause && (scope = PaintOf(hwnd)) != nullptr)
        BeginPainter(*scope);
}

void DeliverRouted(HWND hwnd, RoutedEvent& routed, UINT message, WPARAM wParam)
{
    switch (message) {
    case WM_PAINT:
        DeliverPaint(hwnd, routed);
        return;
    case WM_KEYDOWN: {
        auto* key = static_cast<QKeyEvent*>(routed.event);
        // A key that types does its work through its WM_CHAR.
        if (!IsCharacter(key, static_cast<UINT>(wParam)))
            PassOn(routed.receiver, key);
        return;
    }
    case WM_CHAR: {
        auto* key = static_cast<QKeyEvent*>(routed.event);
        if (CharactersOf(key, VirtualKeyFromQt(key->key(), key->text())).size() == 1) {
            PassOn(routed.receiver, key);
        } else {
            const QChar c(static_cast<char16_t>(wParam));
            QKeyEvent one(QEvent::KeyPress, key->key(), key->modifiers(), QString(c));
            PassOn(routed.receiver, &one);
        }
        return;
    }
    default:
        PassOn(routed.receiver, routed.event);
        return;
    }
}

// Where code-made key input goes: the window's focused widget, else the window.
QWidget* FocusTarget(const Window& w)
{
    QWidget* target = w.widget;
    if (!target)
        return nullptr;
    if (QWidget* fw = target->window()->focusWidget(); fw && (fw == target || target->isAncestorOf(fw)))
        return fw;
    if (QWidget* proxy = target->focusProxy())
        return proxy;
    return target;
}

void SynthesizeKey(const Window& w, QEvent::Type type, int key, const QString& text)
{
    QKeyEvent event(type, key, Qt::NoModifier, text);
    PassOn(FocusTarget(w), &event);
}

void SynthesizeMouse(const Window& w, UINT message, LPARAM lParam)
{
    const QPoint client(static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam)));
    const QPointF local = QPointF(client + ClientOffset(w)) + QPointF(0.5, 0.5);
    QWidget* child = w.widget->childAt(local.toPoint());
    QWidget* receiver = child ? child : w.widget.data();
    const QPointF pos = receiver->mapFrom(w.widget, local);
    const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN;
    const bool left = message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_LBUTTONDBLCLK;
    const Qt::MouseButton button = left ? Qt::LeftButton : Qt::RightButton;
    const QEvent::Type type = message == WM_LBUTTONDBLCLK ? QEvent::MouseButtonDblClick
                              : down                      ? QEvent::MouseButtonPress
                                                          : QEvent::MouseButtonRelease;
    QMouseEvent event(type, pos, receiver->mapToGlobal(pos), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    PassOn(receiver, &event);
}

// A message sent by code: the Qt event a user would have caused.
void Synthesize(const Window& w, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!w.widget)
        return;
    switch (message) {
    case WM_CHAR: {
        const QChar c(static_cast<char16_t>(wParam));
        SynthesizeKey(w, QEvent::KeyPress, QtKeyOfCharacter(c), QString(c));
        return;
    }
    case WM_KEYDOWN:
        if (!VirtualKeyTypes(static_cast<UINT>(wParam)))
            SynthesizeKey(w, QEvent::KeyPress, QtKeyFromVirtualKey(static_cast<UINT>(wParam)), QString());
        return;
    case WM_KEYUP: {
        const UINT vk = static_cast<UINT>(wParam);
        SynthesizeKey(w, QEvent::KeyRelease, QtKeyFromVirtualKey(vk), TextOfVirtualKey(vk));
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        SynthesizeMouse(w, message, lParam);
        return;
    default:
        return;   // WM_PAINT: Qt paints only when it paints
    }
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
        return !IsBeingRouted(event) && Finish(RouteKeyPress(widget, static_cast<QKeyEvent*>(event)), event);
    case QEvent::KeyRelease:
        return !IsBeingRouted(event) && Finish(RouteKeyRelease(widget, static_cast<QKeyEvent*>(event)), event);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return !IsBeingRouted(event) && Finish(RouteMouse(widget, static_cast<QMouseEvent*>(event)), event);
    case QEvent::Paint:
        return !IsBeingRouted(event) && RoutePaint(widget, static_cast<QPaintEvent*>(event));
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

void EventBridge::Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* w = LookupWindow(hwnd);
    if (!w)
        return;
    const MessageFrame* frame = CurrentMessage(hwnd);
    RoutedEvent* routed = frame ? frame->routed : nullptr;
    if (routed && frame->msg.message == message && frame->msg.wParam == wParam) {
        if (!routed->delivered) {
            routed->delivered = true;
            DeliverRouted(hwnd, *routed, message, wParam);
        }
        return;
    }
    Synthesize(*w, message, wParam, lParam);
}

bool EventBridge::DeliverRaw(QWidget* widget, QEvent* event) { return PassOn(widget, event); }

QPainter* EventBridge::PaintPainter(HWND hwnd)
{
    PaintScope* scope = PaintOf(hwnd);
    if (!scope)
        return nullptr;
    BeginPainter(*scope);
    return scope->painter->isActive() ? scope->painter.get() : nullptr;
}

QWidget* PaintSurface(const Window& w)
{
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w.widget.data()))
        return area->viewport();
    return w.widget;
}

}  // namespace platform
