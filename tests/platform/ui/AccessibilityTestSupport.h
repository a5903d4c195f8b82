#pragma once
// Reading windows through Qt's accessibility interfaces, as the bus bridge
// hands them to a screen reader: from the application down, by role and name.

#include "platform/ui/qt/Screen.h"
#include "platform/ui/Window.h"

#include <QAccessible>
#include <QApplication>
#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace a11ytest {

inline QAccessibleInterface* App() { return QAccessible::queryAccessibleInterface(qApp); }

inline QAccessibleInterface* Of(HWND hwnd)
{
    platform::Window* w = platform::LookupWindow(hwnd);
    return w ? QAccessible::queryAccessibleInterface(w->widget) : nullptr;
}

inline QAccessibleInterface* DesktopWindowOf(HWND hwnd)
{
    platform::Window* w = platform::LookupWindow(hwnd);
    return w ? QAccessible::queryAccessibleInterface(w->Outer()) : nullptr;
}

inline std::string Name(QAccessibleInterface* iface)
{
    return iface ? iface->text(QAccessible::Name).toStdString() : "<none>";
}

// The first object below `root` (depth first) that `match` accepts.
inline QAccessibleInterface* FindBelow(QAccessibleInterface* root,
                                       const std::function<bool(QAccessibleInterface*)>& match, int depth = 12)
{
    if (!root || depth < 0)
        return nullptr;
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface* child = root->child(i);
        if (!child)
            continue;
        if (match(child))
            return child;
        if (QAccessibleInterface* found = FindBelow(child, match, depth - 1))
            return found;
    }
    return nullptr;
}

inline QAccessibleInterface* Find(QAccessibleInterface* root, QAccessible::Role role, const QString& name)
{
    return FindBelow(root,
                     [&](QAccessibleInterface* i) { return i->role() == role && i->text(QAccessible::Name) == name; });
}

inline QAccessibleInterface* FindRole(QAccessibleInterface* root, QAccessible::Role role)
{
    return FindBelow(root, [&](QAccessibleInterface* i) { return i->role() == role; });
}

// Every child knows its parent and its place, as a reader walking up and
// down the tree relies on.
inline void ExpectConsistentTree(QAccessibleInterface* root, int depth = 12)
{
    if (!root || depth < 0)
        return;
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface* child = root->child(i);
        ASSERT_NE(child, nullptr) << Name(root) << " child " << i;
        EXPECT_TRUE(child->isValid());
        EXPECT_EQ(child->parent(), root) << Name(child) << " under " << Name(root);
        EXPECT_EQ(root->indexOfChild(child), i) << Name(child) << " under " << Name(root);
        ExpectConsistentTree(child, depth - 1);
    }
}

inline int Scale() { return platform::DesktopScale(); }

// Where a point of the handheld's screen is in device pixels, given where
// the desktop window of its top-level window is.
inline QRect Scaled(const QRect& frameDevice, int x, int y, int cx, int cy)
{
    const int s = Scale();
    return QRect(frameDevice.x() + x * s, frameDevice.y() + y * s, cx * s, cy * s);
}

}  // namespace a11ytest
