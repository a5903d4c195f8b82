// Client areas: within the border and beside the scroll bars a window shows.
// GetClientRect, the mappings between windows and the screen, WM_SIZE, the
// placing of children, taps and painting all mean the same area.

#include "ControlHost.h"

#include "platform/testing/DialogDriver.h"
#include "platform/testing/MessageRecorder.h"
#include "platform/testing/Screenshot.h"
#include "platform/ui/CClientDC.h"
#include "platform/ui/controls/listview/CListCtrl.h"
#include "platform/ui/Window.h"

#include <QTreeWidget>

using platform::testing::MessageRecorder;
using platform::testing::TapWindow;

namespace {

// Keeps the sizes WM_SIZE tells and the points taps arrive at.
class CMeasured : public CWnd {
public:
    std::vector<CSize> sizes;
    std::vector<CPoint> taps;

protected:
    void OnSize(UINT, int cx, int cy) { sizes.emplace_back(cx, cy); }
    void OnLButtonDown(UINT, CPoint point) { taps.push_back(point); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMeasured, CWnd)
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class ClientAreaTest : public ControlTest {};

}  // namespace

TEST_F(ClientAreaTest, BorderStylesTakeTheirWidthFromEverySide)
{
    struct Case {
        const char* name;
        DWORD style;
        DWORD exStyle;
        int border;
    };
    const Case cases[] = {
        {"none", 0, 0, 0},
        {"WS_BORDER", WS_BORDER, 0, 1},
        {"WS_EX_CLIENTEDGE", 0, WS_EX_CLIENTEDGE, 2},
        {"WS_DLGFRAME", WS_DLGFRAME, 0, 3},
        {"WS_BORDER and WS_EX_CLIENTEDGE", WS_BORDER, WS_EX_CLIENTEDGE, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMeasured wnd;
        ASSERT_TRUE(wnd.CreateEx(c.exStyle, u"Measured", u"", WS_CHILD | WS_VISIBLE | c.style, 20, 30, 100, 60,
                                 host.m_hWnd, nullptr));
        CRect client;
        wnd.GetClientRect(&client);
        EXPECT_EQ(client, CRect(0, 0, 100 - 2 * c.border, 60 - 2 * c.border));
        ASSERT_FALSE(wnd.sizes.empty());
        EXPECT_EQ(wnd.sizes.back(), CSize(client.Width(), client.Height())) << "WM_SIZE tells the client size";

        CRect window;
        wnd.GetWindowRect(&window);
        CPoint origin(0, 0);
        wnd.ClientToScreen(&origin);
        EXPECT_EQ(origin, CPoint(window.left + c.border, window.top + c.border));
        CPoint back = origin;
        wnd.ScreenToClient(&back);
        EXPECT_EQ(back, CPoint(0, 0));
        POINT inParent{0, 0};
        ::MapWindowPoints(wnd.m_hWnd, host.m_hWnd, &inParent, 1);
        EXPECT_EQ(CPoint(inParent), CPoint(20 + c.border, 30 + c.border));

        wnd.MoveWindow(20, 30, 120, 70);
        EXPECT_EQ(wnd.sizes.back(), CSize(120 - 2 * c.border, 70 - 2 * c.border));
        wnd.DestroyWindow();
    }
}

TEST_F(ClientAreaTest, ChildrenAndTapsAreInTheParentsClientArea)
{
    CMeasured frame;
    ASSERT_TRUE(frame.CreateEx(WS_EX_CLIENTEDGE, u"Measured", u"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 120,
                               90, host.m_hWnd, nullptr));
    CMeasured inner;
    ASSERT_TRUE(inner.CreateEx(0, u"Measured", u"", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20, frame.m_hWnd, nullptr));
    CRect innerRect;
    inner.GetWindowRect(&innerRect);
    CPoint frameClient(0, 0);
    frame.ClientToScreen(&frameClient);
    EXPECT_EQ(innerRect.TopLeft(), frameClient) << "a child at (0, 0) sits at the parent's client origin";
    EXPECT_EQ(platform::LookupWindow(inner.m_hWnd)->widget->pos(), QPoint(3, 3));

    TapWindow(frame.m_hWnd);
    ASSERT_EQ(frame.taps.size(), 1u);
    CRect client;
    frame.GetClientRect(&client);
    // The tap is at the window's centre, which is the client area's centre.
    EXPECT_NEAR(frame.taps[0].x, client.Width() / 2, 1);
    EXPECT_NEAR(frame.taps[0].y, client.Height() / 2, 1);
    ::SendMessage(frame.m_hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 6));
    EXPECT_EQ(frame.taps.back(), CPoint(5, 6));
}

namespace {

// Marks the list's client area once the list has painted its rows.
class CMarkedList : public CListCtrl {
public:
    CPoint mark{-1, -1};

protected:
    void OnPaint()
    {
        Default();
        CRect header;
        GetHeaderCtrl()->GetWindowRect(&header);
        ScreenToClient(&header);
        mark = CPoint(2, header.bottom + 2);
        CClientDC dc(this);
        dc.FillSolidRect(mark.x, mark.y, 6, 6, RGB(255, 0, 0));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMarkedList, CListCtrl)
    ON_WM_PAINT()
END_MESSAGE_MAP()

}  // namespace

TEST_F(ClientAreaTest, ListWithAScrollBarReportsTheWidthBesideIt)
{
    CMarkedList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, CRect(10, 10, 150, 110), &host, 60));
    list.InsertColumn(0, u"Name", LVCFMT_LEFT, 60);
    list.InsertColumn(1, u"Amount", LVCFMT_LEFT, 40);
    MessageRecorder rec({WM_SIZE});
    rec.Watch(list.m_hWnd, "list");
    CRect client;
    list.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 138, 98));
    for (int i = 0; i < 20; ++i)
        list.InsertItem(i, u"row");
    list.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 138 - ::GetSystemMetrics(SM_CXVSCROLL), 98)) << "beside the vertical scroll bar";
    EXPECT_EQ(rec.Records().size(), 1u) << "the list heard that its client area changed";
    EXPECT_EQ(rec.Records()[0].lParam, MAKELPARAM(client.Width(), client.Height()));

    // A last column fitted to the client width needs no horizontal scroll bar.
    list.SetColumnWidth(1, client.Width() - list.GetColumnWidth(0));
    CRect after;
    list.GetClientRect(&after);
    EXPECT_EQ(after, client);
    auto* tree = qobject_cast<QTreeWidget*>(platform::LookupWindow(list.m_hWnd)->widget.data());
    EXPECT_EQ(tree->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    CRect header;
    list.GetHeaderCtrl()->GetWindowRect(&header);
    EXPECT_EQ(header.Width(), client.Width()) << "the header spans the client area";

    // One pixel more and the columns no longer fit.
    list.SetColumnWidth(1, client.Width() - list.GetColumnWidth(0) + 1);
    list.GetClientRect(&after);
    EXPECT_EQ(after.Height(), client.Height() - ::GetSystemMetrics(SM_CYHSCROLL));

    // Qt lays the rows out in the same area: the paint handler's mark lands
    // where the client coordinates say.
    list.SetColumnWidth(1, 20);
    platform::testing::Screenshot shot(list.m_hWnd, 1);
    ASSERT_GE(list.mark.y, 0);
    EXPECT_EQ(tree->viewport()->width(), client.Width());
    EXPECT_EQ(shot.Pixel(1 + list.mark.x + 3, 1 + list.mark.y + 3), RGB(255, 0, 0));
    EXPECT_NE(shot.Pixel(1 + list.mark.x + 3, 1 + list.mark.y - 4), RGB(255, 0, 0)) << "the mark stays below the header";
}
