#include "platform/ui/qt/AccessibilityMenus.h"

#include "platform/ui/qt/AccessibilitySupport.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace platform {
namespace {

// The shown desktop windows and open menus, in the order Qt made their windows.
std::vector<QWidget*> TopLevels()
{
    const QWindowList order = QGuiApplication::topLevelWindows();
    std::vector<std::pair<qsizetype, QWidget*>> shown;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = widget->windowType();
        if (!widget->isVisible() || type == Qt::Desktop || type == Qt::ToolTip ||
            (type == Qt::Popup && !qobject_cast<QMenu*>(widget)))
            continue;
        shown.emplace_back(order.indexOf(widget->windowHandle()), widget);
    }
    std::sort(shown.begin(), shown.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QWidget*> widgets;
    for (const auto& entry : shown)
        widgets.push_back(entry.second);
    return widgets;
}

}  // namespace

// --- AccessibleApplication ---------------------------------------------------------

int AccessibleApplication::childCount() const { return static_cast<int>(TopLevels().size()); }

QAccessibleInterface* AccessibleApplication::child(int index) const
{
    const std::vector<QWidget*> windows = TopLevels();
    if (index < 0 || static_cast<std::size_t>(index) >= windows.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(windows[static_cast<std::size_t>(index)]);
}

int AccessibleApplication::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    const std::vector<QWidget*> windows = TopLevels();
    const auto at = std::find(windows.begin(), windows.end(), child->object());
    return at == windows.end() ? -1 : static_cast<int>(at - windows.begin());
}

// --- AccessibleMenu ------------------------------------------------------------------

AccessibleMenu::AccessibleMenu(QMenu* menu) : AccessibleWidget(menu, QAccessible::PopupMenu) {}

QMenu* AccessibleMenu::Menu() const { return static_cast<QMenu*>(widget()); }

QString AccessibleMenu::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return Menu()->accessibleName().isEmpty() ? MenuEntryName(Menu()->title()) : Menu()->accessibleName();
    return AccessibleWidget::text(t);
}

int AccessibleMenu::childCount() const { return static_cast<int>(Menu()->actions().size()); }

QAccessibleInterface* AccessibleMenu::child(int index) const
{
    const QList<QAction*> actions = Menu()->actions();
    return (index >= 0 && index < actions.size()) ? QAccessible::queryAccessibleInterface(actions.at(index)) : nullptr;
}

int AccessibleMenu::indexOfChild(const QAccessibleInterface* child) const
{
    return child ? static_cast<int>(Menu()->actions().indexOf(qobject_cast<QAction*>(child->object()))) : -1;
}

// --- AccessibleMenuItem ------------------------------------------------------------------

AccessibleMenuItem::AccessibleMenuItem(QMenu* menu, QAction* action) : m_menu(menu), m_action(action) {}

QMenu* AccessibleMenuItem::MenuShowing(QAction* action)
{
    for (QObject* shownIn : action->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(shownIn); menu && menu != action->menu())
            return menu;
    return nullptr;
}

bool AccessibleMenuItem::isValid() const { return m_menu && m_action; }

QObject* AccessibleMenuItem::object() const { return m_action; }

QWindow* AccessibleMenuItem::window() const { return m_menu ? m_menu->windowHandle() : nullptr; }

QAccessibleInterface* AccessibleMenuItem::parent() const { return QAccessible::queryAccessibleInterface(m_menu); }

QString AccessibleMenuItem::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !isValid() || m_action->isSeparator())
        return QString();
    return MenuEntryName(m_action->text());
}

QRect AccessibleMenuItem::rect() const
{
    if (!isValid() || !m_menu->isVisible())
        return QRect();
    const QRect local = m_menu->actionGeometry(m_action);
    return ToDevicePixels(QRect(m_menu->mapToGlobal(local.topLeft()), local.size()), m_menu);
}

QAccessible::Role AccessibleMenuItem::role() const
{
    return (isValid() && m_action->isSeparator()) ? QAccessible::Separator : QAccessible::MenuItem;
}

QAccessible::State AccessibleMenuItem::state() const
{
    QAccessible::State s;
    if (!isValid() || !m_menu->isVisible() || !m_action->isVisible()) {
        s.invisible = true;
        return s;
    }
    if (m_action->isSeparator())
        return s;
    s.disabled = !m_action->isEnabled();
    s.focusable = true;
    s.focused = s.selected = m_menu->activeAction() == m_action;
    s.checkable = m_action->isCheckable();
    s.checked = m_action->isChecked();
    s.hasPopup = m_action->menu() != nullptr;
    return s;
}

void* AccessibleMenuItem::interface_cast(QAccessible::InterfaceType t)
{
    return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QStringList AccessibleMenuItem::actionNames() const
{
    if (!isValid() || m_action->isSeparator() || !m_action->isEnabled())
        return {};
    return {pressAction()};
}

void AccessibleMenuItem::doAction(const QString& action)
{
    if (action != pressAction() || !actionNames().contains(action))
        return;
    // As the user picks it: the entry becomes the current one and Enter is
    // pressed, so the menu closes and answers as it does to a tap.
    QTimer::singleShot(0, m_menu, [menu = m_menu, entry = m_action] {
        if (!menu || !entry || !menu->isVisible())
            return;
        menu->setActiveAction(entry);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(menu, &enter);
    });
}

QStringList AccessibleMenuItem::keyBindingsForAction(const QString&) const { return {}; }

}  // namespace platform
