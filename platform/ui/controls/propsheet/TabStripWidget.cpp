#include "platform/ui/controls/propsheet/TabStripWidget.h"

#include "platform/ui/WinApi.h"
#include "platform/ui/controls/propsheet/PropSheetDefs.h"

#include <QMouseEvent>

namespace platform {
namespace {

LRESULT NotifyTabParent(HWND hwnd, UINT code)
{
    Window* w = LookupWindow(hwnd);
    if (!w || !w->parent || w->destroying)
        return 0;
    NMHDR hdr{hwnd, w->id, code};
    return ::SendMessage(w->parent, WM_NOTIFY, w->id, reinterpret_cast<LPARAM>(&hdr));
}

}  // namespace

TabStripWidget::TabStripWidget(HWND hwnd, QWidget* parent) : QTabBar(parent), m_hwnd(hwnd)
{
    setShape(QTabBar::RoundedSouth);
    setFocusPolicy(Qt::NoFocus);
    setExpanding(false);
    setDrawBase(true);
}

void TabStripWidget::SelectQuietly(int index)
{
    m_quiet = true;
    setCurrentIndex(index);
    m_quiet = false;
}

void TabStripWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int index = tabAt(event->position().toPoint());
    if (index >= 0)
        PickTab(m_hwnd, index);
    event->accept();
}

bool PickTab(HWND hwnd, int index)
{
    Window* w = LookupWindow(hwnd);
    auto* tabs = w ? dynamic_cast<TabStripWidget*>(w->widget.data()) : nullptr;
    if (!tabs || !w->enabled || index < 0 || index >= tabs->count() || index == tabs->currentIndex())
        return false;
    if (NotifyTabParent(hwnd, TCN_SELCHANGING) != 0 || !::IsWindow(hwnd))
        return false;
    tabs->SelectQuietly(index);
    NotifyTabParent(hwnd, TCN_SELCHANGE);
    return true;
}

QWidget* MakeTabStripWidget(HWND hwnd, const CREATESTRUCT&, QWidget* parent) { return new TabStripWidget(hwnd, parent); }

}  // namespace platform
