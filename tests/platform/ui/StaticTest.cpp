// Statics: notifying taps, text repainted through the parent's colour choice,
// bitmap pictures from registered bitmaps.

#include "ControlHost.h"

#include "platform/gdi/BitmapResources.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/testing/DialogDriver.h"
#include "platform/testing/Screenshot.h"
#include "platform/ui/controls/static/CStatic.h"
#include "platform/ui/Window.h"

#include <QApplication>

using platform::testing::TapWindow;

namespace {

// Paints its statics' background in one colour.
class CColouringHost : public CControlHost {
public:
    int ctlColors = 0;
    HBRUSH brush = ::CreateSolidBrush(RGB(0, 128, 0));
    ~CColouringHost() override { ::DeleteObject(brush); }

protected:
    HBRUSH OnCtlColor(CDC* pDC, CWnd*, UINT nCtlColor)
    {
        if (nCtlColor == CTLCOLOR_STATIC) {
            ++ctlColors;
            pDC->SetTextColor(RGB(255, 255, 255));
        }
        return brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColouringHost, CControlHost)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

void PaintRed(CDC& dc, int width, int height) { dc.FillSolidRect(0, 0, width, height, RGB(255, 0, 0)); }

class StaticTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_NE(MakeTopLevel(&host), nullptr);
    }
    HWND Make(DWORD style, int id, LPCWSTR text)
    {
        return ::CreateWindowEx(0, WC_STATIC, text, WS_CHILD | WS_VISIBLE | style, 10, 10, 60, 30, host.m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
    }
    CColouringHost host;
};

}  // namespace

TEST_F(StaticTest, NotifyingStaticReportsTapsOthersDoNot)
{
    HWND notifying = Make(SS_NOTIFY, 50, u"tap me");
    TapWindow(notifying);
    EXPECT_EQ(host.Codes(50), (std::vector<UINT>{STN_CLICKED}));
    ::DestroyWindow(notifying);
    HWND quiet = Make(SS_LEFT, 51, u"quiet");
    TapWindow(quiet);
    EXPECT_TRUE(host.Codes(51).empty());
}

TEST_F(StaticTest, PaintingAsksTheParentForColours)
{
    HWND label = Make(SS_LEFT, 52, u"Hello");
    platform::testing::Screenshot shot(label, 1);
    EXPECT_GT(host.ctlColors, 0);
    EXPECT_EQ(shot.Pixel(58, 28), RGB(0, 128, 0)) << "the parent's brush fills the background";

    const int before = host.ctlColors;
    ::SetWindowText(label, u"Changed");
    platform::testing::Screenshot again(label, 1);
    EXPECT_GT(host.ctlColors, before) << "new text repaints";
}

TEST_F(StaticTest, PictureShowsTheRegisteredBitmap)
{
    platform::RegisterBitmap(7001, 8, 8, PaintRed);
    HWND picture = Make(SS_BITMAP | SS_CENTERIMAGE, 53, u"#7001");
    auto* stat = static_cast<CStatic*>(CWnd::FromHandle(picture));
    EXPECT_NE(stat->GetBitmap(), nullptr);
    platform::testing::Screenshot shot(picture, 1);
    EXPECT_EQ(shot.Pixel(30, 15), RGB(255, 0, 0)) << "centred";
    EXPECT_EQ(shot.Pixel(2, 2), RGB(0, 128, 0));

    HWND missing = Make(SS_BITMAP, 54, u"#7999");
    EXPECT_EQ(static_cast<CStatic*>(CWnd::FromHandle(missing))->GetBitmap(), nullptr);
    platform::testing::Screenshot empty(missing, 1);   // paints without a crash
    EXPECT_EQ(empty.Width(), 60);
}

// A picture takes its bitmap's size, whatever its template said, when it is
// made and when it is given another bitmap; one that centres its bitmap, or
// has none, keeps its own.
TEST_F(StaticTest, PictureTakesTheSizeOfItsBitmap)
{
    platform::RegisterBitmap(7002, 8, 6, PaintRed);
    HBITMAP wide = platform::CreateBitmapObject(20, 12);
    struct Case {
        const char* name;
        DWORD style;
        LPCWSTR text;
        HBITMAP later;
        SIZE expected;
    };
    const Case cases[] = {
        {"from the template", SS_BITMAP, u"#7002", nullptr, {8, 6}},
        {"set later", SS_BITMAP, u"#7002", wide, {20, 12}},
        {"centred", SS_BITMAP | SS_CENTERIMAGE, u"#7002", wide, {60, 30}},
        {"no bitmap", SS_BITMAP, u"#7999", nullptr, {60, 30}},
        {"text", SS_LEFT, u"#7002", nullptr, {60, 30}},
    };
    for (const Case& c : cases) {
        HWND picture = Make(c.style, 55, c.text);
        if (c.later)
            ::SendMessage(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(c.later));
        RECT r{};
        ::GetWindowRect(picture, &r);
        EXPECT_EQ(r.right - r.left, c.expected.cx) << c.name;
        EXPECT_EQ(r.bottom - r.top, c.expected.cy) << c.name;
        ::DestroyWindow(picture);
    }
    ::DeleteObject(wide);
}
