#include "platform/ui/controls/listview/ListViewWidget.h"

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/header/HeaderWidget.h"
#include "platform/ui/qt/Style.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include <set>

namespace platform {
namespace {

// Paints the items in the list's colours; without LVS_EX_FULLROWSELECT only
// the first column shows the selection.
class ItemDelegate : public QStyledItemDelegate {
public:
    ItemDelegate(HWND hwnd, QObject* parent) : QStyledItemDelegate(parent), m_hwnd(hwnd) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        // Cells follow their column's format.
        option->displayAlignment = Qt::Alignment(
            index.model()->headerData(index.column(), Qt::Horizontal, Qt::TextAlignmentRole).toInt());
        const ListState* state = GetControlData<ListState>(m_hwnd);
        if (!state)
            return;
        option->palette.setColor(QPalette::Text, ToQColor(state->textColor));
        if (state->textBkColor != CLR_NONE)
            option->backgroundBrush = QBrush(ToQColor(state->textBkColor));
        if (index.column() > 0 && !(state->extendedStyle & LVS_EX_FULLROWSELECT))
            option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    }

private:
    HWND m_hwnd;
};

}  // namespace

void PlaceListHeader(HWND list)
{
    Window* w = LookupWindow(list);
    const ListState* state = GetControlData<ListState>(list);
    auto* tree = w ? dynamic_cast<ListViewWidget*>(w->widget.data()) : nullptr;
    Window* header = state ? LookupWindow(state->header) : nullptr;
    if (!tree || !header)
        return;
    const int width = ClientRect(*w).width();
    const int height = tree->header()->sizeHint().height();
    if (header->rect.left != 0 || header->rect.top != 0 || header->rect.right != width ||
        header->rect.bottom != height)
        ::SetWindowPos(header->hwnd, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    else
        ApplyGeometry(*header);   // where Qt put it, the window's rectangle says
}

void UpdateListScrollBars(HWND list)
{
    Window* w = LookupWindow(list);
    auto* tree = w ? dynamic_cast<ListViewWidget*>(w->widget.data()) : nullptr;
    if (!tree)
        return;
    bool vscroll = false;
    bool hscroll = false;
    if (!(w->style & LVS_NOSCROLL)) {
        const int border = 2 * BorderWidth(*w);
        const int width = w->rect.right - w->rect.left - border;
        const int header = tree->header()->isHidden() ? 0 : tree->header()->sizeHint().height();
        const int rows = w->rect.bottom - w->rect.top - border - header;
        int columns = 0;
        for (int c = 0; c < tree->columnCount(); ++c)
            columns += tree->columnWidth(c);
        const int content = tree->topLevelItemCount() * tree->RowHeight();
        vscroll = content > rows;
        hscroll = columns > width - (vscroll ? kScrollBarExtent : 0);
        vscroll = vscroll || (hscroll && content > rows - kScrollBarExtent);
    }
    const auto policy = [](bool shown) { return shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff; };
    if (tree->verticalScrollBarPolicy() != policy(vscroll))
        tree->setVerticalScrollBarPolicy(policy(vscroll));
    if (tree->horizontalScrollBarPolicy() != policy(hscroll))
        tree->setHorizontalScrollBarPolicy(policy(hscroll));
    if (w->vscroll == vscroll && w->hscroll == hscroll)
        return;
    w->vscroll = vscroll;
    w->hscroll = hscroll;
    ::SendMessage(list, WM_SIZE, SIZE_RESTORED, ClientSizeParam(*w));
}

ListState::ListState()
    : bkColor(GetSysColor(COLOR_WINDOW)), textColor(GetSysColor(COLOR_WINDOWTEXT)),
      textBkColor(GetSysColor(COLOR_WINDOW))
{
}

LRESULT NotifyList(HWND hwnd, UINT code, int item, int subItem, UINT newState, UINT oldState, UINT changed,
                   POINT at)
{
    Window* w = LookupWindow(hwnd);
    if (!w || !w->parent || w->destroying)
        return 0;
    NMITEMACTIVATE nm{};
    nm.hdr = NMHDR{hwnd, w->id, code};
    nm.iItem = item;
    nm.iSubItem = subItem;
    nm.uNewState = newState;
    nm.uOldState = oldState;
    nm.uChanged = changed;
    nm.ptAction = at;
    if (item >= 0) {
        if (auto* list = qobject_cast<QTreeWidget*>(w->widget.data()); list && item < list->topLevelItemCount())
            nm.lParam = static_cast<LPARAM>(list->topLevelItem(item)->data(0, Qt::UserRole).toLongLong());
    }
    return ::SendMessage(w->parent, WM_NOTIFY, w->id, reinterpret_cast<LPARAM>(&nm));
}

ListViewWidget::ListViewWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent)
    : QTreeWidget(parent), m_hwnd(hwnd)
{
    const DWORD style = static_cast<DWORD>(cs.style);
    setHeader(new HeaderWidget(hwnd, this));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode((style & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection
                                             : QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideRight);
    setWordWrap(false);
    setColumnCount(0);
    setItemDelegate(new ItemDelegate(hwnd, this));
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable((style & LVS_NOSORTHEADER) == 0);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (const Window* w = LookupWindow(hwnd))
        MatchFrame(this, *w);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy((style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& s, const QItemSelection& d) { OnSelectionChanged(s, d); });
    connect(header(), &QHeaderView::sectionClicked, this,
            [hwnd](int column) { NotifyList(hwnd, LVN_COLUMNCLICK, -1, column); });
    connect(header(), &QHeaderView::sectionResized, this, [hwnd] { UpdateListScrollBars(hwnd); });
}

int ListViewWidget::RowHeight()
{
    ListState* state = GetControlData<ListState>(m_hwnd);
    if (!state || topLevelItemCount() == 0)
        return 0;
    if (state->rowHeight <= 0) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        state->rowHeight = itemDelegate()->sizeHint(option, model()->index(0, 0)).height();
    }
    return state->rowHeight;
}

