#pragma once
// The Qt side of a static control (platform internal): text or a bitmap,
// painted with the font and colours the parent picks in WM_CTLCOLORSTATIC.

#include "platform/ui/Window.h"

namespace platform {

struct StaticState : ControlData {
    ~StaticState() override;
    HBITMAP bitmap = nullptr;
    bool ownsBitmap = false;   // loaded from the window's "#id" text
};

class StaticWidget : public QWidget {
public:
    StaticWidget(HWND hwnd, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    HWND m_hwnd;
};

QWidget* MakeStaticWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent);
// The bitmap a picture static shows, loading it from its "#id" text if need be.
HBITMAP StaticBitmap(HWND hwnd);

}  // namespace platform
