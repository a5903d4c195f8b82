#include "platform/ui/qt/WindowWidget.h"

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/Window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

#include <algorithm>

namespace platform {
namespace {

QAccessible::Role RoleOf(const Window& w)
{
    const CString& cls = w.className;
    if (cls.CompareNoCase(WC_DIALOG) == 0)
        return w.IsTopLevel() ? QAccessible::Dialog : QAccessible::Pane;
    if (cls.CompareNoCase(WC_BUTTON) == 0) {
        switch (w.style & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE: return QAccessible::CheckBox;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return QAccessible::RadioButton;
        case BS_GROUPBOX: return QAccessible::Grouping;
        default: return QAccessible::Button;
        }
    }
    if (cls.CompareNoCase(WC_STATIC) == 0)
        return (w.style & SS_TYPEMASK) == SS_BITMAP ? QAccessible::Graphic : QAccessible::StaticText;
    if (cls.CompareNoCase(WC_EDIT) == 0)
        return QAccessible::EditableText;
    if (cls.CompareNoCase(WC_COMBOBOX) == 0)
        return QAccessible::ComboBox;
    if (cls.CompareNoCase(WC_LISTVIEW) == 0 || cls.CompareNoCase(WC_LISTBOX) == 0)
        return QAccessible::List;
    return w.IsTopLevel() ? QAccessible::Window : QAccessible::Client;
}

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    Q_UNUSED(className);
    auto* widget = dynamic_cast<WindowWidget*>(object);
    if (!widget)
        return nullptr;
    Window* w = LookupWindow(widget->Hwnd());
    return new QAccessibleWidget(widget, w ? RoleOf(*w) : QAccessible::Client);
}

bool IsPlaceholder(const Window& w)
{
    return w.className.CompareNoCase(WC_DIALOG) != 0 && !w.className.IsEmpty() && (w.style & WS_CHILD);
}

}  // namespace

WindowWidget::WindowWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent) : QWidget(parent), m_hwnd(hwnd)
{
    setObjectName(QStringLiteral("platform::WindowWidget"));
    // A placeholder control lets what lies under it show: a combo box's
    // rectangle, for one, reaches down over its closed list.
    const bool placeholder = (cs.style & WS_CHILD) && cs.lpszClass && !IS_INTRESOURCE(cs.lpszClass) &&
                             CString(cs.lpszClass).CompareNoCase(WC_DIALOG) != 0;
    setAutoFillBackground(!placeholder);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(GetSysColor(COLOR_WINDOW)));
    pal.setColor(QPalette::WindowText, ToQColor(GetSysColor(COLOR_WINDOWTEXT)));
    setPalette(pal);
    if (cs.lpszName && !IS_INTRESOURCE(cs.lpszName))
        setAccessibleName(QString::fromUtf16(cs.lpszName));
    setFocusPolicy((cs.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
}

void WindowWidget::InstallAccessibility()
{
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(&Factory);
    }
}

void WindowWidget::paintEvent(QPaintEvent*)
{
    Window* w = LookupWindow(m_hwnd);
    if (!w || !IsPlaceholder(*w))
        return;
    QPainter painter(this);
    const QRect r = rect();
    const QString text = QString::fromUtf16(w->text.GetString(), w->text.GetLength());
    const bool isButton = w->className.CompareNoCase(WC_BUTTON) == 0;
    const bool isStatic = w->className.CompareNoCase(WC_STATIC) == 0;
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    if (isButton && (w->style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON) {
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        if ((w->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            painter.drawRect(r.adjusted(1, 1, -2, -2));
        painter.drawText(r, Qt::AlignCenter, text);
    } else if (isStatic && (w->style & SS_TYPEMASK) == SS_BITMAP) {
        painter.fillRect(r, QColor(128, 128, 128));
    } else if (w->className.CompareNoCase(WC_COMBOBOX) == 0) {
        const int h = std::min(r.height(), fontMetrics().height() + 6);
        const QRect box(0, 0, r.width(), h);
        painter.fillRect(box, palette().color(QPalette::Window));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.drawText(box.adjusted(3, 0, -h, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        const QRect arrow(box.right() - h + 1, 0, h, h);
        painter.drawRect(arrow.adjusted(0, 0, -1, -1));
        const QPoint c = arrow.center();
        painter.drawLine(c.x() - 3, c.y() - 1, c.x(), c.y() + 2);
        painter.drawLine(c.x(), c.y() + 2, c.x() + 3, c.y() - 1);
    } else if (isStatic || isButton) {
        int align = Qt::AlignLeft;
        if ((w->style & SS_TYPEMASK) == SS_CENTER && isStatic)
            align = Qt::AlignHCenter;
        else if ((w->style & SS_TYPEMASK) == SS_RIGHT && isStatic)
            align = Qt::AlignRight;
        painter.drawText(r, align | Qt::AlignTop | Qt::TextWordWrap, text);
    } else {
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        painter.drawText(r.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

}  // namespace platform
