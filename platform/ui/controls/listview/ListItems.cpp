#include "platform/ui/controls/listview/ListItems.h"

#include "platform/ui/ControlText.h"
#include "platform/ui/controls/header/HeaderWidget.h"

#include <QSignalBlocker>

#include <algorithm>
#include <memory>
#include <vector>

namespace platform {
namespace {

constexpr int kDataRole = Qt::UserRole;

}  // namespace

QString ListText(LPCWSTR text) { return text != LPSTR_TEXTCALLBACK ? FromWide(text) : QString(); }

Qt::Alignment AlignmentOf(int fmt)
{
    switch (fmt & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT: return Qt::AlignRight | Qt::AlignVCenter;
    case LVCFMT_CENTER: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

int FormatOf(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignRight)
        return LVCFMT_RIGHT;
    if (alignment & Qt::AlignHCenter)
        return LVCFMT_CENTER;
    return LVCFMT_LEFT;
}

ListItems::ListItems(HWND h) : hwnd(h), s(GetControlData<ListState>(h))
{
    if (Window* w = LookupWindow(h))
        t = dynamic_cast<ListViewWidget*>(w->widget.data());
}

LPARAM ListItems::Data(const QTreeWidgetItem* item) const
{
    return static_cast<LPARAM>(item->data(0, kDataRole).toLongLong());
}

void ListItems::SetText(QTreeWidgetItem* item, int column, const QString& text)
{
    if (column < 0 || column >= std::max(1, Columns()))
        return;
    // A cell takes its column's alignment when painted (ListViewWidget's delegate).
    item->setText(column, text);
}

UINT ListItems::State(int i, UINT mask) const
{
    QTreeWidgetItem* item = Item(i);
    if (!item)
        return 0;
    UINT state = 0;
    if (item->isSelected())
        state |= LVIS_SELECTED;
    if (t->currentItem() == item)
        state |= LVIS_FOCUSED;
    return state & mask;
}

void ListItems::SetState(int i, UINT state, UINT mask)
{
    QTreeWidgetItem* item = Item(i);
    if (!item)
        return;
    const QModelIndex index = t->model()->index(i, 0);
    if (mask & LVIS_FOCUSED) {
        if (state & LVIS_FOCUSED)
            t->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        else if (t->currentItem() == item)
            t->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    if (mask & LVIS_SELECTED) {
        if ((state & LVIS_SELECTED) && t->selectionMode() == QAbstractItemView::SingleSelection)
            t->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        else
            t->selectionModel()->select(index, ((state & LVIS_SELECTED) ? QItemSelectionModel::Select
                                                                        : QItemSelectionModel::Deselect) |
                                                   QItemSelectionModel::Rows);
    }
}

void ListItems::Apply(QTreeWidgetItem* item, int i, const LVITEM& lv)
{
    if (lv.mask & LVIF_TEXT)
        SetText(item, lv.iSubItem, ListText(lv.pszText));
    if ((lv.mask & LVIF_PARAM) && lv.iSubItem == 0)
        item->setData(0, kDataRole, QVariant::fromValue<qlonglong>(lv.lParam));
    if ((lv.mask & LVIF_STATE) && lv.iSubItem == 0)
        SetState(i, lv.state, lv.stateMask);
}

void ListItems::ShiftColumns(int at, int by)
{
    const int n = Columns();
    // Only the header item holds alignments; the rows' cells take their column's.
    auto shift = [&](QTreeWidgetItem* item) {
        const bool aligned = item == t->headerItem();
        if (by > 0) {
            for (int c = n - 1; c > at; --c) {
                item->setText(c, item->text(c - 1));
                if (aligned)
                    item->setTextAlignment(c, Qt::Alignment(item->textAlignment(c - 1)));
            }
            item->setText(at, QString());
        } else {
            for (int c = at; c < n - 1; ++c) {
                item->setText(c, item->text(c + 1));
                if (aligned)
                    item->setTextAlignment(c, Qt::Alignment(item->textAlignment(c + 1)));
            }
        }
    };
    shift(t->headerItem());
    QTreeWidgetItem* header = t->headerItem();
    if (by > 0) {
        for (int c = n - 1; c > at; --c)
            header->setData(c, kHeaderFormatRole, header->data(c - 1, kHeaderFormatRole));
        header->setData(at, kHeaderFormatRole, 0);
    } else {
        for (int c = at; c < n - 1; ++c)
            header->setData(c, kHeaderFormatRole, header->data(c + 1, kHeaderFormatRole));
    }
    // The rows change quietly and are told of once: a signal per cell made a
    // mode switch with rows in the list slow.
    if (Count() == 0)
        return;
    {
        const QSignalBlocker quiet(t->model());
        for (int i = 0; i < Count(); ++i)
            shift(t->topLevelItem(i));
    }
    QAbstractItemModel* model = t->model();
    emit model->dataChanged(model->index(0, 0), model->index(Count() - 1, std::max(0, n - 1)));
}

int ListItems::InsertColumn(int at, const LVCOLUMN& col)
{
    const int n = Columns();
    at = std::clamp(at, 0, n);
    std::vector<int> widths;
    for (int c = 0; c < n; ++c)
        widths.push_back(t->columnWidth(c));
    t->setColumnCount(n + 1);
    ShiftColumns(at, +1);
    widths.insert(widths.begin() + at, (col.mask & LVCF_WIDTH) && col.cx >= 0 ? col.cx : 60);
    for (int c = 0; c <= n; ++c)
        t->setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
    QTreeWidgetItem* header = t->headerItem();
    header->setText(at, (col.mask & LVCF_TEXT) ? ListText(col.pszText) : QString());
    header->setTextAlignment(at, AlignmentOf((col.mask & LVCF_FMT) ? col.fmt : LVCFMT_LEFT));
    return at;
}

bool ListItems::DeleteColumn(int at)
{
    const int n = Columns();
    if (at < 0 || at >= n)
        return false;
    std::vector<int> widths;
    for (int c = 0; c < n; ++c)
        widths.push_back(t->columnWidth(c));
    widths.erase(widths.begin() + at);
    ShiftColumns(at, -1);
    t->setColumnCount(n - 1);
    for (int c = 0; c < n - 1; ++c)
        t->setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
    return true;
}

int ListItems::Next(int start, UINT flags) const
{
    for (int i = std::max(0, start + 1); i < Count(); ++i) {
        if ((flags & LVNI_SELECTED) && !Item(i)->isSelected())
            continue;
        if ((flags & LVNI_FOCUSED) && t->currentItem() != Item(i))
            continue;
        return i;
    }
    return -1;
}

int ListItems::Find(int start, const LVFINDINFO& info) const
{
    const int n = Count();
    const QString text = ListText(info.psz);
    auto matches = [&](int i) {
        QTreeWidgetItem* item = Item(i);
        if (info.flags & LVFI_PARAM)
            return Data(item) == info.lParam;
        if (info.flags & LVFI_PARTIAL)
            return item->text(0).startsWith(text, Qt::CaseInsensitive);
        return item->text(0).compare(text, Qt::CaseInsensitive) == 0;
    };
    const int first = (start < 0 || start >= n) ? 0 : start + 1;
    for (int i = first; i < n; ++i)
        if (matches(i))
            return i;
    if (info.flags & LVFI_WRAP)
        for (int i = 0; i < std::min(first, n); ++i)
            if (matches(i))
                return i;
    return -1;
}

bool ListItems::Sort(PFNLVCOMPARE compare, LPARAM data)
{
    if (!compare)
        return false;
    const int n = Count();
    struct Row {
        LPARAM data;
        int from;
    };
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        rows.push_back(Row{Data(Item(i)), i});
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const Row& a, const Row& b) { return compare(a.data, b.data, data) < 0; });

    // The rows stay where they are and their contents move: Qt looks a moved
    // item's row up by a linear search, which made a sort quadratic.
    std::vector<int> to(static_cast<std::size_t>(n));
    std::vector<std::unique_ptr<QTreeWidgetItem>> copies;
    copies.reserve(static_cast<std::size_t>(n));
    for (int r = 0; r < n; ++r) {
        to[static_cast<std::size_t>(rows[static_cast<std::size_t>(r)].from)] = r;
        copies.push_back(std::make_unique<QTreeWidgetItem>(*Item(r)));
    }
    for (int r = 0; r < n; ++r)
        *Item(r) = *copies[static_cast<std::size_t>(rows[static_cast<std::size_t>(r)].from)];
    copies.clear();

    QAbstractItemModel* model = t->model();
    QItemSelectionModel* selection = t->selectionModel();
    const int current = selection->currentIndex().row();
    QItemSelection selected;
    for (const QModelIndex& index : selection->selectedRows()) {
        const int row = to[static_cast<std::size_t>(index.row())];
        selected.select(model->index(row, 0), model->index(row, 0));
    }
    selection->select(selected, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (current >= 0 && current < n)
        selection->setCurrentIndex(model->index(to[static_cast<std::size_t>(current)], 0),
                                   QItemSelectionModel::NoUpdate);
    if (n > 0)
        emit model->dataChanged(model->index(0, 0), model->index(n - 1, std::max(0, Columns() - 1)));
    return true;
}

}  // namespace platform
