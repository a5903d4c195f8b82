#include "platform/ui/qt/AccessibilityItemViews.h"

#include "platform/ui/CommCtrl.h"
#include "platform/ui/WinApi.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTimer>
#include <QTreeView>

#include <cwchar>
#include <vector>

namespace platform {
namespace {

constexpr int kLongestText = 1 << 16;

// Asks `fill` for a text with ever larger buffers until it fits; `fill`
// returns the length it copied.
template <class Fill>
QString TextThrough(Fill fill)
{
    for (int size = 256; size <= kLongestText; size *= 4) {
        std::vector<WCHAR> buffer(static_cast<std::size_t>(size), 0);
        const int length = std::clamp(static_cast<int>(fill(buffer.data(), size)), 0, size - 1);
        if (length < size - 1 || size == kLongestText)
            return QString::fromUtf16(buffer.data(), length);
    }
    return QString();
}

int TextLength(const WCHAR* text, int max)
{
    int n = 0;
    while (n < max && text[n])
        ++n;
    return n;
}

// Where an item of a view is on the screen in device pixels: the part of it
// the viewport shows, or all of it while it is scrolled out of view; empty
// while the view is hidden.
QRect ItemRect(const QAbstractItemView* view, const QModelIndex& index)
{
    const QWidget* port = view->viewport();
    QRect local = view->visualRect(index);
    if (!view->isVisible() || local.isEmpty())
        return QRect();
    if (const QRect shown = local & port->rect(); !shown.isEmpty())
        local = shown;
    return ToDevicePixels(QRect(port->mapToGlobal(local.topLeft()), local.size()), view);
}

// An item is on the screen while its view shows and it is not scrolled out,
// and has the focus while its view has it and it is the current item.
QAccessible::State ItemState(const QAbstractItemView* view, const QModelIndex& index, bool selected)
{
    QAccessible::State s;
    s.selectable = true;
    s.focusable = true;
    s.selected = selected;
    s.invisible = !view->isVisible();
    s.offscreen = view->isVisible() && !view->viewport()->rect().intersects(view->visualRect(index));
    s.focused = view->hasFocus() && view->currentIndex() == index;
    return s;
}

QAccessible::State Gone()
{
    QAccessible::State s;
    s.invisible = true;
    return s;
}

QModelIndex IndexAt(const QAbstractItemView* view, int x, int y)
{
    const QWidget* port = view->viewport();
    return view->indexAt(port->mapFromGlobal(FromDevicePixels(QPoint(x, y), view)));
}

// An entry of a list: a part with no Qt object of its own.
class AccessibleEntry : public AccessibleLeaf {
public:
    AccessibleEntry(const AccessibleEntries* list, int row) : m_list(list), m_row(row) {}

    bool isValid() const override { return m_list->isValid() && m_row < m_list->Count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_list->window(); }
    QAccessibleInterface* parent() const override { return const_cast<AccessibleEntries*>(m_list); }
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QString text(QAccessible::Text t) const override
    {
        return (t == QAccessible::Name && isValid()) ? m_list->EntryText(m_row) : QString();
    }

    QRect rect() const override
    {
        return isValid() ? ItemRect(m_list->View(), Index()) : QRect();
    }

    // A closed drop-down's entries are not on the screen, but one of them is
    // still the selected one.
    QAccessible::State state() const override
    {
        return isValid() ? ItemState(m_list->View(), Index(), m_list->Selected(m_row)) : Gone();
    }

    int Row() const { return m_row; }
    const AccessibleEntries* List() const { return m_list; }

private:
    QModelIndex Index() const
    {
        const QAbstractItemView* view = m_list->View();
        return view->model() ? view->model()->index(m_row, 0, view->rootIndex()) : QModelIndex();
    }

    const AccessibleEntries* m_list;
    int m_row;
};

// A report list's column header (row -1) or cell.
class AccessibleCell : public AccessibleLeaf, public QAccessibleTableCellInterface {
public:
    AccessibleCell(const AccessibleReportList* table, int row, int column)
        : m_table(table), m_row(row), m_column(column)
    {
    }

