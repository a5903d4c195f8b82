#pragma once
// The Qt side of a list view's header (platform internal): a QHeaderView that
// draws owner-drawn items through WM_DRAWITEM to the list, shows the pressed
// item, and drives divider drags itself so that the list hears HDN_BEGINTRACK,
// HDN_TRACK (whose width it may change) and HDN_ENDTRACK, and a double tap
// on a divider as HDN_DIVIDERDBLCLICK. Qt's own resizing is off: the width of
// a column changes only as the list allows.

#include "platform/ui/CommCtrl.h"

#include <QHeaderView>

namespace platform {

// The header item's format bits beyond its alignment (HDF_OWNERDRAW).
constexpr int kHeaderFormatRole = Qt::UserRole + 1;

class HeaderWidget : public QHeaderView {
public:
    HeaderWidget(HWND list, QWidget* parent);

    int PressedSection() const { return m_pressed; }
    // The section whose right divider lies under x (viewport pixels), or -1.
    int DividerAt(int x) const;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    HWND Handle() const;
    LRESULT Notify(UINT code, int item, HDITEM* hd) const;

    HWND m_list;
    int m_pressed = -1;
    int m_tracking = -1;
    int m_grabOffset = 0;   // where on the divider the finger went down
};

// The extra format bits of a header item.
int HeaderExtraFormat(const QHeaderView& view, int section);

}  // namespace platform
