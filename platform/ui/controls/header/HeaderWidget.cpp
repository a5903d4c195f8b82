#include "platform/ui/controls/header/HeaderWidget.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/listview/ListViewWidget.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace platform {

int HeaderExtraFormat(const QHeaderView& view, int section)
{
    const QAbstractItemModel* model = view.model();
    return model ? model->headerData(section, Qt::Horizontal, kHeaderFormatRole).toInt() : 0;
}

HeaderWidget::HeaderWidget(HWND list, QWidget* parent) : QHeaderView(Qt::Horizontal, parent), m_list(list)
{
    // Widths change only through the list's messages and the drags below.
    setSectionResizeMode(QHeaderView::Fixed);
    setHighlightSections(false);
}

HWND HeaderWidget::Handle() const
{
    const ListState* state = GetControlData<ListState>(m_list);
    return state ? state->header : nullptr;
}

LRESULT HeaderWidget::Notify(UINT code, int item, HDITEM* hd) const
{
    const HWND header = Handle();
    const HWND parent = header ? ::GetParent(header) : nullptr;
    if (!parent)
        return 0;
    NMHEADER nm{};
    nm.hdr = NMHDR{header, static_cast<UINT_PTR>(::GetDlgCtrlID(header)), code};
    nm.iItem = item;
    nm.pitem = hd;
    return ::SendMessage(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

int HeaderWidget::DividerAt(int x) const
{
    const int grip = std::max(3, style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this));
    for (int s = count() - 1; s >= 0; --s) {
        if (isSectionHidden(s))
            continue;
        const int edge = sectionViewportPosition(s) + sectionSize(s);
        if (std::abs(x - edge) <= grip)
            return s;
    }
    return -1;
}

void HeaderWidget::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    const HWND header = Handle();
    if (!header || !(HeaderExtraFormat(*this, logicalIndex) & HDF_OWNERDRAW)) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    painter->save();
    {
        // As the header draws its own items: its font, button text, no text background.
        DeviceContext dc(painter);
        dc.defaultFont = font();
        dc.state.bkMode = TRANSPARENT;
        dc.state.textColor = GetSysColor(COLOR_BTNTEXT);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_HEADER;
        dis.CtlID = static_cast<UINT>(::GetDlgCtrlID(header));
        dis.itemID = static_cast<UINT>(logicalIndex);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = m_pressed == logicalIndex ? ODS_SELECTED : 0;
        dis.hwndItem = header;
        dis.hDC = dc.Handle();
        dis.rcItem = RECT{rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
        ::SendMessage(::GetParent(header), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    }
    painter->restore();
}

void HeaderWidget::mousePressEvent(QMouseEvent* event)
{
    const int x = event->position().toPoint().x();
    const int divider = event->button() == Qt::LeftButton ? DividerAt(x) : -1;
    if (divider >= 0) {
        HDITEM item{};
        item.mask = HDI_WIDTH;
        item.cxy = sectionSize(divider);
        if (Notify(HDN_BEGINTRACKW, divider, &item) == 0) {
            m_tracking = divider;
            m_grabOffset = x - (sectionViewportPosition(divider) + sectionSize(divider));
        }
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton && sectionsClickable()) {
        m_pressed = logicalIndexAt(x);
        viewport()->update();
    }
    QHeaderView::mousePressEvent(event);
}

void HeaderWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_tracking < 0) {
        QHeaderView::mouseMoveEvent(event);
        return;
    }
    const int section = m_tracking;
    HDITEM item{};
    item.mask = HDI_WIDTH;
    item.cxy = std::max(0, event->position().toPoint().x() - m_grabOffset - sectionViewportPosition(section));
    // The handler may refuse the width (non-zero) or change it in the item.
    if (Notify(HDN_TRACKW, section, &item) == 0 && m_tracking == section && section < count())
        resizeSection(section, std::max(0, item.cxy));
    event->accept();
}

void HeaderWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_tracking >= 0) {
        const int section = m_tracking;
        m_tracking = -1;
        HDITEM item{};
        item.mask = HDI_WIDTH;
        item.cxy = section < count() ? sectionSize(section) : 0;
        Notify(HDN_ENDTRACKW, section, &item);
        event->accept();
        return;
    }
    QHeaderView::mouseReleaseEvent(event);
    if (m_pressed >= 0) {
        m_pressed = -1;
        viewport()->update();
    }
}

void HeaderWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int divider = event->button() == Qt::LeftButton ? DividerAt(event->position().toPoint().x()) : -1;
    if (divider >= 0) {
        Notify(HDN_DIVIDERDBLCLICKW, divider, nullptr);
        event->accept();
        return;
    }
    QHeaderView::mouseDoubleClickEvent(event);
}

}  // namespace platform