    bool isValid() const override
    {
        return m_table->isValid() && m_column < m_table->columnCount() &&
               (m_row < 0 ? m_table->HeaderShown() : m_row < m_table->rowCount());
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_table->window(); }
    QAccessibleInterface* parent() const override { return const_cast<AccessibleReportList*>(m_table); }
    QAccessible::Role role() const override { return m_row < 0 ? QAccessible::ColumnHeader : QAccessible::Cell; }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !isValid())
            return QString();
        return m_row < 0 ? m_table->HeaderText(m_column) : m_table->CellText(m_row, m_column);
    }

    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        const QTreeView* view = m_table->View();
        if (m_row >= 0)
            return ItemRect(view, Index());
        const QHeaderView* header = view->header();
        if (!header->isVisible())
            return QRect();
        const QPoint at = header->mapToGlobal(QPoint(header->sectionViewportPosition(m_column), 0));
        return ToDevicePixels(QRect(at, QSize(header->sectionSize(m_column), header->height())), view);
    }

    QAccessible::State state() const override
    {
        if (!isValid())
            return Gone();
        if (m_row >= 0)
            return ItemState(m_table->View(), Index(), m_table->isRowSelected(m_row));
        QAccessible::State s;
        s.invisible = !m_table->View()->header()->isVisible();
        return s;
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override { return m_row >= 0 && m_table->isRowSelected(m_row); }
    QList<QAccessibleInterface*> columnHeaderCells() const override
    {
        if (m_row < 0 || !m_table->HeaderShown())
            return {};
        return {m_table->Part(-1, m_column)};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return const_cast<AccessibleReportList*>(m_table); }

    const AccessibleReportList* Table() const { return m_table; }

private:
    QModelIndex Index() const
    {
        const QTreeView* view = m_table->View();
        return view->model() ? view->model()->index(m_row, m_column, view->rootIndex()) : QModelIndex();
    }

    const AccessibleReportList* m_table;
    int m_row;
    int m_column;
};

}  // namespace

// --- AccessibleCombo ------------------------------------------------------------

AccessibleCombo::AccessibleCombo(QComboBox* combo) : AccessibleWidget(combo, QAccessible::ComboBox) {}

QComboBox* AccessibleCombo::Combo() const { return static_cast<QComboBox*>(widget()); }

QString AccessibleCombo::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:    // what it shows, as Qt's combo boxes on this desktop say
    case QAccessible::Value:
        if (const HWND hwnd = Hwnd())
            return WindowText(hwnd);
        return Combo()->currentText();
    default:
        return AccessibleWidget::text(t);
    }
}

QAccessible::State AccessibleCombo::state() const
{
    QAccessible::State s = AccessibleWidget::state();
    s.expandable = true;
    s.hasPopup = true;
    const HWND hwnd = Hwnd();
    s.expanded = hwnd ? ::SendMessage(hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0 : Combo()->view()->isVisible();
    s.collapsed = !s.expanded;
    s.editable = Combo()->isEditable();
    return s;
}

int AccessibleCombo::childCount() const { return Combo()->lineEdit() ? 2 : 1; }

QAccessibleInterface* AccessibleCombo::child(int index) const
{
    if (index == 0)
        return QAccessible::queryAccessibleInterface(Combo()->view());
    if (index == 1 && Combo()->lineEdit())
        return QAccessible::queryAccessibleInterface(Combo()->lineEdit());
    return nullptr;
}

int AccessibleCombo::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    if (child->object() == Combo()->view())
        return 0;
    if (Combo()->lineEdit() && child->object() == Combo()->lineEdit())
        return 1;
    return -1;
}

QStringList AccessibleCombo::actionNames() const { return {showMenuAction(), setFocusAction()}; }

void AccessibleCombo::doAction(const QString& action)
{
    if (action != showMenuAction()) {
        AccessibleWidget::doAction(action);
        return;
    }
    if (const HWND hwnd = Hwnd())
        ::PostMessage(hwnd, CB_SHOWDROPDOWN, TRUE, 0);
    else
        QTimer::singleShot(0, Combo(), [combo = Combo()] { combo->showPopup(); });
}

// --- AccessibleEntries -------------------------------------------------------------

AccessibleEntries::AccessibleEntries(QAbstractItemView* view) : AccessibleWidget(view, QAccessible::List) {}

QAbstractItemView* AccessibleEntries::View() const { return static_cast<QAbstractItemView*>(widget()); }

QComboBox* AccessibleEntries::OwningCombo() const
{
    // A combo box's list lives in a pop-up that is the combo box's child.
    QWidget* popup = View()->parentWidget();
    auto* combo = qobject_cast<QComboBox*>(popup ? popup->parentWidget() : nullptr);
    return (combo && combo->view() == View()) ? combo : nullptr;
}

HWND AccessibleEntries::ComboHwnd() const
{
    QComboBox* combo = OwningCombo();
    return combo ? WindowOwning(combo) : nullptr;
}

QAccessibleInterface* AccessibleEntries::parent() const
{
    if (QComboBox* combo = OwningCombo())
        return QAccessible::queryAccessibleInterface(combo);
    return AccessibleWidget::parent();
}

