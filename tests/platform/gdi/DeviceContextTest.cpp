// Drawing through a device context onto an image, pixel by pixel.

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/CRgn.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FontMapper.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/qt/Screen.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace {

class Canvas {
public:
    Canvas(int w, int h) : image(w, h, QImage::Format_RGB32), painter(&image), context(&painter)
    {
        image.fill(Qt::white);
    }
    CDC& dc() { return *context.Wrapper(); }
    COLORREF At(int x, int y)
    {
        painter.end();
        const QRgb c = image.pixel(x, y);
        painter.begin(&image);
        return RGB(qRed(c), qGreen(c), qBlue(c));
    }
    // Columns that hold any non-white pixel, as [first, last].
    std::pair<int, int> InkColumns()
    {
        painter.end();
        int first = -1, last = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                    if (first < 0)
                        first = x;
                    last = x;
                    break;
                }
        painter.begin(&image);
        return {first, last};
    }

    QImage image;
    QPainter painter;
    platform::DeviceContext context;
};

class DeviceContextTest : public ::testing::Test {
protected:
    void SetUp() override { platform::EnsureApplication(); }
};

}  // namespace

TEST_F(DeviceContextTest, LineToLeavesOutTheEndPoint)
{
    Canvas c(20, 20);
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    c.dc().SelectObject(&pen);
    c.dc().MoveTo(2, 5);
    c.dc().LineTo(10, 5);
    c.dc().MoveTo(4, 12);
    c.dc().LineTo(4, 8);   // upwards: 12..9
    EXPECT_EQ(c.At(2, 5), RGB(255, 0, 0));
    EXPECT_EQ(c.At(9, 5), RGB(255, 0, 0));
    EXPECT_EQ(c.At(10, 5), RGB(255, 255, 255));
    EXPECT_EQ(c.At(4, 12), RGB(255, 0, 0));
    EXPECT_EQ(c.At(4, 9), RGB(255, 0, 0));
    EXPECT_EQ(c.At(4, 8), RGB(255, 255, 255));
}

