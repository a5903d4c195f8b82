#pragma once
// The handheld's caption strip over a top-level window: its title on the left
// and, for windows with WS_EX_CAPTIONOKBTN, an "ok" button on the right that
// sends WM_COMMAND IDOK to the window.

#include "platform/ui/WinUser.h"

#include <QWidget>

class QLabel;
class QToolButton;

namespace platform {

class CaptionStrip : public QWidget {
public:
    CaptionStrip(HWND hwnd, QWidget* parent);
    void SetTitle(const QString& title);
    void SetOkVisible(bool visible);
    // Taps "ok" as the user would.
    void ClickOk();
    QToolButton* OkButton() const { return m_ok; }

private:
    HWND m_hwnd;
    QLabel* m_title;
    QToolButton* m_ok;
};

}  // namespace platform