int AccessibleEntries::Count() const
{
    if (const HWND combo = ComboHwnd())
        return std::max(0, static_cast<int>(::SendMessage(combo, CB_GETCOUNT, 0, 0)));
    const QAbstractItemModel* model = View()->model();
    return model ? model->rowCount(View()->rootIndex()) : 0;
}

QString AccessibleEntries::EntryText(int row) const
{
    if (const HWND combo = ComboHwnd()) {
        const auto length = static_cast<int>(::SendMessage(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0));
        if (length < 0 || length >= kLongestText)
            return QString();
        std::vector<WCHAR> buffer(static_cast<std::size_t>(length) + 1, 0);
        const auto copied = static_cast<int>(
            ::SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.data())));
        return QString::fromUtf16(buffer.data(), std::clamp(copied, 0, length));
    }
    const QAbstractItemModel* model = View()->model();
    return model ? model->index(row, 0, View()->rootIndex()).data(Qt::DisplayRole).toString() : QString();
}

bool AccessibleEntries::Selected(int row) const
{
    if (const HWND combo = ComboHwnd())
        return ::SendMessage(combo, CB_GETCURSEL, 0, 0) == row;
    const QItemSelectionModel* selection = View()->selectionModel();
    return selection && selection->isRowSelected(row, View()->rootIndex());
}

int AccessibleEntries::childCount() const { return Count(); }

QAccessibleInterface* AccessibleEntries::child(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_entries.Get(index, [this, index] { return new AccessibleEntry(this, index); });
}

int AccessibleEntries::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* entry = dynamic_cast<const AccessibleEntry*>(child);
    return (entry && entry->List() == this && entry->Row() < Count()) ? entry->Row() : -1;
}

QAccessibleInterface* AccessibleEntries::childAt(int x, int y) const
{
    if (!View()->isVisible())
        return nullptr;
    const QModelIndex index = IndexAt(View(), x, y);
    return index.isValid() ? child(index.row()) : nullptr;
}

QAccessibleInterface* AccessibleEntries::focusChild() const
{
    const QModelIndex current = View()->currentIndex();
    return (View()->hasFocus() && current.isValid()) ? child(current.row()) : nullptr;
}

// --- AccessibleReportList --------------------------------------------------------------

AccessibleReportList::AccessibleReportList(QTreeView* view) : AccessibleWidget(view, QAccessible::Table) {}

QTreeView* AccessibleReportList::View() const { return static_cast<QTreeView*>(widget()); }

void* AccessibleReportList::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return AccessibleWidget::interface_cast(t);
}

QString AccessibleReportList::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        if (const HWND hwnd = Hwnd())
            return LabelBefore(hwnd);
    }
    return AccessibleWidget::text(t);
}

bool AccessibleReportList::HeaderShown() const { return !View()->header()->isHidden(); }

int AccessibleReportList::rowCount() const
{
    if (const HWND hwnd = Hwnd())
        return std::max(0, static_cast<int>(::SendMessage(hwnd, LVM_GETITEMCOUNT, 0, 0)));
    const QAbstractItemModel* model = View()->model();
    return model ? model->rowCount(View()->rootIndex()) : 0;
}

int AccessibleReportList::columnCount() const
{
    if (const HWND hwnd = Hwnd()) {
        const auto header = reinterpret_cast<HWND>(::SendMessage(hwnd, LVM_GETHEADER, 0, 0));
        if (header)
            return std::max(0, static_cast<int>(::SendMessage(header, HDM_GETITEMCOUNT, 0, 0)));
    }
    const QAbstractItemModel* model = View()->model();
    return model ? model->columnCount(View()->rootIndex()) : 0;
}

QString AccessibleReportList::CellText(int row, int column) const
{
    if (const HWND hwnd = Hwnd()) {
        return TextThrough([&](WCHAR* buffer, int size) {
            LVITEM item{};
            item.iSubItem = column;
            item.pszText = buffer;
            item.cchTextMax = size;
            return ::SendMessage(hwnd, LVM_GETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        });
    }
    const QAbstractItemModel* model = View()->model();
    return model ? model->index(row, column, View()->rootIndex()).data(Qt::DisplayRole).toString() : QString();
}

QString AccessibleReportList::HeaderText(int column) const
{
    if (const HWND hwnd = Hwnd()) {
        return TextThrough([&](WCHAR* buffer, int size) {
            LVCOLUMN col{};
            col.mask = LVCF_TEXT;
            col.pszText = buffer;
            col.cchTextMax = size;
            if (!::SendMessage(hwnd, LVM_GETCOLUMN, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col)))
                return 0;
            return TextLength(buffer, size);
        });
    }
    const QAbstractItemModel* model = View()->model();
    return model ? model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString() : QString();
}

