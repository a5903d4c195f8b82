// A list view's header: its items through the header's messages, owner-drawn
// items drawn by the object attached to the header, divider drags told to
// the list (which may change the width), the list's own answers when the
// program's list object lets them through, LVN_KEYDOWN, and the program's
// WM_PAINT drawing over the list's own painting.

#include "ControlHost.h"

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/testing/DialogDriver.h"
#include "platform/testing/Screenshot.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/listview/CListCtrl.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTreeWidget>

namespace {

constexpr int kList = 300;

// Draws its owner-drawn items and notes what it was asked to draw.
class CNotingHeader : public CHeaderCtrl {
public:
    struct Call {
        UINT item;
        UINT state;
        CRect rect;
    };
    std::vector<Call> calls;
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        calls.push_back({dis->itemID, dis->itemState, CRect(dis->rcItem)});
        CDC* dc = CDC::FromHandle(dis->hDC);
        CRect r(dis->rcItem);
        dc->FillSolidRect(&r, RGB(0, 0, 255));
    }
};

// Takes the header's notifications as the program's lists do; what it answers is set by the test.
class CTrackingList : public CListCtrl {
public:
    std::vector<std::pair<UINT, int>> seen;   // code, proposed width
    int trackResult = 0;
    int clampTo = -1;                          // a width the handler puts into the item
    bool handleNotes = true;
    bool paintOver = false;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const auto* nm = reinterpret_cast<NMHEADER*>(lParam);
        if (nm->hdr.code == HDN_BEGINTRACKW || nm->hdr.code == HDN_TRACKW || nm->hdr.code == HDN_ENDTRACKW ||
            nm->hdr.code == HDN_DIVIDERDBLCLICKW) {
            seen.emplace_back(nm->hdr.code, nm->pitem ? nm->pitem->cxy : -1);
            if (!handleNotes)
                return FALSE;
            if (nm->hdr.code == HDN_TRACKW) {
                if (clampTo >= 0 && nm->pitem)
                    nm->pitem->cxy = std::min(nm->pitem->cxy, clampTo);
                *pResult = trackResult;
            } else {
                *pResult = 0;
            }
            return TRUE;
        }
        return CListCtrl::OnNotify(wParam, lParam, pResult);
    }
    void OnPaint()
    {
        Default();
        if (!paintOver)
            return;
        CDC* dc = GetDC();
        CRect r(0, 0, 20, 200);
        dc->FillSolidRect(&r, RGB(255, 0, 0));
        ReleaseDC(dc);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTrackingList, CListCtrl)
    ON_WM_PAINT()
END_MESSAGE_MAP()

class ListHeaderTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        ASSERT_TRUE(list.SubclassWindow(Make(WC_LISTVIEW, LVS_REPORT | LVS_SINGLESEL, kList, u"", 220, 200)));
        list.InsertColumn(0, u"Name", LVCFMT_LEFT, 60);
        list.InsertColumn(1, u"Amount", LVCFMT_RIGHT, 50);
        list.InsertColumn(2, u"Due", LVCFMT_LEFT, 50);
        ASSERT_TRUE(header.SubclassWindow(list.GetHeaderCtrl()->m_hWnd));
        host.notes.clear();
    }
    QHeaderView* View() const
    {
        return qobject_cast<QTreeWidget*>(platform::LookupWindow(list.m_hWnd)->widget.data())->header();
    }
    void Mouse(QEvent::Type type, int x)
    {
        QWidget* viewport = View()->viewport();
        const QPoint at(x, viewport->height() / 2);
        QMouseEvent event(type, at, viewport->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }
    int Edge(int column) const { return View()->sectionViewportPosition(column) + View()->sectionSize(column); }
    void Drag(int column, int dx)
    {
        const int edge = Edge(column);
        Mouse(QEvent::MouseButtonPress, edge);
        Mouse(QEvent::MouseMove, edge + dx);
        Mouse(QEvent::MouseButtonRelease, edge + dx);
    }
    void Paint() { platform::testing::Screenshot shot(host.m_hWnd, 1); }

    CTrackingList list;
    CNotingHeader header;
};

}  // namespace

TEST_F(ListHeaderTest, HeaderItemsAreTheListsColumns)
{
    EXPECT_EQ(list.GetHeaderCtrl(), &header);
    EXPECT_EQ(header.GetItemCount(), 3);
    WCHAR text[32] = {};
    HDITEM item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_WIDTH;
    item.pszText = text;
    item.cchTextMax = 32;
    ASSERT_TRUE(header.GetItem(1, &item));
    EXPECT_EQ(CString(text), CString(u"Amount"));
    EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_RIGHT);
    EXPECT_EQ(item.cxy, 50);

    item.mask = HDI_TEXT | HDI_FORMAT | HDI_WIDTH;
    item.pszText = const_cast<LPWSTR>(u"Sum");
    item.fmt = HDF_CENTER | HDF_OWNERDRAW;
    item.cxy = 70;
    ASSERT_TRUE(header.SetItem(1, &item));
    EXPECT_EQ(list.GetColumnWidth(1), 70);
    LVCOLUMN col{};
    col.mask = LVCF_TEXT | LVCF_FMT;
    col.pszText = text;
    col.cchTextMax = 32;
    ASSERT_TRUE(list.GetColumn(1, &col));
    EXPECT_EQ(CString(text), CString(u"Sum"));
    EXPECT_EQ(col.fmt, LVCFMT_CENTER);

    // The owner-draw flag moves with its column.
    list.InsertColumn(0, u"First", LVCFMT_LEFT, 30);
    item = HDITEM{};
    item.mask = HDI_FORMAT;
    ASSERT_TRUE(header.GetItem(2, &item));
    EXPECT_TRUE(item.fmt & HDF_OWNERDRAW);
    ASSERT_TRUE(header.GetItem(1, &item));
    EXPECT_FALSE(item.fmt & HDF_OWNERDRAW);
    EXPECT_FALSE(header.GetItem(9, &item));

    CRect rect;
    ASSERT_TRUE(header.GetItemRect(2, &rect));
    EXPECT_EQ(rect.left, 90);
    EXPECT_EQ(rect.Width(), 70);
}

