#pragma once
// A list view's columns and items on its QTreeWidget (platform internal):
// what the list's procedure reads and changes.

#include "platform/ui/CommCtrl.h"
#include "platform/ui/controls/listview/ListViewWidget.h"

namespace platform {

class ListItems {
public:
    ListItems(HWND hwnd);
    bool Valid() const { return t && s; }

    int Count() const { return t->topLevelItemCount(); }
    int Columns() const { return t->columnCount(); }
    QTreeWidgetItem* Item(int i) const { return (i >= 0 && i < Count()) ? t->topLevelItem(i) : nullptr; }
    LPARAM Data(const QTreeWidgetItem* item) const;

    void SetText(QTreeWidgetItem* item, int column, const QString& text);
    UINT State(int i, UINT mask) const;
    void SetState(int i, UINT state, UINT mask);
    // Applies what an LVITEM sets (text, item data, state).
    void Apply(QTreeWidgetItem* item, int i, const LVITEM& lv);

    int InsertColumn(int at, const LVCOLUMN& col);
    bool DeleteColumn(int at);
    int Next(int start, UINT flags) const;
    int Find(int start, const LVFINDINFO& info) const;
    bool Sort(PFNLVCOMPARE compare, LPARAM data);

    HWND hwnd;
    ListViewWidget* t = nullptr;
    ListState* s = nullptr;

private:
    // Moves the texts of columns at..end one place (right for +1, left for -1).
    void ShiftColumns(int at, int by);
};

// The text of an LVITEM or LVCOLUMN; none for a text the program supplies later.
QString ListText(LPCWSTR text);
Qt::Alignment AlignmentOf(int fmt);
int FormatOf(Qt::Alignment alignment);

}  // namespace platform
