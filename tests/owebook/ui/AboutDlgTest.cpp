// The About box: the version from the string table, the maker's products
// over it as often as asked, and everything on the screen.

#include "support/DialogLayout.h"

#include "owebook/res/Resource.h"
#include "owebook/res/ResourceTables.h"
#include "owebook/ui/AboutDlg.h"
#include "platform/testing/ScriptedUser.h"
#include "platform/testing/UiTestSupport.h"
#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/WinApi.h"

#include <gtest/gtest.h>

using platform::testing::DialogDriver;
using platform::testing::ScriptedUser;

namespace {

class AboutDlgTest : public ::testing::Test {
protected:
    AboutDlgTest()
    {
        platform::testing::ResetUi();
        RegisterResources();
    }
    ~AboutDlgTest() override
    {
        platform::testing::ResetUi();
        RegisterResources();
    }
};

TEST_F(AboutDlgTest, ShowsTheVersionOfTheStringTable)
{
    CAboutDlg dlg;
    EXPECT_EQ(dlg.m_strVersion, CString(u"1.0.0"));
    ScriptedUser user;
    user.ExpectDialog(IDD_ABOUT)
        .Check([](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), CString(u"About Owebook\u2122"));
            EXPECT_EQ(d.Text(IDC_ABOUT_VERSION), CString(u"1.0.0"));
            ExpectLaidOutOnScreen(d.Hwnd());
            SaveScreenshot(d.Hwnd(), "about");
        })
        .Tap(IDOK);
    EXPECT_EQ(dlg.DoModal(), IDOK);

    // Another version string, another text: nothing is written in twice.
    platform::RegisterStrings({{IDS_VERSION, u"2.3.4"}});
    CAboutDlg later;
    user.ExpectDialog(IDD_ABOUT).Check([](DialogDriver& d) { EXPECT_EQ(d.Text(IDC_ABOUT_VERSION), CString(u"2.3.4")); }).TapOk();
    EXPECT_EQ(later.DoModal(), IDOK);
}

// Each time the same plain dialog, over the About box, which waits
// underneath and is usable again after it.
TEST_F(AboutDlgTest, OtherProductsTwiceShowsTheSameDialogOverTheAboutBox)
{
    std::vector<CString> texts[2];
    ScriptedUser user;
    HWND about = nullptr;
    auto products = [&](int round) {
        return [&, round](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), CString(u"Other products"));
            EXPECT_TRUE(::IsWindow(about));
            EXPECT_FALSE(::IsWindowEnabled(about)) << "the About box waits underneath";
            for (HWND c = ::GetWindow(d.Hwnd(), GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
                WCHAR text[512] = {};
                ::GetWindowText(c, text, 512);
                texts[round].push_back(text);
            }
            ExpectLaidOutOnScreen(d.Hwnd());
            if (round == 0)
                SaveScreenshot(d.Hwnd(), "other_products");
        };
    };
    user.ExpectDialog(IDD_ABOUT)
        .Do([&](DialogDriver& d) { about = d.Hwnd(); })
        .Tap(IDC_ABOUT_OTHER_PRODUCTS)
        .Tap(IDC_ABOUT_OTHER_PRODUCTS)
        .Check([&](DialogDriver& d) { EXPECT_TRUE(::IsWindowEnabled(d.Hwnd())); })
        .Tap(IDOK);
    user.ExpectDialog(IDD_OTHER_PRODUCTS).Check(products(0)).Tap(IDOK);
    user.ExpectDialog(IDD_OTHER_PRODUCTS).Check(products(1)).TapOk();
    CAboutDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    user.Verify();
    EXPECT_EQ(texts[0].size(), 3u);
    EXPECT_EQ(texts[0], texts[1]);
}

}  // namespace
