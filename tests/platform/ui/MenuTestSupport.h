#pragma once
// Menus and command bars in tests: the registered menu the tests use, and
// real taps on bar buttons and pop-up entries.

#include "platform/testing/UiTestSupport.h"
#include "platform/ui/controls/menu/MenuTemplate.h"
#include "platform/ui/ResourceRegistry.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>

namespace menutest {

constexpr UINT kMenu = 9143;
constexpr UINT kPlainMenu = 9144;

inline void RegisterTestMenus()
{
    platform::RegisterStrings({{9922, u"View"}, {9897, u"Tools"}, {9813, u"Help"}});
    platform::RegisterMenu({kMenu,
                            {
                                {u"View", 0, 0,
                                 {{u"Home", 32910},
                                  {u"", 0, MF_SEPARATOR},
                                  {u"What I Owe", 32871},
                                  {u"What's Owed to Me", 32809},
                                  {u"What's Due", 32810},
                                  {u"All Items", 32869}}},
                                {u"Tools", 0, 0, {{u"Edit Categories...", 32909}, {u"", 0, MF_SEPARATOR}, {u"E&xit", 32923}}},
                                {u"Help", 0, 0, {{u"Using Owebook", 57670}, {u"", 0, MF_SEPARATOR}, {u"About Owebook", 57664}}},
                            }});
    // Labels from the string table, in an order of their own.
    platform::RegisterMenuBar({kMenu, kMenu, {{32870, 9922, 0}, {32807, 9897, 1}, {57670, 9813, 2}}});
    platform::RegisterMenu({kPlainMenu, {{u"Edit", 0, 0, {{u"Undo", 57643}, {u"Cut", 57635, MF_GRAYED}}},
                                         {u"Tools", 0, 0, {{u"Delete Item...", 1172}}}}});
}

inline void Click(QWidget* widget, QPoint at)
{
    const QPoint global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

inline void Tap(QAbstractButton* button) { Click(button, button->rect().center()); }

inline QMenu* OpenPopup() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

inline QAction* Entry(QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

// Taps the entry of the open pop-up; false when there is none or no such entry.
inline bool TapEntry(const QString& text)
{
    QMenu* menu = OpenPopup();
    QAction* action = menu ? Entry(menu, text) : nullptr;
    if (!action)
        return false;
    Click(menu, menu->actionGeometry(action).center());
    platform::testing::ProcessEvents();
    return true;
}

inline void ClosePopups()
{
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    platform::testing::ProcessEvents();
}

}  // namespace menutest