QAccessibleInterface* AccessibleReportList::Part(int row, int column) const
{
    if (column < 0 || column >= columnCount() || row < -1 || row >= rowCount() || (row < 0 && !HeaderShown()))
        return nullptr;
    const long long key = (static_cast<long long>(row) + 1) * (1LL << 20) + column;
    return m_parts.Get(key, [this, row, column] { return new AccessibleCell(this, row, column); });
}

int AccessibleReportList::childCount() const
{
    const int columns = columnCount();
    return (HeaderShown() ? columns : 0) + rowCount() * columns;
}

QAccessibleInterface* AccessibleReportList::child(int index) const
{
    const int columns = columnCount();
    if (index < 0 || columns == 0)
        return nullptr;
    const int firstRow = HeaderShown() ? -1 : 0;
    return Part(index / columns + firstRow, index % columns);
}

int AccessibleReportList::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* cell = dynamic_cast<const AccessibleCell*>(child);
    if (!cell || cell->Table() != this || !cell->isValid())
        return -1;
    const int firstRow = HeaderShown() ? -1 : 0;
    return (cell->rowIndex() - firstRow) * columnCount() + cell->columnIndex();
}

QAccessibleInterface* AccessibleReportList::childAt(int x, int y) const
{
    if (!View()->isVisible())
        return nullptr;
    const QHeaderView* header = View()->header();
    const QPoint inHeader = header->mapFromGlobal(FromDevicePixels(QPoint(x, y), View()));
    if (header->isVisible() && header->rect().contains(inHeader))
        return Part(-1, header->logicalIndexAt(inHeader));
    const QModelIndex index = IndexAt(View(), x, y);
    return index.isValid() ? Part(index.row(), index.column()) : nullptr;
}

QAccessibleInterface* AccessibleReportList::focusChild() const
{
    const QModelIndex current = View()->currentIndex();
    return (View()->hasFocus() && current.isValid()) ? Part(current.row(), current.column()) : nullptr;
}

QAccessibleInterface* AccessibleReportList::caption() const { return nullptr; }

QAccessibleInterface* AccessibleReportList::summary() const { return nullptr; }

QAccessibleInterface* AccessibleReportList::cellAt(int row, int column) const
{
    return row >= 0 ? Part(row, column) : nullptr;
}

QList<int> AccessibleReportList::selectedRows() const
{
    QList<int> rows;
    if (const HWND hwnd = Hwnd()) {
        for (int row = -1;;) {
            row = static_cast<int>(::SendMessage(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED));
            if (row < 0 || (!rows.isEmpty() && row <= rows.back()))
                break;
            rows.push_back(row);
        }
        return rows;
    }
    if (const QItemSelectionModel* selection = View()->selectionModel())
        for (const QModelIndex& index : selection->selectedRows())
            rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int AccessibleReportList::selectedRowCount() const { return static_cast<int>(selectedRows().size()); }

bool AccessibleReportList::isRowSelected(int row) const
{
    if (const HWND hwnd = Hwnd())
        return (::SendMessage(hwnd, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) != 0;
    const QItemSelectionModel* selection = View()->selectionModel();
    return selection && selection->isRowSelected(row, View()->rootIndex());
}

int AccessibleReportList::selectedCellCount() const { return selectedRowCount() * columnCount(); }

QList<QAccessibleInterface*> AccessibleReportList::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    const int columns = columnCount();
    for (int row : selectedRows())
        for (int column = 0; column < columns; ++column)
            if (QAccessibleInterface* cell = Part(row, column))
                cells.push_back(cell);
    return cells;
}

QString AccessibleReportList::columnDescription(int column) const
{
    return (column >= 0 && column < columnCount()) ? HeaderText(column) : QString();
}

QString AccessibleReportList::rowDescription(int row) const
{
    if (row < 0 || row >= rowCount())
        return QString();
    QStringList texts;
    const int columns = columnCount();
    for (int column = 0; column < columns; ++column)
        if (const QString text = CellText(row, column); !text.isEmpty())
            texts.push_back(text);
    return texts.join(QStringLiteral(", "));
}

int AccessibleReportList::selectedColumnCount() const { return 0; }
QList<int> AccessibleReportList::selectedColumns() const { return {}; }
bool AccessibleReportList::isColumnSelected(int) const { return false; }

// A reader reads; choosing rows stays the user's and the program's.
bool AccessibleReportList::selectRow(int) { return false; }
bool AccessibleReportList::selectColumn(int) { return false; }
bool AccessibleReportList::unselectRow(int) { return false; }
bool AccessibleReportList::unselectColumn(int) { return false; }

// Rows came or went: the parts are numbered anew when next asked for.
void AccessibleReportList::modelChange(QAccessibleTableModelChangeEvent*) { m_parts.Clear(); }

}  // namespace platform
