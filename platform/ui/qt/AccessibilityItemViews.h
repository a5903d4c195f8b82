#pragma once
// Accessible interfaces of the controls that hold items (platform internal):
// a combo box with its list of entries, and a report list view as a table.
// Item texts and states come from the control's messages (CB_GETLBTEXT,
// LVM_GETITEMTEXT, LVM_GETCOLUMN, LVM_GETITEMSTATE), so a reader hears what
// the program put in, however the control shows it.
//
// Children are numbered as Qt's views number them in the focus events they
// send: a combo box's entries by row; a list's column headers first (while
// the header shows), then its cells row by row.

#include "platform/ui/qt/AccessibilitySupport.h"
#include "platform/ui/qt/AccessibilityWidgets.h"

class QAbstractItemView;
class QComboBox;
class QTreeView;

namespace platform {

class AccessibleCombo : public AccessibleWidget {
public:
    explicit AccessibleCombo(QComboBox* combo);
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    QComboBox* Combo() const;
};

// The entries of a list: a combo box's drop-down, or any other list view
// that is no report list.
class AccessibleEntries : public AccessibleWidget {
public:
    explicit AccessibleEntries(QAbstractItemView* view);
    QAccessibleInterface* parent() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    QAbstractItemView* View() const;
    int Count() const;
    QString EntryText(int row) const;
    bool Selected(int row) const;

private:
    QComboBox* OwningCombo() const;
    HWND ComboHwnd() const;
    mutable PartInterfaces m_entries;
};

// A report list view: its header's columns and its items' cells.
class AccessibleReportList : public AccessibleWidget, public QAccessibleTableInterface {
public:
    explicit AccessibleReportList(QTreeView* view);
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override;
    QAccessibleInterface* summary() const override;
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

    QTreeView* View() const;
    bool HeaderShown() const;
    QString CellText(int row, int column) const;
    QString HeaderText(int column) const;
    // The column header (row -1) or the cell.
    QAccessibleInterface* Part(int row, int column) const;

private:
    mutable PartInterfaces m_parts;
};

}  // namespace platform
