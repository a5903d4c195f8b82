#include "platform/ui/qt/Accessibility.h"

#include "platform/ui/qt/AccessibilityItemViews.h"
#include "platform/ui/qt/AccessibilityMenus.h"
#include "platform/ui/qt/AccessibilityText.h"
#include "platform/ui/qt/AccessibilityWidgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTreeView>

namespace platform {
namespace {

// Every widget gets one of ours, Qt's own parts of a control included, so
// that no position reaches the bus unscaled.
QAccessibleInterface* InterfaceOf(QWidget* widget)
{
    if (auto* menu = qobject_cast<QMenu*>(widget))
        return new AccessibleMenu(menu);
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return new AccessibleCombo(combo);
    if (auto* list = qobject_cast<QTreeView*>(widget))
        return new AccessibleReportList(list);
    if (auto* view = qobject_cast<QAbstractItemView*>(widget); view && !qobject_cast<QHeaderView*>(widget))
        return new AccessibleEntries(view);
    if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget))
        return new AccessibleEdit(widget);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return new AccessibleButton(button);
    return new AccessibleWindow(widget);
}

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    Q_UNUSED(className);
    if (!object)
        return nullptr;
    if (object == QCoreApplication::instance())
        return new AccessibleApplication;
    if (auto* action = qobject_cast<QAction*>(object)) {
        QMenu* menu = AccessibleMenuItem::MenuShowing(action);
        return menu ? new AccessibleMenuItem(menu, action) : nullptr;
    }
    return object->isWidgetType() ? InterfaceOf(static_cast<QWidget*>(object)) : nullptr;
}

}  // namespace

void InstallAccessibility() { QAccessible::installFactory(&Factory); }

}  // namespace platform
