// The sorting header: which items it marks owner-drawn, and what it paints
// for an item: the face, the text where it fits, the pressed offset and the
// triangle pointing the sort direction.

#include "owebook/data/LedgerTestEnv.h"
#include "owebook/ui/SortingHeader.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/testing/UiTestSupport.h"
#include "platform/ui/controls/listview/CListCtrl.h"

#include <QImage>
#include <QPainter>

namespace {

class SortingHeaderTest : public LedgerTest {
protected:
    void SetUp() override
    {
        platform::testing::ResetUi();
        ASSERT_TRUE(m_host.CreateEx(0, u"Host", u"Host", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 240, 320, nullptr,
                                    nullptr));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 0, 240, 200}, &m_host, 1));
        m_list.InsertColumn(0, u"Name", LVCFMT_LEFT, 80);
        m_list.InsertColumn(1, u"Amount", LVCFMT_RIGHT, 80);
        m_list.InsertColumn(2, u"Due", LVCFMT_CENTER, 80);
        ASSERT_TRUE(m_header.SubclassWindow(m_list.GetHeaderCtrl()->m_hWnd));
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
        m_host.DestroyWindow();
        platform::testing::ResetUi();
    }
    int Format(int column)
    {
        HDITEM item{};
        item.mask = HDI_FORMAT;
        EXPECT_TRUE(m_header.GetItem(column, &item));
        return item.fmt;
    }
    // Draws item `column` of the given size into a picture, as the list would.
    QImage Draw(int column, int width, int height, UINT state = 0)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            platform::DeviceContext dc(&painter);
            dc.state.bkMode = TRANSPARENT;   // as the header hands it over
            DRAWITEMSTRUCT dis{};
            dis.CtlType = ODT_HEADER;
            dis.itemID = static_cast<UINT>(column);
            dis.itemState = state;
            dis.hwndItem = m_header.m_hWnd;
            dis.hDC = dc.Handle();
            dis.rcItem = RECT{0, 0, width, height};
            m_header.DrawItem(&dis);
        }
        return image;
    }
    static int CountColour(const QImage& image, COLORREF colour, QRect area = QRect())
    {
        if (area.isNull())
            area = image.rect();
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (image.pixel(x, y) == qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour)))
                    ++count;
        return count;
    }
    // The leftmost column with a pixel that is neither face nor mark.
    static int TextLeft(const QImage& image)
    {
        const QRgb face = qRgb(GetRValue(GetSysColor(COLOR_BTNFACE)), GetGValue(GetSysColor(COLOR_BTNFACE)),
                               GetBValue(GetSysColor(COLOR_BTNFACE)));
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (image.pixel(x, y) != face)
                    return x;
        return -1;
    }
    static int TextTop(const QImage& image, int right)
    {
        const QRgb face = qRgb(GetRValue(GetSysColor(COLOR_BTNFACE)), GetGValue(GetSysColor(COLOR_BTNFACE)),
                               GetBValue(GetSysColor(COLOR_BTNFACE)));
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < right; ++x)
                if (image.pixel(x, y) != face)
                    return y;
        return -1;
    }

    CWnd m_host;
    CListCtrl m_list;
    CSortingHeader m_header;
};

}  // namespace

TEST_F(SortingHeaderTest, MarkedColumnsStayOwnerDrawn)
{
    EXPECT_EQ(m_header.m_nSortColumn, -1);
    EXPECT_TRUE(m_header.m_bAscending);
    m_header.ShowSortMark(2, FALSE);
    m_header.ShowSortMark(0, TRUE);
    EXPECT_EQ(m_header.m_nSortColumn, 0);
    EXPECT_TRUE(Format(0) & HDF_OWNERDRAW);
    EXPECT_FALSE(Format(1) & HDF_OWNERDRAW);
    EXPECT_TRUE(Format(2) & HDF_OWNERDRAW) << "once marked, always drawn by the header";
    EXPECT_EQ(Format(2) & HDF_JUSTIFYMASK, HDF_CENTER) << "alignment kept";
    m_header.ShowSortMark(-1, TRUE);
    EXPECT_EQ(m_header.m_nSortColumn, -1);
    EXPECT_TRUE(Format(0) & HDF_OWNERDRAW);
}

TEST_F(SortingHeaderTest, TheMarkPointsTheSortDirection)
{
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    m_header.ShowSortMark(0, TRUE);
    const QImage up = Draw(0, 80, 20);   // d = 5: the mark lies in x 60..75
    const QRect markArea(55, 0, 25, 20);
    EXPECT_GT(CountColour(up, light, markArea), 5);
    EXPECT_GT(CountColour(up, shadow, markArea), 3);
    // Ascending: the light edge's bottom line runs along y = B - d - 1 = 14.
    EXPECT_GT(CountColour(up, light, QRect(58, 14, 20, 1)), 8);
    m_header.ShowSortMark(0, FALSE);
    const QImage down = Draw(0, 80, 20);
    // Descending: the top line at y = d = 5 (shadow), no light base line.
    EXPECT_GT(CountColour(down, shadow, QRect(58, 5, 20, 1)), 8);
    EXPECT_LT(CountColour(down, light, QRect(58, 14, 20, 1)), 3);
    // Another column is drawn without a mark.
    const QImage plain = Draw(1, 80, 20);
    EXPECT_EQ(CountColour(plain, light, markArea), 0);
}

TEST_F(SortingHeaderTest, NarrowItemsShowOnlyTheirFace)
{
    m_header.ShowSortMark(0, TRUE);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // height 20: d = 5; no room for text at width 2d (10) for an unmarked item.
    const QImage narrow = Draw(1, 10, 20);
    EXPECT_EQ(CountColour(narrow, face), 10 * 20);
    const QImage wide = Draw(1, 80, 20);
    EXPECT_LT(CountColour(wide, face), 80 * 20) << "text shows when there is room";
}

TEST_F(SortingHeaderTest, PressedTextMovesRightAndDownButTheMarkStays)
{
    m_header.ShowSortMark(0, TRUE);
    const QImage normal = Draw(0, 80, 20);
    const QImage pressed = Draw(0, 80, 20, ODS_SELECTED);
    EXPECT_EQ(TextLeft(pressed), TextLeft(normal) + 1);
    EXPECT_GT(TextTop(pressed, 50), TextTop(normal, 50)) << "down (the text stays centred in the shortened rectangle)";
    EXPECT_EQ(normal.copy(55, 0, 25, 20), pressed.copy(55, 0, 25, 20)) << "the mark does not move";
}
