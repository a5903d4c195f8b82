// The pictures in place: dialogs laid out like the home screen, the About box
// and the reminder, pictured at 1x and 2x into the build folder
// (preview_home@2x.png ...), to be looked at. Each picture static takes its
// bitmap's size and shows it pixel for pixel.

#include "PictureTestSupport.h"

#include "owebook/app/AppIds.h"
#include "owebook/res/Resource.h"
#include "owebook/res/ResourceTables.h"
#include "platform/testing/DialogDriver.h"
#include "platform/testing/Screenshot.h"
#include "platform/testing/ScriptedUser.h"
#include "platform/testing/UiTestSupport.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/WinApi.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <string>
#include <vector>

using platform::testing::DialogDriver;
using platform::testing::Screenshot;
using platform::testing::ScriptedUser;

namespace {

// Template ids of this test only; the program's own dialogs come later.
constexpr UINT IDD_HOME_PREVIEW = 9159;
constexpr UINT IDD_ABOUT_PREVIEW = 9153;
constexpr UINT IDD_REMINDER_PREVIEW = 9150;

void RegisterPreviews()
{
    const DWORD picture = WS_VISIBLE | SS_BITMAP | SS_NOTIFY;
    const DWORD label = WS_VISIBLE | SS_LEFT;
    platform::RegisterDialog({IDD_HOME_PREVIEW, u"Owebook", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0,
                              0, 155, 151, u"Tahoma", 10, {
        {static_cast<int>(IDB_HOME_WHAT_I_OWE), 32871, WC_STATIC, picture, 4, 4, 63, 48},
        {u"What I Owe", IDC_STATIC, WC_STATIC, label, 15, 56, 40, 8},
        {static_cast<int>(IDB_HOME_OWED_TO_ME), 1157, WC_STATIC, picture, 71, 4, 63, 48},
        {u"What's Owed to Me", IDC_STATIC, WC_STATIC, label, 73, 56, 65, 8},
        {static_cast<int>(IDB_HOME_WHATS_DUE), 1158, WC_STATIC, picture, 3, 72, 63, 48},
        {u"What's Due", IDC_STATIC, WC_STATIC, label, 15, 124, 45, 8},
        {static_cast<int>(IDB_HOME_ALL_ITEMS), 32869, WC_STATIC, picture, 72, 72, 63, 48},
        {u"All Items", IDC_STATIC, WC_STATIC, label, 88, 124, 30, 8},
    }});
    platform::RegisterDialog({IDD_ABOUT_PREVIEW, u"About Owebook", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 154,
                              150, u"Tahoma", 10, {
        {u"About Owebook", IDC_STATIC, WC_STATIC, label, 3, 0, 96, 8},
        {static_cast<int>(IDB_RULE), IDC_STATIC, WC_STATIC, WS_VISIBLE | SS_BITMAP, 0, 9, 137, 1},
        {static_cast<int>(IDB_ABOUT_LOGO), 1001, WC_STATIC, WS_VISIBLE | SS_BITMAP, 26, 25, 84, 30},
        {u"Version:", IDC_STATIC, WC_STATIC, label, 2, 62, 32, 8},
        {u"1.0.0", 1115, WC_STATIC, label, 34, 62, 36, 8},
        {u"OK", IDOK, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 2, 118, 25, 14},
    }});
    platform::RegisterDialog({IDD_REMINDER_PREVIEW, u"Owebook Reminder", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0,
                              155, 140, u"Tahoma", 10, {
        {u"Type:", IDC_STATIC, WC_STATIC, label, 4, 3, 21, 11},
        {u"IOU", 1178, WC_STATIC, label, 40, 4, 62, 8},
        {u"Name:", IDC_STATIC, WC_STATIC, label, 4, 13, 23, 8},
        {u"Alice", 1120, WC_STATIC, label, 40, 14, 61, 8},
        {static_cast<int>(IDB_REMINDER), 1002, WC_STATIC, WS_VISIBLE | SS_BITMAP, 106, 4, 32, 22},
        {u"OK", IDOK, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 100, 50, 25},
        {u"Item Returned", 1117, WC_BUTTON, WS_VISIBLE | WS_TABSTOP, 60, 100, 70, 25},
    }});
}

std::string OutputDir()
{
    const char* dir = std::getenv("OWEBOOK_TEST_BIN_DIR");
    return dir ? dir : ".";
}

struct Preview {
    const char* name;
    UINT dialog;
    std::vector<std::pair<int, UINT>> pictures;   // control id, bitmap id
};

class PicturePreviewTest : public ::testing::TestWithParam<Preview> {
protected:
    void SetUp() override
    {
        platform::testing::ResetUi();
        RegisterResources();
        RegisterPreviews();
    }
    void TearDown() override { platform::testing::ResetUi(); }
};

void PrintTo(const Preview& p, std::ostream* os) { *os << p.name; }

}  // namespace

TEST_P(PicturePreviewTest, EachPictureShowsInItsPlaceAndLosesNothing)
{
    const Preview& preview = GetParam();
    ScriptedUser user;
    user.ExpectDialog(preview.dialog)
        .Do([&](DialogDriver& d) {
            const std::string base = OutputDir() + "/preview_" + preview.name;
            EXPECT_TRUE(Screenshot(d.Hwnd(), 1).SavePng(base + "@1x.png"));
            EXPECT_TRUE(Screenshot(d.Hwnd(), 2).SavePng(base + "@2x.png"));
            for (const auto& [control, bitmapId] : preview.pictures) {
                SCOPED_TRACE(bitmapId);
                const QImage bitmap = LoadedPicture(bitmapId);
                ASSERT_FALSE(bitmap.isNull());
                const Screenshot shot(d.Item(control), 1);
                int mismatches = 0, lost = 0;
                for (int y = 0; y < bitmap.height(); ++y)
                    for (int x = 0; x < bitmap.width(); ++x) {
                        const QRgb c = bitmap.pixel(x, y);
                        if (x < shot.Width() && y < shot.Height())
                            mismatches += shot.Pixel(x, y) != RGB(qRed(c), qGreen(c), qBlue(c));
                        else
                            lost += c != qRgb(255, 255, 255);
                    }
                EXPECT_EQ(mismatches, 0);
                EXPECT_EQ(lost, 0) << "the control shows " << shot.Width() << " x " << shot.Height() << " of "
                                   << bitmap.width() << " x " << bitmap.height();
            }
        })
        .TapOk();
    CDialog dlg(preview.dialog);
    dlg.DoModal();
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PicturePreviewTest,
    ::testing::Values(Preview{"home", IDD_HOME_PREVIEW,
                              {{32871, IDB_HOME_WHAT_I_OWE}, {1157, IDB_HOME_OWED_TO_ME}, {1158, IDB_HOME_WHATS_DUE},
                               {32869, IDB_HOME_ALL_ITEMS}}},
                      Preview{"about", IDD_ABOUT_PREVIEW, {{1001, IDB_ABOUT_LOGO}}},
                      Preview{"reminder", IDD_REMINDER_PREVIEW, {{1002, IDB_REMINDER}}}),
    [](const auto& info) { return std::string(info.param.name); });
