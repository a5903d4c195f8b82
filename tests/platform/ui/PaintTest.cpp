// The program's own painting: WM_PAINT with a paint DC, WM_CTLCOLOR, and
// settings changes reaching the top-level windows.

#include "UiTest.h"

#include "platform/gdi/CBrush.h"
#include "platform/testing/MessageRecorder.h"
#include "platform/testing/Screenshot.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/WindowManager.h"

using platform::testing::Screenshot;

namespace {

class CSwatch : public CWnd {
public:
    COLORREF colour = RGB(200, 0, 0);
    int paints = 0;

protected:
    void OnPaint()
    {
        ++paints;
        CPaintDC dc(this);
        CRect rect;
        GetClientRect(&rect);
        dc.FillSolidRect(&rect, colour);
        dc.MoveTo(0, 0);
        dc.LineTo(rect.right, 0);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSwatch, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

class CSettingsListener : public CWnd {
public:
    std::vector<UINT> flags;

protected:
    void OnSettingChange(UINT uFlags, LPCWSTR) { flags.push_back(uFlags); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSettingsListener, CWnd)
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

}  // namespace

using PaintTest = UiTest;

TEST_F(PaintTest, PaintHandlerDrawsWithThePaintDc)
{
    HWND top = MakeTopLevel();
    CSwatch swatch;
    ASSERT_TRUE(swatch.CreateEx(0, u"Swatch", u"", WS_CHILD | WS_VISIBLE, 20, 30, 40, 10, top, nullptr));
    Screenshot shot(top, 1);
    EXPECT_GE(swatch.paints, 1);
    // The window starts at client (20, 30), below the 26-pixel caption strip.
    EXPECT_EQ(shot.Pixel(20 + 5, 26 + 30 + 5), RGB(200, 0, 0));
    EXPECT_EQ(shot.Pixel(20 + 5, 26 + 30), RGB(0, 0, 0)) << "the line along the top";
    EXPECT_EQ(shot.Pixel(20 + 45, 26 + 30 + 5), RGB(255, 255, 255));
    Screenshot twice(top, 2);
    EXPECT_EQ(twice.Pixel(2 * 25, 2 * (26 + 35)), RGB(200, 0, 0));
}

TEST_F(PaintTest, PaintDcOutsidePaintingDrawsNothingAndDoesNotCrash)
{
    CSwatch swatch;
    ASSERT_TRUE(MakeTopLevel(&swatch));
    ::SendMessage(swatch.m_hWnd, WM_PAINT, 0, 0);
    EXPECT_EQ(swatch.paints, 1);
}

TEST_F(PaintTest, SettingChangesReachEveryTopLevelWindowOnly)
{
    CSettingsListener first, second, child;
    ASSERT_TRUE(MakeTopLevel(&first));
    ASSERT_TRUE(MakeTopLevel(&second));
    ASSERT_TRUE(MakeChild(first.m_hWnd, 1, &child));
    platform::BroadcastSettingChange(1, nullptr);
    EXPECT_EQ(first.flags, std::vector<UINT>{1});
    EXPECT_EQ(second.flags, std::vector<UINT>{1});
    EXPECT_TRUE(child.flags.empty());
}
