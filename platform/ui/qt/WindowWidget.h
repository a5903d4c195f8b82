#pragma once
// The widget of a window that no control class builds: dialogs, frames, views,
// custom windows, and placeholders for control classes not registered. It
// paints the background and, for placeholders, the window's text.

#include "platform/ui/WinUser.h"

#include <QWidget>

namespace platform {

class WindowWidget : public QWidget {
public:
    WindowWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent);
    HWND Hwnd() const { return m_hwnd; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    HWND m_hwnd;
};

}  // namespace platform
