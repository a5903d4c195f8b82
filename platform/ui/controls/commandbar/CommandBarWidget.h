#pragma once
// The command bar's state and its Qt widget (platform internal; the
// functions are in CommandBar.h).

#include "platform/core/CString.h"
#include "platform/ui/Window.h"

#include <QWidget>

#include <vector>

class QAbstractButton;
class QHBoxLayout;

namespace platform {

struct CommandBarButton {
    UINT command = 0;
    CString label;
    int popup = -1;       // menu buttons: the pop-up of the bar's menu they open
    bool menu = false;    // part of the menu bar (replaced with it)
};

struct CommandBarState : ControlData {
    ~CommandBarState() override;

    HMENU menu = nullptr;                 // the menu bar's menu, destroyed with the bar
    std::vector<CommandBarButton> buttons;
    std::vector<CString> tips;
    DWORD barStyle = 0;
    DWORD adornments = 0;
};

// Null for a window that is not a command bar.
CommandBarState* CommandBarStateOf(HWND bar);
// TB_SETTOOLTIPS: copies `count` texts from the array.
BOOL SetCommandBarTips(HWND bar, WPARAM count, LPARAM array);

class CommandBarWidget : public QWidget {
public:
    CommandBarWidget(HWND hwnd, QWidget* parent);
    ~CommandBarWidget() override;

    // Shows the state's buttons again (after any change to them).
    void Rebuild();
    // Buttons in bar order, the "ok" adornment last.
    std::vector<QAbstractButton*> Buttons() const;
    // To the bottom of the parent's client area, over its other children.
    void Dock();
    // The input panel's indicator at the right end: checked while it is shown.
    QAbstractButton* InputPanelButton() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Tap(std::size_t index);
    void TapOk();

    HWND m_hwnd;
    QHBoxLayout* m_layout;
    std::vector<QAbstractButton*> m_buttons;
    QAbstractButton* m_inputPanel;
    int m_panelListener;
};

}  // namespace platform
