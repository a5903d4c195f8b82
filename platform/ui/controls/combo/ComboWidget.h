#pragma once
// The Qt side of a combo box (platform internal): a QComboBox, editable for a
// drop-down with an edit field. It reports the user's doings to the parent
// (CBN_SELCHANGE only for a selection the user made, CBN_DROPDOWN /
// CBN_CLOSEUP, CBN_EDITUPDATE / CBN_EDITCHANGE) and shows only its closed
// height, although the window's rectangle reaches down over the dropped list
// as on the handheld.

#include "platform/ui/Window.h"

#include <QComboBox>

namespace platform {

struct ComboState : ControlData {
    int internal = 0;   // selection changes made by code, not the user
    bool extendedUI = false;
};

class ComboWidget : public QComboBox {
public:
    ComboWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent);
    void showPopup() override;
    void hidePopup() override;
    bool PopupShown() const { return m_popupShown; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    HWND m_hwnd;
    bool m_popupShown = false;
};

QWidget* MakeComboWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent);

}  // namespace platform
