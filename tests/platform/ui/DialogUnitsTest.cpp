// Dialog units to pixels from the template font's metrics.

#include "UiTest.h"

#include "platform/ui/DialogUnits.h"

using platform::DialogBaseUnits;

TEST(DialogUnitsTest, MulDivRoundsHalfAwayFromZero)
{
    struct Case {
        int a, b, c, expected;
    };
    const Case cases[] = {
        {10, 6, 4, 15}, {1, 6, 4, 2},    // 1.5 rounds up
        {3, 13, 8, 5},  {5, 13, 8, 8},   // 4.875, 8.125
        {-1, 6, 4, -2}, {0, 6, 4, 0},    // half away from zero
        {7, 1, 0, -1},                   // division by zero
        {0x7FFFFFFF, 2, 2, 0x7FFFFFFF},  // no overflow in between
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(DialogUnitsTest, ItemsMapEachFieldWhileRectanglesMapEachEdge)
{
    const DialogBaseUnits units{7, 13};
    // x 3 -> 5.25 -> 5; width 5 -> 8.75 -> 9; the edge 3+5=8 -> 14.
    const RECT item = platform::ItemToPixels(3, 3, 5, 5, units);
    EXPECT_EQ(item.left, 5);
    EXPECT_EQ(item.right, 14);
    EXPECT_EQ(item.top, 5);
    EXPECT_EQ(item.bottom, 5 + 8);
    const RECT edges = platform::DialogToPixels(RECT{3, 3, 8, 8}, units);
    EXPECT_EQ(edges.right, 14);
    EXPECT_EQ(edges.bottom, 13);
}

TEST(DialogUnitsTest, BaseUnitsComeFromTheMappedTemplateFont)
{
    platform::testing::ResetUi();
    const DialogBaseUnits nine = platform::BaseUnitsForFont(u"Tahoma", 9);
    const DialogBaseUnits ten = platform::BaseUnitsForFont(u"Tahoma", 10);
    const DialogBaseUnits eleven = platform::BaseUnitsForFont(u"Tahoma", 11);
    // A 9-point sans: a 138-unit form must come out near the screen's 240 pixels.
    EXPECT_NEAR(platform::MulDiv(138, nine.cx, 4), 240, 20);
    EXPECT_GE(nine.cx, 5);
    EXPECT_LE(nine.cx, 7);
    EXPECT_GE(nine.cy, 12);
    EXPECT_LE(nine.cy, 16);
    EXPECT_LE(nine.cx, ten.cx);
    EXPECT_LT(nine.cy, eleven.cy);
    EXPECT_EQ(platform::BaseUnitsForFont(u"tahoma", 9).cx, nine.cx) << "face names ignore case";
    EXPECT_EQ(platform::BaseUnitsForFont(u"Tahoma", 0).cy, nine.cy) << "no size means the default 9";
}

// Tahoma's own base widths on the handheld; its stand-in here is wider, so
// rounding its average to the nearest pixel would give 8 at 10 points and 9 at
// 11, and push the program's dialogs and editor pages past the screen's edge.
TEST(DialogUnitsTest, TemplatesInTahomaFitTheScreenAsOnTheHandheld)
{
    platform::testing::ResetUi();
    struct Case {
        int points, baseWidth;
    };
    for (const Case c : {Case{8, 6}, Case{9, 7}, Case{10, 7}, Case{11, 8}})
        EXPECT_EQ(platform::BaseUnitsForFont(u"Tahoma", c.points).cx, c.baseWidth) << c.points << " points";
    const RECT form = platform::ItemToPixels(0, 0, 138, 160, platform::BaseUnitsForFont(u"Tahoma", 9));
    EXPECT_NEAR(form.right, 240, 4) << "the main form spans the screen";
    // The widest row of the home screen (10 points) ends on the screen.
    const RECT picture = platform::ItemToPixels(72, 72, 63, 48, platform::BaseUnitsForFont(u"Tahoma", 10));
    EXPECT_LE(picture.right, 240);
    // The editor's pages (11 points) end their widest controls on the screen.
    const RECT combo = platform::ItemToPixels(43, 2, 72, 88, platform::BaseUnitsForFont(u"Tahoma", 11));
    EXPECT_LE(combo.right, 240);
    // Arial's stand-in is drawn to Arial's widths: it is measured as it is.
    EXPECT_GT(platform::BaseUnitsForFont(u"Arial", 11).cx, platform::BaseUnitsForFont(u"Tahoma", 11).cx);
}
