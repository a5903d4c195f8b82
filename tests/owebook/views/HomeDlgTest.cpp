// The home screen: each picture closes it with its mode, any other way out
// leaves All Items; it fits the screen with its empty menu bar.

#include "support/DialogLayout.h"

#include "owebook/app/AppIds.h"
#include "owebook/res/Resource.h"
#include "owebook/res/ResourceTables.h"
#include "owebook/views/HomeDlg.h"
#include "platform/testing/ScriptedUser.h"
#include "platform/testing/UiTestSupport.h"
#include "platform/ui/WinApi.h"

#include <gtest/gtest.h>

using platform::testing::DialogDriver;
using platform::testing::Scene;
using platform::testing::ScriptedUser;

namespace {

class HomeDlgTest : public ::testing::Test {
protected:
    HomeDlgTest()
    {
        platform::testing::ResetUi();
        RegisterResources();
    }
    ~HomeDlgTest() override { platform::testing::ResetUi(); }
};

struct WayOut {
    const char* name;
    std::function<void(Scene&)> act;
    int mode;
};

void PrintTo(const WayOut& w, std::ostream* os) { *os << w.name; }

class HomeDlgWayOutTest : public HomeDlgTest, public ::testing::WithParamInterface<WayOut> {};

TEST_P(HomeDlgWayOutTest, LeavesTheChosenModeOrAllItems)
{
    ScriptedUser user;
    GetParam().act(user.ExpectDialog(IDD_HOME));
    CHomeDlg dlg;
    dlg.DoModal();
    user.Verify();
    EXPECT_EQ(dlg.m_nMode, GetParam().mode);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Home, HomeDlgWayOutTest,
    ::testing::Values(WayOut{"WhatIOwe", [](Scene& s) { s.Tap(ID_VIEW_WHAT_I_OWE); }, 1},
                      WayOut{"OwedToMe", [](Scene& s) { s.Tap(IDC_HOME_OWED_TO_ME); }, 2},
                      WayOut{"WhatsDue", [](Scene& s) { s.Tap(IDC_HOME_WHATS_DUE); }, 3},
                      WayOut{"AllItems", [](Scene& s) { s.Tap(ID_VIEW_ALL_ITEMS); }, 0},
                      WayOut{"CaptionOk", [](Scene& s) { s.TapOk(); }, 0},
                      WayOut{"Escape", [](Scene& s) { s.PressKey(VK_ESCAPE); }, 0},
                      WayOut{"DesktopClose", [](Scene& s) { s.CloseWindow(); }, 0},
                      // A label is no tap target: the dialog stays until its ok.
                      WayOut{"LabelThenOk", [](Scene& s) { s.Do([](DialogDriver& d) {
                                                     platform::testing::TapWindow(::GetWindow(d.Item(ID_VIEW_WHAT_I_OWE), GW_HWNDNEXT));
                                                     EXPECT_TRUE(d.IsOpen());
                                                 }).TapOk(); }, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HomeDlgTest, ShowsFourPicturesWithTheirNamesOnTheScreen)
{
    ScriptedUser user;
    user.ExpectDialog(IDD_HOME)
        .Check([](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), CString(u"Owebook"));
            const int pictures[] = {ID_VIEW_WHAT_I_OWE, IDC_HOME_OWED_TO_ME, IDC_HOME_WHATS_DUE, ID_VIEW_ALL_ITEMS};
            for (int id : pictures) {
                RECT r{};
                ::GetWindowRect(d.Item(id), &r);
                EXPECT_EQ(r.right - r.left, 105) << id << ": the picture's own size";
                EXPECT_EQ(r.bottom - r.top, 95) << id;
                EXPECT_NE(::SendMessage(d.Item(id), STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << id;
            }
            // The menu bar: empty, with the standard adornments, as created.
            HWND bar = d.Item(AFX_IDW_TOOLBAR);
            ASSERT_NE(bar, nullptr);
            EXPECT_TRUE(::IsWindowVisible(bar));
            ExpectLaidOutOnScreen(d.Hwnd());
            SaveScreenshot(d.Hwnd(), "home");
        })
        .TapOk();
    CHomeDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(HomeDlgTest, MenuBarHasTheBarStylesItWasGiven)
{
    ScriptedUser user;
    DWORD style = 0;
    CHomeDlg dlg;
    user.ExpectDialog(IDD_HOME).Do([&](DialogDriver&) { style = dlg.m_menuBar.GetBarStyle(); }).TapOk();
    dlg.DoModal();
    EXPECT_EQ(style & 0x2832u, 0x2832u) << std::hex << style;
}

}  // namespace
