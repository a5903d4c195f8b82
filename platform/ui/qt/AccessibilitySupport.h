#pragma once
// What the accessible interfaces share (platform internal): the screen's
// device pixels, the texts a screen reader reads, and the interfaces of parts
// that are no Qt object (cells, entries, column headers).
//
// Qt's interfaces report positions in its own scaled coordinates, which here
// are the handheld's pixels; the accessibility bridge hands them on unchanged,
// while AT-SPI clients (screen readers, magnifiers, test tools) work in the X
// server's pixels. So every rectangle leaves here in device pixels, and every
// point a client asks about comes in in them.

#include "platform/ui/WinUser.h"

#include <QAccessible>
#include <QRect>
#include <QString>

#include <functional>
#include <map>

class QWidget;

namespace platform {

// A rectangle of Qt's global coordinates on the widget's screen, in device pixels.
QRect ToDevicePixels(const QRect& rect, const QWidget* widget);
// A point in device pixels, in Qt's global coordinates.
QPoint FromDevicePixels(const QPoint& point, const QWidget* widget);
// The widget's rectangle on the screen in device pixels; empty while hidden.
QRect DeviceRectOf(const QWidget* widget);

// A label as a screen reader speaks it: "&Save" is "Save", "&&" an ampersand.
QString WithoutMnemonic(const QString& text);
// A menu entry's text before its tab (the shortcut column), without mnemonic.
QString MenuEntryName(const QString& text);

// The window whose own widget (client area or desktop frame) `widget` is;
// null for widgets that are parts of a control, and for Qt's own widgets.
HWND WindowOwning(const QWidget* widget);
bool IsWindowClass(HWND hwnd, const char16_t* className);
// The window's text as the program would read it (WM_GETTEXT).
QString WindowText(HWND hwnd);
// A control without a text of its own (an edit, a list) is named by the text
// static just before it, as the dialogs lay labels out.
QString LabelBefore(HWND hwnd);

// An object with no children whose texts a reader cannot change: a list's
// entry, a table's cell, a menu's entry.
class AccessibleLeaf : public QAccessibleInterface {
public:
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
};

// The interfaces of an object's parts that are no QObject, one per key,
// registered with Qt's cache and deleted with their owner.
class PartInterfaces {
public:
    PartInterfaces() = default;
    PartInterfaces(const PartInterfaces&) = delete;
    PartInterfaces& operator=(const PartInterfaces&) = delete;
    ~PartInterfaces() { Clear(); }

    QAccessibleInterface* Get(long long key, const std::function<QAccessibleInterface*()>& make);
    void Clear();

private:
    std::map<long long, QAccessible::Id> m_ids;
};

}  // namespace platform
