// Focus and activation messages, also around a modal dialog.

#include "TestDialogs.h"
#include "TestEdit.h"
#include "UiTest.h"

#include "platform/testing/MessageRecorder.h"
#include "platform/testing/ScriptedUser.h"
#include "platform/ui/CDialog.h"

using platform::testing::DialogDriver;
using platform::testing::MessageRecorder;
using platform::testing::ScriptedUser;

namespace {

class CFocusLog : public CWnd {
public:
    HWND lastOld = nullptr;
    HWND lastNew = nullptr;

protected:
    void OnSetFocus(CWnd* pOldWnd) { lastOld = pOldWnd ? pOldWnd->m_hWnd : nullptr; }
    void OnKillFocus(CWnd* pNewWnd) { lastNew = pNewWnd ? pNewWnd->m_hWnd : nullptr; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFocusLog, CWnd)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

class FocusTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        CTestEdit::Register();
        testdlg::Register();
        ASSERT_TRUE(MakeTopLevel(&frame));
        ASSERT_TRUE(MakeChild(frame.m_hWnd, 1, &a, u"TESTEDIT"));
        ASSERT_TRUE(MakeChild(frame.m_hWnd, 2, &b, u"TESTEDIT"));
    }
    CWnd frame;
    CFocusLog a;
    CFocusLog b;
};

}  // namespace

TEST_F(FocusTest, SetFocusTellsTheLoserThenTheWinnerWhoTheOtherIs)
{
    a.SetFocus();
    MessageRecorder rec({WM_SETFOCUS, WM_KILLFOCUS});
    rec.Watch(a.m_hWnd, "a");
    rec.Watch(b.m_hWnd, "b");
    EXPECT_EQ(b.SetFocus(), &a);
    EXPECT_EQ(rec.Trace(), (std::vector<std::string>{"a WM_KILLFOCUS", "b WM_SETFOCUS"}));
    EXPECT_EQ(a.lastNew, b.m_hWnd);
    EXPECT_EQ(b.lastOld, a.m_hWnd);
    EXPECT_EQ(CWnd::GetFocus(), &b);
    b.SetFocus();   // already there: nothing is sent
    EXPECT_EQ(rec.Records().size(), 2u);
}

TEST_F(FocusTest, DestroyingTheFocusWindowTakesTheFocusAway)
{
    a.SetFocus();
    MessageRecorder rec({WM_KILLFOCUS, WM_DESTROY});
    rec.Watch(a.m_hWnd, "a");
    a.DestroyWindow();
    EXPECT_EQ(rec.Trace(), (std::vector<std::string>{"a WM_KILLFOCUS", "a WM_DESTROY"}));
    EXPECT_EQ(::GetFocus(), nullptr);
}

TEST_F(FocusTest, ClickingAControlGivesItTheFocus)
{
    a.SetFocus();
    platform::testing::TapWindow(b.m_hWnd);
    EXPECT_EQ(::GetFocus(), b.m_hWnd);
    EXPECT_EQ(b.lastOld, a.m_hWnd);
}

TEST_F(FocusTest, ModalDialogTakesFocusAndActivationAndGivesThemBack)
{
    frame.SetActiveWindow();
    b.SetFocus();
    MessageRecorder rec({WM_SETFOCUS, WM_KILLFOCUS, WM_ACTIVATE});
    rec.Watch(frame.m_hWnd, "frame");
    rec.Watch(b.m_hWnd, "b");
    ScriptedUser user;
    user.ExpectDialog(testdlg::kDetails)
        .Do([&](DialogDriver& d) {
            rec.Watch(d.Hwnd(), "dialog");
            rec.Watch(d.Item(testdlg::kName), "name");
        })
        .PressKey(VK_TAB)
        .Tap(IDCANCEL);
    CDialog dlg(testdlg::kDetails, &frame);
    dlg.DoModal();
    EXPECT_EQ(rec.Trace(), (std::vector<std::string>{
                               "frame WM_ACTIVATE", "b WM_KILLFOCUS",   // the dialog comes up
                               "name WM_KILLFOCUS",                     // Tab moves on from the name field
                               "dialog WM_ACTIVATE", "frame WM_ACTIVATE", "b WM_SETFOCUS",   // it goes
                           }));
    EXPECT_EQ(::GetFocus(), b.m_hWnd);
}

TEST_F(FocusTest, TabWalksTheTemplatesTabStopsInOrder)
{
    std::vector<int> order;
    ScriptedUser user;
    user.ExpectDialog(testdlg::kDetails)
        .Do([&](DialogDriver& d) {
            for (int i = 0; i < 6; ++i) {
                order.push_back(::GetDlgCtrlID(::GetFocus()));
                d.PressKey(VK_TAB);
            }
        })
        .End(IDCANCEL);
    CDialog dlg(testdlg::kDetails);
    dlg.DoModal();
    EXPECT_EQ(order, (std::vector<int>{testdlg::kName, testdlg::kCategory, testdlg::kSnooze, testdlg::kSave, IDCANCEL,
                                       testdlg::kDelete}));
}
