// The report list view: columns, items, states, the selection mark, finding,
// deleting, sorting by the program's comparison, and NM_CLICK on a tap.

#include "ControlHost.h"

#include "platform/ui/controls/listview/CListCtrl.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTreeWidget>

namespace {

constexpr int kList = 300;

class ListCtrlTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        ASSERT_TRUE(list.SubclassWindow(
            Make(WC_LISTVIEW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOLABELWRAP | WS_BORDER, kList,
                 u"", 220, 200)));
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
        list.InsertColumn(0, u"Name", LVCFMT_LEFT, 100);
        list.InsertColumn(1, u"Amount", LVCFMT_RIGHT, 80);
        const char16_t* names[] = {u"Alice", u"Bob", u"carol", u"Dave"};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(list.InsertItem(i, names[i]), i);
            list.SetItemText(i, 1, u"1.00");
            list.SetItemData(i, 100 + i);
        }
        host.notes.clear();
    }

    // A real tap on the row's centre.
    void TapRow(int row)
    {
        auto* tree = qobject_cast<QTreeWidget*>(platform::LookupWindow(list.m_hWnd)->widget.data());
        QWidget* viewport = tree->viewport();
        const QPoint at = tree->visualItemRect(tree->topLevelItem(row)).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &release);
    }

    CListCtrl list;
};

}  // namespace

TEST_F(ListCtrlTest, ColumnsHaveTextAlignmentAndWidth)
{
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);
    EXPECT_EQ(list.GetColumnWidth(1), 80);
    EXPECT_TRUE(list.SetColumnWidth(1, 60));
    EXPECT_EQ(list.GetColumnWidth(1), 60);

    WCHAR text[32] = {};
    LVCOLUMN col{};
    col.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    col.pszText = text;
    col.cchTextMax = 32;
    ASSERT_TRUE(list.GetColumn(1, &col));
    EXPECT_EQ(CString(text), CString(u"Amount"));
    EXPECT_EQ(col.fmt, LVCFMT_RIGHT);
    EXPECT_EQ(col.cx, 60);

    // A column put in front moves the texts along with it.
    EXPECT_EQ(list.InsertColumn(0, u"First", LVCFMT_CENTER, 30), 0);
    EXPECT_EQ(list.GetItemText(1, 1), CString(u"Bob"));
    EXPECT_EQ(list.GetColumnWidth(2), 60);
    EXPECT_TRUE(list.DeleteColumn(0));
    EXPECT_EQ(list.GetItemText(1, 0), CString(u"Bob"));
    EXPECT_EQ(list.GetItemText(1, 1), CString(u"1.00"));
    EXPECT_FALSE(list.DeleteColumn(5));
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);
    EXPECT_EQ(list.GetDlgItem(0), list.GetHeaderCtrl()) << "the header is the list's child 0";
}

TEST_F(ListCtrlTest, ItemsTextDataAndInsertPositions)
{
    EXPECT_EQ(list.GetItemCount(), 4);
    EXPECT_EQ(list.GetItemText(2, 0), CString(u"carol"));
    EXPECT_EQ(list.GetItemText(2, 1), CString(u"1.00"));
    EXPECT_EQ(list.GetItemData(3), 103u);
    EXPECT_EQ(list.InsertItem(99, u"Eve"), 4) << "past the end appends";
    EXPECT_EQ(list.InsertItem(0, u"Zed"), 0);
    EXPECT_EQ(list.GetItemData(1), 100u) << "data stays with its item";
    EXPECT_FALSE(list.SetItemText(42, 0, u"x"));
    EXPECT_EQ(list.GetItemText(42, 0), CString());
}

TEST_F(ListCtrlTest, SelectionFocusNextSelectedAndMark)
{
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
    list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED | LVIS_FOCUSED), LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(list.GetNextItem(2, LVNI_SELECTED), -1);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 2);
    EXPECT_EQ(list.GetNextItem(1, LVNI_ALL), 2);
    EXPECT_EQ(host.Count(kList, LVN_ITEMCHANGED), 1);

    // Single selection: selecting another drops the first.
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED), 0u);
    EXPECT_EQ(list.GetSelectedCount(), 1);

    list.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(list.GetSelectedCount(), 0);

    EXPECT_EQ(list.SetSelectionMark(3), -1);
    EXPECT_EQ(list.GetSelectionMark(), 3);
    list.DeleteItem(1);
    EXPECT_EQ(list.GetSelectionMark(), 2) << "the mark follows its item";
    list.DeleteItem(2);
    EXPECT_EQ(list.GetSelectionMark(), -1);
}

TEST_F(ListCtrlTest, FindItemByWholeTextIgnoringCase)
{
    LVFINDINFO find{};
    find.flags = LVFI_STRING;
    find.psz = u"CAROL";
    EXPECT_EQ(list.FindItem(&find), 2);
    EXPECT_EQ(list.FindItem(&find, 1), 2);
    EXPECT_EQ(list.FindItem(&find, 2), -1) << "starts after the index";
    find.psz = u"car";
    EXPECT_EQ(list.FindItem(&find), -1);
    find.flags = LVFI_STRING | LVFI_PARTIAL;
    EXPECT_EQ(list.FindItem(&find), 2);
    find.flags = LVFI_STRING | LVFI_WRAP;
    find.psz = u"alice";
    EXPECT_EQ(list.FindItem(&find, 2), 0);
    find.flags = LVFI_PARAM;
    find.lParam = 101;
    EXPECT_EQ(list.FindItem(&find), 1);
}

TEST_F(ListCtrlTest, DeleteOneOrAll)
{
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemText(0, 0), CString(u"Bob"));
    EXPECT_FALSE(list.DeleteItem(9));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_ALL), -1);
    EXPECT_EQ(host.Count(kList, LVN_ITEMCHANGED), 0);
}

TEST_F(ListCtrlTest, TapSelectsTheRowThenSendsClickWithIt)
{
    int selectedAtClick = -2;
    TapRow(1);
    for (size_t i = 0; i < host.notes.size(); ++i)
        if (host.notes[i].code == NM_CLICK)
            selectedAtClick = host.listNotes[i].iItem;
    EXPECT_EQ(selectedAtClick, 1);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(list.GetSelectionMark(), 1);
    const std::vector<UINT> codes = host.Codes(kList);
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), NM_CLICK) << "the click comes after the selection moved";
    EXPECT_EQ(host.Count(kList, LVN_ITEMCHANGED), 1);
}

TEST_F(ListCtrlTest, SortItemsByTheProgramsComparison)
{
    auto descending = [](LPARAM a, LPARAM b, LPARAM) -> int { return a > b ? -1 : a < b ? 1 : 0; };
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(list.SortItems(descending, 0));
    EXPECT_EQ(list.GetItemText(0, 0), CString(u"Dave"));
    EXPECT_EQ(list.GetItemText(3, 0), CString(u"Alice"));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 3) << "selection moves with its item";
}
