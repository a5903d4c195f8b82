// The report list view: columns, items, states, the selection mark, finding,
// deleting, sorting by the program's comparison, and NM_CLICK on a tap.

#include "ControlHost.h"

#include "platform/ui/controls/listview/CListCtrl.h"
#include "platform/gdi/SysColors.h"
#include "platform/testing/MessageRecorder.h"
#include "platform/testing/Screenshot.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <QMouseEvent>
#include <QHeaderView>
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
    platform::testing::MessageRecorder rec({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_NOTIFY});
    rec.Watch(list.m_hWnd, "list");
    rec.Watch(host.m_hWnd, "host");
    int selectedAtClick = -2;
    TapRow(1);
    const std::vector<std::string> trace = rec.Trace(platform::testing::MessageRecorder::Show::Parameters);
    ASSERT_EQ(trace.size(), 4u);
    EXPECT_EQ(trace[0].rfind("list WM_LBUTTONDOWN ", 0), 0u) << trace[0];
    EXPECT_EQ(trace[1], "host WM_NOTIFY 300 LVN_ITEMCHANGED item 1 state 0x3/0x0");
    EXPECT_EQ(trace[2].rfind("list WM_LBUTTONUP ", 0), 0u) << trace[2];
    EXPECT_EQ(trace[3], "host WM_NOTIFY 300 NM_CLICK item 1");
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

namespace {

// Where a cell is drawn, in the list's window pixels.
QRect CellRect(HWND list, int row, int column)
{
    auto* tree = qobject_cast<QTreeWidget*>(platform::LookupWindow(list)->widget.data());
    const QRect cell = tree->visualRect(tree->model()->index(row, column));
    return cell.translated(tree->viewport()->pos());
}

// A point inside the cell clear of its text (column 1 is right-aligned).
QPoint Blank(HWND list, int row, int column)
{
    const QRect cell = CellRect(list, row, column);
    return QPoint(column == 1 ? cell.left() + 3 : cell.right() - 3, cell.center().y());
}

}  // namespace

TEST_F(ListCtrlTest, ColoursTakeEffect)
{
    EXPECT_EQ(list.GetBkColor(), ::GetSysColor(COLOR_WINDOW));
    EXPECT_TRUE(list.SetBkColor(RGB(0, 0, 128)));
    EXPECT_TRUE(list.SetTextBkColor(RGB(0, 128, 0)));
    EXPECT_TRUE(list.SetTextColor(RGB(255, 255, 0)));
    EXPECT_EQ(list.GetBkColor(), RGB(0, 0, 128));
    EXPECT_EQ(list.GetTextBkColor(), RGB(0, 128, 0));
    EXPECT_EQ(list.GetTextColor(), RGB(255, 255, 0));
    platform::testing::Screenshot shot(list.m_hWnd, 1);
    const QRect last = CellRect(list.m_hWnd, 3, 0);
    EXPECT_EQ(shot.Pixel(last.center().x(), last.bottom() + 10), RGB(0, 0, 128)) << "below the rows";
    const QPoint blank = Blank(list.m_hWnd, 1, 0);
    EXPECT_EQ(shot.Pixel(blank.x(), blank.y()), RGB(0, 128, 0)) << "behind an item's text";
    const QRect text = CellRect(list.m_hWnd, 1, 0);
    bool yellow = false;
    for (int x = text.left(); x < text.left() + 30; ++x)
        yellow = yellow || shot.Pixel(x, text.center().y()) == RGB(255, 255, 0);
    EXPECT_TRUE(yellow) << "the text in its colour";

    list.SetTextBkColor(CLR_NONE);
    platform::testing::Screenshot none(list.m_hWnd, 1);
    EXPECT_EQ(none.Pixel(blank.x(), blank.y()), RGB(0, 0, 128)) << "no text background: the list's shows";
}

TEST_F(ListCtrlTest, WithoutFullRowSelectOnlyTheFirstColumnShowsTheSelection)
{
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    const COLORREF background = ::GetSysColor(COLOR_WINDOW);
    const QPoint first = Blank(list.m_hWnd, 1, 0);
    const QPoint second = Blank(list.m_hWnd, 1, 1);
    platform::testing::Screenshot full(list.m_hWnd, 1);
    EXPECT_NE(full.Pixel(first.x(), first.y()), background);
    EXPECT_NE(full.Pixel(second.x(), second.y()), background);

    list.SetExtendedStyle(0);
    platform::testing::Screenshot narrow(list.m_hWnd, 1);
    EXPECT_NE(narrow.Pixel(first.x(), first.y()), background);
    EXPECT_EQ(narrow.Pixel(second.x(), second.y()), background);
}

namespace {

// Keeps the deletion notifications, and may destroy the list from inside one.
class CDeletingHost : public CControlHost {
public:
    UINT destroyOn = 0;
    std::vector<std::pair<UINT, int>> deletions;

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const auto* nm = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (nm->hdr.code == LVN_DELETEITEM || nm->hdr.code == LVN_DELETEALLITEMS) {
            deletions.emplace_back(nm->hdr.code, nm->iItem);
            if (nm->hdr.code == destroyOn)
                ::DestroyWindow(nm->hdr.hwndFrom);
        }
        return CControlHost::OnNotify(wParam, lParam, pResult);
    }
};

}  // namespace

TEST_F(ListCtrlTest, DeletionsAreAnnouncedAndTheListMayGoFromInsideTheAnnouncement)
{
    struct Case {
        const char* name;
        UINT destroyOn;
        bool all;
        BOOL result;
        std::vector<std::pair<UINT, int>> seen;
    };
    const Case cases[] = {
        {"one", 0, false, TRUE, {{LVN_DELETEITEM, 1}}},
        {"all", 0, true, TRUE, {{LVN_DELETEALLITEMS, -1}}},
        {"one, destroyed meanwhile", LVN_DELETEITEM, false, FALSE, {{LVN_DELETEITEM, 1}}},
        {"all, destroyed meanwhile", LVN_DELETEALLITEMS, true, FALSE, {{LVN_DELETEALLITEMS, -1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDeletingHost parent;
        ASSERT_TRUE(MakeChild(host.m_hWnd, 77, &parent, u"TestChild", WS_VISIBLE));
        CListCtrl doomed;
        ASSERT_TRUE(doomed.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 100, 80), &parent, 78));
        doomed.InsertColumn(0, u"Name", LVCFMT_LEFT, 60);
        for (int i = 0; i < 3; ++i)
            doomed.InsertItem(i, u"row");
        const HWND hwnd = doomed.m_hWnd;
        parent.destroyOn = c.destroyOn;
        EXPECT_EQ(c.all ? doomed.DeleteAllItems() : doomed.DeleteItem(1), c.result);
        EXPECT_EQ(parent.deletions, c.seen);
        EXPECT_EQ(::IsWindow(hwnd) != FALSE, c.destroyOn == 0);
        if (::IsWindow(hwnd)) {
            EXPECT_EQ(doomed.GetItemCount(), c.all ? 0 : 2);
        }
        parent.DestroyWindow();
    }
}
