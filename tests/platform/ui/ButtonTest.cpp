// Buttons: push buttons report taps, automatic check boxes toggle, automatic
// radio buttons keep one checked per WS_GROUP group.

#include "ControlHost.h"

#include "platform/testing/DialogDriver.h"
#include "platform/ui/controls/button/CButton.h"

using platform::testing::PressKey;
using platform::testing::TapWindow;

namespace {

class ButtonTest : public ControlTest {};

}  // namespace

TEST_F(ButtonTest, PushButtonSendsClickedOnATapAndOnSpace)
{
    HWND push = Make(WC_BUTTON, BS_PUSHBUTTON | WS_TABSTOP, 10, u"Go");
    TapWindow(push);
    EXPECT_EQ(host.Codes(10), (std::vector<UINT>{BN_CLICKED}));
    ::SetFocus(push);
    PressKey(push, VK_SPACE);
    EXPECT_EQ(host.Count(10, BN_CLICKED), 2);
    ::EnableWindow(push, FALSE);
    TapWindow(push);
    EXPECT_EQ(host.Count(10, BN_CLICKED), 2) << "a disabled button ignores taps";
}

TEST_F(ButtonTest, DialogCodesTellDefaultButtonsApart)
{
    HWND push = Make(WC_BUTTON, BS_PUSHBUTTON, 10, u"a");
    HWND def = Make(WC_BUTTON, BS_DEFPUSHBUTTON, 11, u"b", 120, 24, 40);
    EXPECT_TRUE(::SendMessage(push, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON);
    EXPECT_TRUE(::SendMessage(def, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    ::SendMessage(def, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_TRUE(::SendMessage(def, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON);
}

TEST_F(ButtonTest, AutoCheckBoxTogglesButPlainOneOnlyReports)
{
    HWND autoBox = Make(WC_BUTTON, BS_AUTOCHECKBOX, 20, u"Auto");
    HWND plainBox = Make(WC_BUTTON, BS_CHECKBOX, 21, u"Plain", 120, 24, 40);
    auto* box = static_cast<CButton*>(CWnd::FromHandle(autoBox));
    EXPECT_EQ(box->GetCheck(), BST_UNCHECKED);
    TapWindow(autoBox);
    EXPECT_EQ(box->GetCheck(), BST_CHECKED);
    TapWindow(autoBox);
    EXPECT_EQ(box->GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(host.Count(20, BN_CLICKED), 2);

    TapWindow(plainBox);
    EXPECT_EQ(::SendMessage(plainBox, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(host.Count(21, BN_CLICKED), 1);
    box->SetCheck(BST_CHECKED);
    EXPECT_EQ(box->GetCheck(), BST_CHECKED);
    EXPECT_EQ(host.Count(20, BN_CLICKED), 2) << "setting by code is not a click";
}

TEST_F(ButtonTest, AutoRadioButtonsKeepOneCheckedPerGroup)
{
    // Two groups: 30..32 and 40..41, each started by WS_GROUP.
    HWND a = Make(WC_BUTTON, BS_AUTORADIOBUTTON | WS_GROUP, 30, u"a", 60, 20, 0);
    HWND b = Make(WC_BUTTON, BS_AUTORADIOBUTTON, 31, u"b", 60, 20, 20);
    HWND c = Make(WC_BUTTON, BS_AUTORADIOBUTTON, 32, u"c", 60, 20, 40);
    HWND x = Make(WC_BUTTON, BS_AUTORADIOBUTTON | WS_GROUP, 40, u"x", 60, 20, 60);
    HWND y = Make(WC_BUTTON, BS_AUTORADIOBUTTON, 41, u"y", 60, 20, 80);
    auto checked = [](HWND h) { return ::SendMessage(h, BM_GETCHECK, 0, 0) == BST_CHECKED; };

    TapWindow(a);
    TapWindow(x);
    EXPECT_TRUE(checked(a));
    EXPECT_TRUE(checked(x));
    TapWindow(c);
    EXPECT_FALSE(checked(a));
    EXPECT_FALSE(checked(b));
    EXPECT_TRUE(checked(c));
    EXPECT_TRUE(checked(x)) << "the other group is left alone";
    TapWindow(y);
    EXPECT_FALSE(checked(x));
    EXPECT_TRUE(checked(c));
    EXPECT_EQ(host.Count(32, BN_CLICKED), 1);

    // BM_CLICK acts as a tap.
    ::SendMessage(b, BM_CLICK, 0, 0);
    EXPECT_TRUE(checked(b));
    EXPECT_FALSE(checked(c));
}
