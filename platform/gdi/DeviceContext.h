#pragma once
// Platform side of a device context: the painter it draws with and the state
// the program selects into it. A context without a painter measures but draws
// nothing (the handheld's GetDC outside painting has no counterpart in Qt).

#include "platform/gdi/GdiTypes.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <memory>
#include <optional>
#include <vector>

class CDC;
class QPainter;

namespace platform {

class DeviceContext {
public:
    explicit DeviceContext(QPainter* painter);
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    static DeviceContext* FromHandle(HDC hdc);
    HDC Handle() const { return m_handle; }
    // The CDC that CDC::FromHandle gives out for this context.
    CDC* Wrapper();

    QPainter* Painter() const;
    // Applies the selected pen, brush, font and clip to the painter; null when
    // there is nothing to draw on.
    QPainter* Prepare();
    QFont Font() const;

    struct State {
        HFONT font = nullptr;
        HBRUSH brush = nullptr;
        HPEN pen = nullptr;
        COLORREF textColor = RGB(0, 0, 0);
        COLORREF bkColor = RGB(255, 255, 255);
        int bkMode = OPAQUE;
        QPoint position;
        std::optional<QRect> clip;
    };
    State state;
    std::vector<State> saved;
    QFont defaultFont;

    // Memory contexts: the selected bitmap's pixels are drawn on a copy, which
    // goes back to the bitmap when another is selected or the context ends.
    bool memory = false;
    HBITMAP bitmap = nullptr;
    QImage canvas;
    void SelectBitmap(HBITMAP newBitmap);
    void FlushBitmap();

private:
    QPainter* m_painter;
    std::unique_ptr<QPainter> m_canvasPainter;
    std::unique_ptr<CDC> m_wrapper;
    HDC m_handle = nullptr;
};

}  // namespace platform
