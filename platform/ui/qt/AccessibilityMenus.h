#pragma once
// The application and its pop-up menus as a screen reader reads them
// (platform internal). Qt leaves pop-up windows out of the application's
// children; an open menu is a window of its own to the user, so here it is
// one beside the desktop windows, with its entries, for as long as it is open.

#include "platform/ui/qt/AccessibilitySupport.h"
#include "platform/ui/qt/AccessibilityWidgets.h"

#include <QAccessibleObject>
#include <QPointer>

class QAction;
class QMenu;

namespace platform {

class AccessibleApplication : public QAccessibleApplication {
public:
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
};

class AccessibleMenu : public AccessibleWidget {
public:
    explicit AccessibleMenu(QMenu* menu);
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

private:
    QMenu* Menu() const;
};

// An entry of an open menu; its index among the menu's entries is the one
// Qt's menu gives in its focus events.
class AccessibleMenuItem : public AccessibleLeaf, public QAccessibleActionInterface {
public:
    AccessibleMenuItem(QMenu* menu, QAction* action);
    // The menu that shows `action` (not the sub-menu it opens); null if none.
    static QMenu* MenuShowing(QAction* action);

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleActionInterface
    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString& action) const override;

private:
    QPointer<QMenu> m_menu;
    QPointer<QAction> m_action;
};

}  // namespace platform
