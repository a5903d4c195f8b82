#pragma once
// The Qt side of a tab strip (platform internal). Tabs sit at the bottom of
// their strip, as on the handheld. A tap on another tab asks the parent first
// (TCN_SELCHANGING, which may refuse), then changes and tells it
// (TCN_SELCHANGE); changes made by messages tell nobody.

#include "platform/ui/Window.h"

#include <QTabBar>

namespace platform {

class TabStripWidget : public QTabBar {
public:
    TabStripWidget(HWND hwnd, QWidget* parent);

    // Changes the current tab without telling anyone.
    void SelectQuietly(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    HWND m_hwnd;
    bool m_quiet = false;
};

QWidget* MakeTabStripWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent);
// The user picks tab `index`: the parent is asked, then told. False when it
// refused or nothing changed.
bool PickTab(HWND hwnd, int index);

}  // namespace platform
