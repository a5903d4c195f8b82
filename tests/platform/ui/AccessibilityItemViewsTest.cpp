// Controls with items as a screen reader reads them: a combo box's entries
// named by their texts, and a report list as a table of column names and
// cell texts, each with its state and its place on the screen.

#include "AccessibilityTestSupport.h"
#include "ControlHost.h"

#include "platform/ui/controls/combo/CComboBox.h"
#include "platform/ui/controls/listview/CListCtrl.h"

using namespace a11ytest;

namespace {

class AccessibilityItemViewsTest : public ControlTest {
protected:
    CComboBox& MakeCombo(DWORD style)
    {
        EXPECT_TRUE(combo.SubclassWindow(Make(WC_COMBOBOX, style | WS_VSCROLL | WS_TABSTOP, 200, u"", 120, 80)));
        for (LPCWSTR text : {u"Books", u"CDs", u"Loans & Payments"})
            combo.AddString(text);
        return combo;
    }

    CListCtrl& MakeList(DWORD style)
    {
        Make(WC_STATIC, SS_LEFT, 299, u"&Items", 60, 16, 4);
        EXPECT_TRUE(list.SubclassWindow(Make(WC_LISTVIEW, LVS_REPORT | WS_TABSTOP | style, 300, u"", 220, 200, 24)));
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
        list.InsertColumn(0, u"Name", LVCFMT_LEFT, 100);
        list.InsertColumn(1, u"Amount", LVCFMT_RIGHT, 80);
        const char16_t* rows[][2] = {{u"Anna", u"10.00"}, {u"Ben", u"2.50"}, {u"Cleo", u""}};
        for (int i = 0; i < 3; ++i) {
            list.InsertItem(i, rows[i][0]);
            list.SetItemText(i, 1, rows[i][1]);
        }
        return list;
    }

    static std::vector<std::string> Names(QAccessibleInterface* parent)
    {
        std::vector<std::string> names;
        for (int i = 0; i < parent->childCount(); ++i)
            names.push_back(Name(parent->child(i)));
        return names;
    }

    CComboBox combo;
    CListCtrl list;
};

TEST_F(AccessibilityItemViewsTest, ComboEntriesAreNamedByTheirTextsAndTheComboByItsSelection)
{
    MakeCombo(CBS_DROPDOWNLIST);
    QAccessibleInterface* box = Of(combo.m_hWnd);
    EXPECT_EQ(box->role(), QAccessible::ComboBox);
    ASSERT_EQ(box->childCount(), 1) << "a list without an edit field";
    QAccessibleInterface* entries = box->child(0);
    EXPECT_EQ(entries->role(), QAccessible::List);
    EXPECT_EQ(Names(entries), (std::vector<std::string>{"Books", "CDs", "Loans & Payments"}));
    EXPECT_EQ(entries->child(0)->role(), QAccessible::ListItem);

    combo.SetCurSel(1);
    EXPECT_EQ(Name(box), "CDs");
    EXPECT_EQ(box->text(QAccessible::Value), QStringLiteral("CDs"));
    EXPECT_TRUE(entries->child(1)->state().selected);
    EXPECT_FALSE(entries->child(0)->state().selected);
    combo.InsertString(0, u"All Money");
    EXPECT_EQ(Names(entries).front(), "All Money");
    EXPECT_EQ(entries->childCount(), 4);
    ExpectConsistentTree(box);
}

TEST_F(AccessibilityItemViewsTest, DroppedComboShowsItsEntriesStackedOnTheScreen)
{
    MakeCombo(CBS_DROPDOWNLIST);
    QAccessibleInterface* box = Of(combo.m_hWnd);
    QAccessibleInterface* entries = box->child(0);
    EXPECT_TRUE(box->state().collapsed);
    EXPECT_TRUE(entries->child(0)->state().invisible) << "closed, the entries are not on the screen";
    EXPECT_TRUE(entries->child(0)->rect().isEmpty());

    combo.ShowDropDown(TRUE);
    platform::testing::ProcessEvents();
    EXPECT_TRUE(box->state().expanded);
    const QRect listRect = entries->rect();
    ASSERT_FALSE(listRect.isEmpty());
    QRect previous;
    for (int i = 0; i < 3; ++i) {
        QAccessibleInterface* entry = entries->child(i);
        const QRect r = entry->rect();
        EXPECT_FALSE(entry->state().invisible);
        EXPECT_TRUE(listRect.contains(r)) << i;
        if (i > 0) {
            EXPECT_EQ(r.top(), previous.bottom() + 1) << i;
        }
        const QPoint centre = r.center();
        EXPECT_EQ(entries->childAt(centre.x(), centre.y()), entry) << i;
        previous = r;
    }
    combo.ShowDropDown(FALSE);
    platform::testing::ProcessEvents();
    EXPECT_TRUE(box->state().collapsed);
}

TEST_F(AccessibilityItemViewsTest, DropDownComboGivesItsEditFieldWithWhatWasTyped)
{
    MakeCombo(CBS_DROPDOWN);
    combo.SetWindowText(u"Anna");
    QAccessibleInterface* box = Of(combo.m_hWnd);
    ASSERT_EQ(box->childCount(), 2);
    QAccessibleInterface* field = box->child(1);
    EXPECT_EQ(field->role(), QAccessible::EditableText);
    ASSERT_NE(field->textInterface(), nullptr);
    EXPECT_EQ(field->textInterface()->text(0, -1), QStringLiteral("Anna"));
    EXPECT_EQ(Name(box), "Anna");
    EXPECT_TRUE(box->state().editable);
    ExpectConsistentTree(box);
}

TEST_F(AccessibilityItemViewsTest, ReportListIsATableOfColumnNamesThenCellTextsRowByRow)
{
    MakeList(LVS_SINGLESEL);
    QAccessibleInterface* table = Of(list.m_hWnd);
    EXPECT_EQ(table->role(), QAccessible::Table);
    EXPECT_EQ(Name(table), "Items") << "named by its label";
    EXPECT_EQ(Names(table), (std::vector<std::string>{"Name", "Amount", "Anna", "10.00", "Ben", "2.50", "Cleo", ""}));
    EXPECT_EQ(table->child(0)->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(table->child(2)->role(), QAccessible::Cell);

    QAccessibleTableInterface* grid = table->tableInterface();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->columnCount(), 2);
    EXPECT_EQ(grid->columnDescription(1), QStringLiteral("Amount"));
    EXPECT_EQ(grid->rowDescription(0), QStringLiteral("Anna, 10.00"));
    EXPECT_EQ(grid->rowDescription(2), QStringLiteral("Cleo"));
    QAccessibleInterface* ben = grid->cellAt(1, 0);
    EXPECT_EQ(Name(ben), "Ben");
    QAccessibleTableCellInterface* cell = ben->tableCellInterface();
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->rowIndex(), 1);
    EXPECT_EQ(cell->columnIndex(), 0);
    ASSERT_EQ(cell->columnHeaderCells().size(), 1);
    EXPECT_EQ(Name(cell->columnHeaderCells().front()), "Name");
    EXPECT_EQ(cell->table(), table);
    ExpectConsistentTree(table);

