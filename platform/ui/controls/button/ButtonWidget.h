#pragma once
// The Qt side of a button (platform internal): a push button, check box, radio
// button or group box. The check state is the widget's, but only the control
// changes it (Qt's own toggling on a click is off), so an automatic radio
// button can clear the others of its group, and a plain check box stays as
// the program set it.

#include "platform/ui/Window.h"

#include <vector>

namespace platform {

QWidget* MakeButtonWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent);

// The user clicked (tap, Space): automatic buttons change state, the parent
// gets BN_CLICKED.
void ClickButton(HWND hwnd);
int ButtonCheck(HWND hwnd);
void SetButtonCheck(HWND hwnd, int check);
// The buttons of hwnd's group: from the sibling with WS_GROUP at or before it
// to the next one with WS_GROUP.
std::vector<HWND> ButtonGroup(HWND hwnd);

}  // namespace platform
