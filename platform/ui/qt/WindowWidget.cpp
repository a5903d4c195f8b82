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

}  // namespace

WindowWidget::WindowWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent) : QWidget(parent), m_hwnd(hwnd)
{
    setObjectName(QStringLiteral("platform::WindowWidget"));
    // A program's own child window paints its background itself.
    const bool custom = (cs.style & WS_CHILD) && cs.lpszClass && !IS_INTRESOURCE(cs.lpszClass) &&
                        CString(cs.lpszClass).CompareNoCase(WC_DIALOG) != 0;
    setAutoFillBackground(!custom);
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

}  // namespace platform