TEST_F(ListHeaderTest, OwnerDrawnItemsAreDrawnByTheHeadersObject)
{
    HDITEM item{};
    item.mask = HDI_FORMAT;
    header.GetItem(2, &item);
    item.fmt |= HDF_OWNERDRAW;
    header.SetItem(2, &item);
    Paint();
    ASSERT_FALSE(header.calls.empty());
    for (const auto& call : header.calls)
        EXPECT_EQ(call.item, 2u);
    CRect rect;
    header.GetItemRect(2, &rect);
    EXPECT_EQ(header.calls.back().rect, rect);
    EXPECT_EQ(header.calls.back().state, 0u);

    // Pressed, the item is drawn selected; released, normal again.
    header.calls.clear();
    Mouse(QEvent::MouseButtonPress, rect.CenterPoint().x);
    Paint();
    ASSERT_FALSE(header.calls.empty());
    EXPECT_EQ(header.calls.back().state, ODS_SELECTED);
    Mouse(QEvent::MouseButtonRelease, rect.CenterPoint().x);
    header.calls.clear();
    Paint();
    ASSERT_FALSE(header.calls.empty());
    EXPECT_EQ(header.calls.back().state, 0u);
}

TEST_F(ListHeaderTest, DividerDragsAskTheListWhichMayChangeOrRefuseTheWidth)
{
    using Seen = std::vector<std::pair<UINT, int>>;
    Drag(0, 20);
    EXPECT_EQ(list.seen, (Seen{{HDN_BEGINTRACKW, 60}, {HDN_TRACKW, 80}, {HDN_ENDTRACKW, 80}}));
    EXPECT_EQ(list.GetColumnWidth(0), 80);

    list.seen.clear();
    list.clampTo = 65;
    Drag(0, 20);
    EXPECT_EQ(list.GetColumnWidth(0), 65) << "the header takes the width the handler left";

    list.clampTo = -1;
    list.trackResult = 1;
    Drag(1, 30);
    EXPECT_EQ(list.GetColumnWidth(1), 50) << "refused";

    // Not taken by the program: the list's own behaviour (a drag resizes, a
    // double tap fits the column to its texts).
    list.handleNotes = false;
    list.InsertItem(0, u"a rather long name for a narrow column");
    Drag(1, 10);
    EXPECT_EQ(list.GetColumnWidth(1), 60);
    const int edge = Edge(0);
    Mouse(QEvent::MouseButtonDblClick, edge);
    Mouse(QEvent::MouseButtonRelease, edge);
    EXPECT_GT(list.GetColumnWidth(0), 100);
    EXPECT_EQ(host.Count(kList, LVN_COLUMNCLICK), 0) << "divider taps are no column taps";
}

TEST_F(ListHeaderTest, TappingAHeaderItemTellsTheParent)
{
    CRect rect;
    header.GetItemRect(1, &rect);
    Mouse(QEvent::MouseButtonPress, rect.CenterPoint().x);
    Mouse(QEvent::MouseButtonRelease, rect.CenterPoint().x);
    ASSERT_EQ(host.Count(kList, LVN_COLUMNCLICK), 1);
    EXPECT_EQ(host.listNotes.back().iSubItem, 1);
}

TEST_F(ListHeaderTest, KeysAreToldToTheParentFirst)
{
    list.InsertItem(0, u"one");
    list.InsertItem(1, u"two");
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetFocus();
    host.notes.clear();
    platform::testing::PressKey(list.m_hWnd, VK_DOWN);
    ASSERT_GE(host.notes.size(), 1u);
    EXPECT_EQ(host.notes.front().code, LVN_KEYDOWN);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
}

TEST_F(ListHeaderTest, TheProgramsPaintingGoesOverTheListsOwn)
{
    list.SetBkColor(RGB(0, 255, 0));
    list.paintOver = true;
    platform::testing::Screenshot shot(host.m_hWnd, 1);
    CRect listRect;
    list.GetWindowRect(&listRect);
    CRect frame;
    host.GetWindowRect(&frame);
    CRect header;
    list.GetHeaderCtrl()->GetItemRect(0, &header);
    const int x = listRect.left - frame.left;
    const int y = listRect.top - frame.top + header.bottom + 40;
    EXPECT_EQ(shot.Pixel(x + 10, y), RGB(255, 0, 0)) << "the program's drawing";
    EXPECT_EQ(shot.Pixel(x + 100, y), RGB(0, 255, 0)) << "the list's background";
}

TEST_F(ListHeaderTest, RedrawingARangeOfRowsIsAccepted)
{
    for (int i = 0; i < 5; ++i)
        list.InsertItem(i, u"row");
    EXPECT_TRUE(list.RedrawItems(1, 3));
    EXPECT_TRUE(list.RedrawItems(2, 5)) << "up to the row count";
    EXPECT_FALSE(list.RedrawItems(4, 2));
    EXPECT_TRUE(list.EnsureVisible(4, FALSE));
    EXPECT_FALSE(list.EnsureVisible(5, FALSE));
}
