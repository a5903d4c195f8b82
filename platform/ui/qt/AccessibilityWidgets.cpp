#include "platform/ui/qt/AccessibilityWidgets.h"

#include "platform/gdi/GdiObject.h"
#include "platform/ui/controls/commandbar/CommandBar.h"
#include "platform/ui/qt/AccessibilitySupport.h"
#include "platform/ui/qt/CaptionStrip.h"
#include "platform/ui/WinApi.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

namespace platform {
namespace {

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(::GetWindowLong(hwnd, GWL_STYLE)); }

QAccessible::Role ButtonRole(DWORD type)
{
    switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: return QAccessible::CheckBox;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return QAccessible::RadioButton;
    case BS_GROUPBOX: return QAccessible::Grouping;
    default: return QAccessible::PushButton;
    }
}

bool IsPicture(HWND hwnd)
{
    const DWORD type = StyleOf(hwnd) & SS_TYPEMASK;
    return IsWindowClass(hwnd, WC_STATIC) && (type == SS_BITMAP || type == SS_ICON);
}

}  // namespace

// --- AccessibleWidget -----------------------------------------------------------

AccessibleWidget::AccessibleWidget(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

QRect AccessibleWidget::rect() const { return DeviceRectOf(widget()); }

QAccessibleInterface* AccessibleWidget::parent() const
{
    if (widget()->isWindow())
        return QAccessible::queryAccessibleInterface(qApp);
    return QAccessibleWidget::parent();
}

HWND AccessibleWidget::Hwnd() const { return WindowOwning(widget()); }

// --- AccessibleWindow ------------------------------------------------------------

AccessibleWindow::AccessibleWindow(QWidget* widget) : AccessibleWidget(widget, QAccessible::Client) {}

QAccessible::Role AccessibleWindow::role() const
{
    const QWidget* w = widget();
    const HWND hwnd = Hwnd();
    if (!hwnd) {
        if (w->isWindow())
            return QAccessible::Window;
        if (qobject_cast<const QLabel*>(w))
            return QAccessible::StaticText;
        if (dynamic_cast<const CaptionStrip*>(w))
            return QAccessible::Pane;
        return QAccessible::Client;
    }
    const DWORD style = StyleOf(hwnd);
    if (w->isWindow())
        return IsWindowClass(hwnd, WC_DIALOG) ? QAccessible::Dialog : QAccessible::Window;
    if (!(style & WS_CHILD))
        return QAccessible::Client;   // the client area inside the desktop window
    if (IsWindowClass(hwnd, WC_DIALOG))
        return QAccessible::Pane;
    if (IsWindowClass(hwnd, WC_STATIC))
        return IsPicture(hwnd) ? QAccessible::Graphic : QAccessible::StaticText;
    if (IsWindowClass(hwnd, WC_BUTTON))
        return ButtonRole(style & BS_TYPEMASK);
    if (IsWindowClass(hwnd, COMMANDBAR_CLASS))
        return QAccessible::ToolBar;
    return QAccessible::Client;
}

QString AccessibleWindow::Name(HWND hwnd) const
{
    const QWidget* w = widget();
    if (!hwnd) {
        if (!w->accessibleName().isEmpty())
            return w->accessibleName();
        if (const auto* label = qobject_cast<const QLabel*>(w))
            return label->text();
        return w->isWindow() ? w->windowTitle() : QString();
    }
    if (!w->isWindow() && !(StyleOf(hwnd) & WS_CHILD))
        return QString();   // the frame around it carries the title
    if (IsPicture(hwnd)) {
        // "#123" names the bitmap resource, not what it shows.
        const QString text = WindowText(hwnd);
        return text.startsWith(QLatin1Char('#')) ? QString() : text;
    }
    QString text = WindowText(hwnd);
    const bool prefixed = IsWindowClass(hwnd, WC_BUTTON) ||
                          (IsWindowClass(hwnd, WC_STATIC) && !(StyleOf(hwnd) & SS_NOPREFIX));
    if (prefixed)
        text = WithoutMnemonic(text);
    return text.isEmpty() ? w->accessibleName() : text;
}

QString AccessibleWindow::PictureDescription(HWND hwnd) const
{
    BITMAP bitmap{};
    const auto handle = reinterpret_cast<HGDIOBJ>(::SendMessage(hwnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (handle && ::GetObject(handle, sizeof(bitmap), &bitmap) == sizeof(bitmap))
        return QStringLiteral("Picture, %1 by %2 pixels").arg(bitmap.bmWidth).arg(bitmap.bmHeight);
    return QStringLiteral("Picture");
}

QString AccessibleWindow::text(QAccessible::Text t) const
{
    const HWND hwnd = Hwnd();
    switch (t) {
    case QAccessible::Name:
        return Name(hwnd);
    case QAccessible::Description:
        if (hwnd && IsPicture(hwnd))
            return PictureDescription(hwnd);
        return QAccessibleWidget::text(t);
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State AccessibleWindow::state() const
{
    QAccessible::State s = AccessibleWidget::state();
    const QAccessible::Role r = role();
    if (r == QAccessible::StaticText || r == QAccessible::Graphic)
        s.focusable = false;   // a tap on a static never focuses it
    return s;
}

// --- AccessibleButton ------------------------------------------------------------------

AccessibleButton::AccessibleButton(QAbstractButton* button) : AccessibleWidget(button, QAccessible::PushButton) {}

QAbstractButton* AccessibleButton::Button() const { return static_cast<QAbstractButton*>(widget()); }

DWORD AccessibleButton::Type() const
{
    const HWND hwnd = Hwnd();
    return (hwnd && IsWindowClass(hwnd, WC_BUTTON)) ? (StyleOf(hwnd) & BS_TYPEMASK) : BS_PUSHBUTTON;
}

QAccessible::Role AccessibleButton::role() const
{
    if (Hwnd())
        return ButtonRole(Type());
    if (qobject_cast<const QCheckBox*>(Button()))
        return QAccessible::CheckBox;
    if (qobject_cast<const QRadioButton*>(Button()))
        return QAccessible::RadioButton;
    return QAccessible::PushButton;
}

QString AccessibleButton::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name)
        return QAccessibleWidget::text(t);
    if (const HWND hwnd = Hwnd())
        return WithoutMnemonic(WindowText(hwnd));
    if (!Button()->accessibleName().isEmpty())
        return Button()->accessibleName();
    return WithoutMnemonic(Button()->text());
}

QAccessible::State AccessibleButton::state() const
{
    QAccessible::State s = AccessibleWidget::state();
    const QAccessible::Role r = role();
    if (r == QAccessible::CheckBox || r == QAccessible::RadioButton) {
        s.checkable = true;
        int check = Button()->isChecked() ? BST_CHECKED : BST_UNCHECKED;
        if (const HWND hwnd = Hwnd())
            check = static_cast<int>(::SendMessage(hwnd, BM_GETCHECK, 0, 0));
        s.checked = check == BST_CHECKED;
        s.checkStateMixed = check == BST_INDETERMINATE;
    }
    s.defaultButton = Type() == BS_DEFPUSHBUTTON;
    s.pressed = Button()->isDown();
    return s;
}

QStringList AccessibleButton::actionNames() const
{
    const QAccessible::Role r = role();
    QStringList names{(r == QAccessible::CheckBox || r == QAccessible::RadioButton) ? toggleAction()
                                                                                     : pressAction()};
    if (Button()->focusPolicy() != Qt::NoFocus)
        names << setFocusAction();
    return names;
}

void AccessibleButton::doAction(const QString& action)
{
    if (action != pressAction() && action != toggleAction()) {
        QAccessibleWidget::doAction(action);
        return;
    }
    if (!Button()->isEnabled())
        return;
    // Later, from the message loop, as a tap would: the request comes in the
    // middle of whatever the bus is doing.
    if (const HWND hwnd = Hwnd())
        ::PostMessage(hwnd, BM_CLICK, 0, 0);
    else
        QMetaObject::invokeMethod(Button(), "click", Qt::QueuedConnection);
}

}  // namespace platform
