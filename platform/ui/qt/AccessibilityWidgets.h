#pragma once
// Accessible interfaces of the platform's windows and of the Qt widgets that
// make up its screen (platform internal; the factory in Accessibility.cpp
// picks them). A window is read as its window class says: a "Static" is a
// label named by its text or a picture, a "Button" by its style, whatever C++
// object handles its messages; names and states come from the window's
// messages (WM_GETTEXT, BM_GETCHECK), positions from its widget.

#include "platform/ui/WinUser.h"

#include <QAccessibleWidget>

class QAbstractButton;

namespace platform {

// The base of all: positions in device pixels; a desktop window's parent is
// the application.
class AccessibleWidget : public QAccessibleWidget {
public:
    AccessibleWidget(QWidget* widget, QAccessible::Role role);
    QRect rect() const override;
    QAccessibleInterface* parent() const override;

protected:
    // The platform window this widget is the client area or frame of.
    HWND Hwnd() const;
};

// Frames, dialogs, views, statics, group boxes, the command bar, placeholders
// of unregistered classes, and Qt's plain widgets (caption strip, labels).
class AccessibleWindow : public AccessibleWidget {
public:
    explicit AccessibleWindow(QWidget* widget);
    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

private:
    QString Name(HWND hwnd) const;
    QString PictureDescription(HWND hwnd) const;
};

// Push buttons, check boxes and radio buttons, of the program's dialogs or of
// the platform's own bars.
class AccessibleButton : public AccessibleWidget {
public:
    explicit AccessibleButton(QAbstractButton* button);
    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    QAbstractButton* Button() const;
    DWORD Type() const;   // BS_* of a button window; BS_PUSHBUTTON otherwise
};

}  // namespace platform