    list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_TRUE(grid->isRowSelected(1));
    EXPECT_EQ(grid->selectedRows(), QList<int>{1});
    EXPECT_TRUE(ben->state().selected);
    EXPECT_TRUE(grid->cellAt(1, 1)->state().selected) << "the whole row is selected";
    EXPECT_FALSE(grid->cellAt(0, 0)->state().selected);
    EXPECT_EQ(grid->selectedCellCount(), 2);
}

TEST_F(AccessibilityItemViewsTest, ReportListPartsSitWhereTheyAreShownAndFollowChanges)
{
    MakeList(0);
    QAccessibleInterface* table = Of(list.m_hWnd);
    QAccessibleTableInterface* grid = table->tableInterface();
    const QRect box = table->rect();
    const QRect header = table->child(0)->rect();
    const QRect anna = grid->cellAt(0, 0)->rect();
    const QRect amount = grid->cellAt(0, 1)->rect();
    EXPECT_TRUE(box.contains(header));
    EXPECT_TRUE(box.contains(anna));
    EXPECT_LE(header.bottom(), anna.top()) << "the header above the rows";
    EXPECT_EQ(header.width(), 100 * Scale());
    EXPECT_EQ(amount.left(), anna.right() + 1);
    EXPECT_LT(anna.bottom(), grid->cellAt(1, 0)->rect().top());
    for (QAccessibleInterface* part : {table->child(1), grid->cellAt(2, 1)}) {
        const QPoint centre = part->rect().center();
        EXPECT_EQ(table->childAt(centre.x(), centre.y()), part) << Name(part);
    }

    list.DeleteAllItems();
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_EQ(table->childCount(), 2) << "the column headers stay";
    list.InsertItem(0, u"Dora");
    EXPECT_EQ(Name(grid->cellAt(0, 0)), "Dora");
    EXPECT_EQ(grid->cellAt(1, 0), nullptr);
    ExpectConsistentTree(table);
}

TEST_F(AccessibilityItemViewsTest, ListWithoutHeaderHasOnlyCells)
{
    MakeList(LVS_NOCOLUMNHEADER);
    QAccessibleInterface* table = Of(list.m_hWnd);
    EXPECT_EQ(table->childCount(), 6);
    EXPECT_EQ(Name(table->child(0)), "Anna");
    EXPECT_EQ(table->child(0)->role(), QAccessible::Cell);
    EXPECT_TRUE(table->tableInterface()->cellAt(0, 0)->tableCellInterface()->columnHeaderCells().isEmpty());
    EXPECT_EQ(table->tableInterface()->columnDescription(0), QStringLiteral("Name"));
    ExpectConsistentTree(table);
}

// Qt's view tells a reader which cell took the focus by its place among the
// list's children; that place must name the same cell here.
TEST_F(AccessibilityItemViewsTest, FocusedCellIsTheChildAtThePlaceQtsViewGivesIt)
{
    MakeList(LVS_SINGLESEL);
    ::SetFocus(list.m_hWnd);
    list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    platform::testing::ProcessEvents();
    QAccessibleInterface* table = Of(list.m_hWnd);
    QAccessibleInterface* focused = table->focusChild();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(Name(focused), "Cleo");
    EXPECT_TRUE(focused->state().focused);
    // Qt numbers a tree view's cells (row + 1 for the header) * columns + column.
    EXPECT_EQ(table->indexOfChild(focused), (2 + 1) * 2 + 0);
}

}  // namespace
