#pragma once
// The widget of a window that no control class builds: dialogs, frames, views,
// the program's own windows. It paints the background of the top-level ones
// and dialogs; the rest is the window's WM_PAINT.

#include "platform/ui/WinUser.h"

#include <QWidget>

namespace platform {

class WindowWidget : public QWidget {
public:
    WindowWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent);
    HWND Hwnd() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

}  // namespace platform