TEST_F(DeviceContextTest, FillsAndSystemColoursWithTheHandheldsFlag)
{
    Canvas c(20, 20);
    CBrush brush(SYS_COLOR_INDEX_FLAG | COLOR_HIGHLIGHT);
    CRect rect(2, 2, 6, 6);
    c.dc().FillRect(&rect, &brush);
    EXPECT_EQ(c.At(2, 2), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(c.At(5, 5), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(c.At(6, 6), RGB(255, 255, 255)) << "right and bottom lie outside";
    c.dc().FillSolidRect(10, 10, 2, 2, RGB(0, 128, 0));
    EXPECT_EQ(c.At(11, 11), RGB(0, 128, 0));
    EXPECT_EQ(c.dc().GetBkColor(), RGB(0, 128, 0)) << "FillSolidRect fills through the background colour";
}

TEST_F(DeviceContextTest, SaveAndRestoreTheSelectedState)
{
    Canvas c(10, 10);
    CDC& dc = c.dc();
    CFont font;
    LOGFONT lf = platform::MakeLogFont(QStringLiteral("Tahoma"), 11);
    lf.lfPitchAndFamily = FF_SWISS;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    dc.SetTextColor(RGB(1, 2, 3));
    const int saved = dc.SaveDC();
    CFont* old = dc.SelectObject(&font);
    dc.SetTextColor(RGB(9, 9, 9));
    dc.SetBkMode(TRANSPARENT);
    dc.IntersectClipRect(0, 0, 5, 5);
    EXPECT_EQ(dc.GetCurrentFont()->m_hObject, font.m_hObject);
    EXPECT_TRUE(dc.RestoreDC(saved));
    EXPECT_EQ(dc.GetTextColor(), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(dc.GetCurrentFont()->m_hObject, old->m_hObject);
    EXPECT_FALSE(dc.RestoreDC(-1)) << "nothing left to restore";
}

TEST_F(DeviceContextTest, ClipRegionKeepsDrawingInside)
{
    Canvas c(20, 20);
    CRgn region;
    region.CreateRectRgn(5, 5, 10, 10);
    c.dc().SelectClipRgn(&region);
    c.dc().FillSolidRect(0, 0, 20, 20, RGB(0, 0, 0));
    EXPECT_EQ(c.At(5, 5), RGB(0, 0, 0));
    EXPECT_EQ(c.At(4, 4), RGB(255, 255, 255));
    EXPECT_EQ(c.At(10, 10), RGB(255, 255, 255));
    CRect box;
    EXPECT_EQ(c.dc().GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(5, 5, 10, 10));
}

TEST_F(DeviceContextTest, DrawTextAlignsAndMeasures)
{
    Canvas c(200, 40);
    CDC& dc = c.dc();
    dc.SetBkMode(TRANSPARENT);
    CRect right(0, 0, 200, 40);
    dc.DrawText(CString(u"Total"), &right, DT_SINGLELINE | DT_RIGHT | DT_VCENTER | DT_NOPREFIX);
    auto [first, last] = c.InkColumns();
    EXPECT_GE(last, 190);
    EXPECT_GT(first, 150);

    CRect calc(0, 0, 60, 0);
    const int height = dc.DrawText(CString(u"one two three four five"), &calc, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_GT(height, dc.GetTextExtent(CString(u"one")).cy) << "word break makes more than one line";
    EXPECT_EQ(calc.bottom, height);
    EXPECT_LE(calc.Width(), 60);

    CRect single(0, 0, 0, 0);
    dc.DrawText(CString(u"&File"), &single, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(single.Width(), dc.GetTextExtent(CString(u"File")).cx) << "the prefix character is not drawn";
}

TEST_F(DeviceContextTest, EndEllipsisStaysInsideTheRectangle)
{
    Canvas c(200, 20);
    c.dc().SetBkMode(TRANSPARENT);
    CRect rect(0, 0, 50, 20);
    c.dc().DrawText(CString(u"A rather long description of the item"), &rect, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_LT(c.InkColumns().second, 50);
}

TEST_F(DeviceContextTest, DeletedObjectsAreRefused)
{
    HBRUSH brush = ::CreateSolidBrush(RGB(1, 1, 1));
    ASSERT_TRUE(::DeleteObject(brush));
    EXPECT_FALSE(::DeleteObject(brush));
    EXPECT_EQ(platform::LookupGdiObject(brush), nullptr);
    EXPECT_EQ(CBrush::FromHandle(brush), nullptr);
    EXPECT_FALSE(::DeleteObject(::GetStockObject(WHITE_BRUSH))) << "stock objects stay";

    Canvas c(10, 10);
    EXPECT_EQ(c.dc().SelectObject(brush), nullptr);

    const LOGFONT lf = platform::DefaultLogFont();
    HFONT font = ::CreateFontIndirect(&lf);
    EXPECT_EQ(CBrush::FromHandle(font), nullptr) << "a font is no brush";
    EXPECT_NE(CFont::FromHandle(font), nullptr);
    ::DeleteObject(font);
}

TEST_F(DeviceContextTest, LogFontHeightsMapToPixels)
{
    LOGFONT character = platform::MakeLogFont(QStringLiteral("Tahoma"), -12);
    EXPECT_EQ(platform::FontFromLogFont(character).pixelSize(), 12);
    LOGFONT cell = platform::MakeLogFont(QStringLiteral("Tahoma"), 11);
    EXPECT_LT(platform::FontFromLogFont(cell).pixelSize(), 11) << "a positive height is the whole cell";
    EXPECT_EQ(platform::FontFromLogFont(cell).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(platform::PointsToLogHeight(9), -12);
    EXPECT_EQ(platform::PointsToLogHeight(10), -13);
}