void ListViewWidget::ApplyLook()
{
    const ListState* state = GetControlData<ListState>(m_hwnd);
    if (!state)
        return;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ToQColor(state->bkColor));
    pal.setColor(QPalette::Text, ToQColor(state->textColor));
    setPalette(pal);
    viewport()->update();
}

void ListViewWidget::updateGeometries()
{
    QTreeWidget::updateGeometries();
    PlaceListHeader(m_hwnd);
}

void ListViewWidget::OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    ListState* state = GetControlData<ListState>(m_hwnd);
    if (!state || state->internal)
        return;
    std::set<int> off;
    std::set<int> on;
    for (const QModelIndex& i : deselected.indexes())
        off.insert(i.row());
    for (const QModelIndex& i : selected.indexes())
        on.insert(i.row());
    const HWND hwnd = m_hwnd;
    for (int row : off)
        if (!on.count(row) && ::IsWindow(hwnd))
            NotifyList(hwnd, LVN_ITEMCHANGED, row, 0, 0, LVIS_SELECTED, LVIF_STATE);
    for (int row : on)
        if (!off.count(row) && ::IsWindow(hwnd))
            NotifyList(hwnd, LVN_ITEMCHANGED, row, 0, LVIS_SELECTED | LVIS_FOCUSED, 0, LVIF_STATE);
}

void ListViewWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const HWND hwnd = m_hwnd;
    const QPoint pos = event->position().toPoint();
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !LookupWindow(hwnd))
        return;
    const QModelIndex index = indexAt(pos);
    int row = index.isValid() ? index.row() : -1;
    if (row >= 0) {
        if (ListState* state = GetControlData<ListState>(hwnd))
            state->selectionMark = row;
    }
    const QPoint inList = viewport()->mapTo(this, pos);
    NotifyList(hwnd, NM_CLICK, row, index.isValid() ? index.column() : 0, 0, 0, 0, POINT{inList.x(), inList.y()});
}

QWidget* MakeListViewWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent)
{
    Window* w = LookupWindow(hwnd);
    if (!w)
        return nullptr;
    w->controlData = std::make_unique<ListState>();
    auto* list = new ListViewWidget(hwnd, cs, parent);
    list->ApplyLook();
    return list;
}

QWidget* MakeHeaderWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent)
{
    Q_UNUSED(cs);
    Window* w = LookupWindow(hwnd);
    if (!w)
        return nullptr;
    QHeaderView* header = nullptr;
    if (auto* list = dynamic_cast<ListViewWidget*>(parent)) {
        w->widgetOwnedByParent = true;
        header = list->header();
    } else {
        header = new HeaderWidget(nullptr, parent);
    }
    return header;
}

}  // namespace platform
