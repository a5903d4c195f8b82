// A dialog from a template, pictured at the handheld's size and scaled.

#include "TestDialogs.h"
#include "TestEdit.h"
#include "UiTest.h"

#include "platform/testing/Screenshot.h"
#include "platform/testing/ScriptedUser.h"
#include "platform/ui/CDialog.h"

#include <cstdlib>
#include <string>

using platform::testing::DialogDriver;
using platform::testing::Screenshot;
using platform::testing::ScriptedUser;

namespace {

std::string OutputDir()
{
    const char* dir = std::getenv("OWEBOOK_TEST_BIN_DIR");
    return dir ? dir : ".";
}

}  // namespace

class ScreenshotTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        CTestEdit::Register();
        testdlg::Register();
    }
};

TEST_F(ScreenshotTest, DialogAtScaleOneAndTwoHasTheScreensSizeAndTheSamePicture)
{
    ScriptedUser user;
    std::unique_ptr<Screenshot> one, two;
    user.ExpectDialog(testdlg::kDetails)
        .TypeInto(testdlg::kName, u"Alice")
        .Do([&](DialogDriver& d) {
            one = std::make_unique<Screenshot>(d.Hwnd(), 1);
            two = std::make_unique<Screenshot>(d.Hwnd(), 2);
        })
        .Tap(IDCANCEL);
    CDialog dlg(testdlg::kDetails);
    dlg.DoModal();
    ASSERT_TRUE(one && two);
    EXPECT_EQ(one->Width(), 240);
    EXPECT_EQ(one->Height(), 320);
    EXPECT_EQ(two->Width(), 480);
    EXPECT_EQ(two->Height(), 640);
    EXPECT_TRUE(one->SavePng(OutputDir() + "/screenshot_dialog_1x.png"));
    EXPECT_TRUE(two->SavePng(OutputDir() + "/screenshot_dialog_2x.png"));

    // Content: the caption strip's colour at the top, white below it, and text.
    EXPECT_EQ(one->Pixel(120, 2), RGB(0, 0, 128));
    EXPECT_EQ(one->Pixel(230, 300), RGB(255, 255, 255));
    EXPECT_GT(one->DistinctColours(), 8);
    EXPECT_GT(two->DistinctColours(), 8);

    // The controls are drawn: the buttons' row (template y 95 to 105) has dark pixels.
    int dark = 0;
    for (int y = 26 + 160; y < 26 + 200; ++y)
        for (int x = 0; x < 240; ++x)
            dark += GetRValue(one->Pixel(x, y)) < 100 ? 1 : 0;
    EXPECT_GT(dark, 100);

    // The same picture, twice as fine: flat areas agree pixel for pixel.
    for (auto [x, y] : {std::pair{120, 2}, {230, 300}, {5, 40}})
        EXPECT_EQ(two->Pixel(2 * x, 2 * y), one->Pixel(x, y)) << x << "," << y;
}

TEST_F(ScreenshotTest, StaleWindowGivesNoPicture)
{
    HWND gone = MakeTopLevel();
    ::DestroyWindow(gone);
    EXPECT_TRUE(Screenshot(gone, 2).IsNull());
}
