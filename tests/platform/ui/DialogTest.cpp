// Dialogs from templates run modally and ended the ways a user ends them.

#include "TestDialogs.h"
#include "TestEdit.h"
#include "UiTest.h"

#include "platform/testing/MessageRecorder.h"
#include "platform/testing/ScriptedUser.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CDialog.h"

using platform::testing::DialogDriver;
using platform::testing::MessageRecorder;
using platform::testing::ScriptedUser;

namespace {

class CDetailsDlg : public CDialog {
public:
    CDetailsDlg(CWnd* parent = nullptr) : CDialog(testdlg::kDetails, parent) {}

    std::vector<std::string> calls;
    int initFocusControl = 0;
    BOOL endInInit = FALSE;
    CString nameAtOk;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        calls.push_back("init");
        if (endInInit)
            EndDialog(42);
        return TRUE;
    }
    void OnOK() override
    {
        GetDlgItemText(testdlg::kName, nameAtOk);
        calls.push_back("ok");
        CDialog::OnOK();
    }
    void OnSave()
    {
        calls.push_back("save");
        EndDialog(testdlg::kSave);
    }
    void OnDelete()
    {
        calls.push_back("delete");
        EndDialog(testdlg::kDelete);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDetailsDlg, CDialog)
    ON_BN_CLICKED(testdlg::kSave, OnSave)
    ON_BN_CLICKED(testdlg::kDelete, OnDelete)
END_MESSAGE_MAP()

// Refuses digits typed into the edit it is attached to.
class CNoDigitsEdit : public CTestEdit {
public:
    std::vector<UINT> seen;

protected:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        seen.push_back(nChar);
        if (nChar >= '0' && nChar <= '9')
            return;
        CWnd::OnChar(nChar, nRepCnt, nFlags);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNoDigitsEdit, CTestEdit)
    ON_WM_CHAR()
END_MESSAGE_MAP()

class CBoundDlg : public CDetailsDlg {
public:
    CNoDigitsEdit m_editName;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, testdlg::kName, m_editName); }
};

class DialogTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        CTestEdit::Register();
        testdlg::Register();
    }
};

}  // namespace

TEST_F(DialogTest, EndedBy)
{
    struct Case {
        const char* how;
        std::function<void(DialogDriver&)> act;
        INT_PTR result;
    };
    const Case cases[] = {
        {"tapping the default button", [](DialogDriver& d) { d.Tap(testdlg::kSave); }, testdlg::kSave},
        {"tapping another button", [](DialogDriver& d) { d.Tap(testdlg::kDelete); }, testdlg::kDelete},
        {"the caption strip's ok", [](DialogDriver& d) { d.TapOk(); }, IDOK},
        {"the Cancel button", [](DialogDriver& d) { d.Tap(IDCANCEL); }, IDCANCEL},
        {"Enter: the template's default button", [](DialogDriver& d) { d.PressKey(VK_RETURN); }, testdlg::kSave},
        {"Escape", [](DialogDriver& d) { d.PressKey(VK_ESCAPE); }, IDCANCEL},
        {"the desktop window's close button", [](DialogDriver& d) { d.CloseWindow(); }, IDCANCEL},
        {"Enter on a focused push button", [](DialogDriver& d) { d.Focus(testdlg::kDelete); d.PressKey(VK_RETURN); },
         testdlg::kDelete},
    };
    for (const Case& c : cases) {
        ScriptedUser user;
        user.ExpectDialog(testdlg::kDetails).Do(c.act);
        CDetailsDlg dlg;
        EXPECT_EQ(dlg.DoModal(), c.result) << c.how;
        EXPECT_EQ(dlg.m_hWnd, nullptr) << c.how;
    }
}

TEST_F(DialogTest, EnterWithoutADefaultButtonMeansIdOk)
{
    ScriptedUser user;
    user.ExpectDialog(testdlg::kDetails).Do([](DialogDriver& d) {
        ::SendMessage(d.Hwnd(), DM_SETDEFID, IDOK, 0);   // no control has this id
        d.PressKey(VK_RETURN);
    });
    CDetailsDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.calls, (std::vector<std::string>{"init", "ok"}));
}

TEST_F(DialogTest, InitDialogSeesTheControlsAndTheTemplateEntries)
{
    MessageRecorder rec({CB_ADDSTRING});
    CString shown;
    ScriptedUser user;
    user.ExpectDialog(testdlg::kDetails)
        .Do([&](DialogDriver& d) { rec.Watch(d.Item(testdlg::kCategory), "combo"); })
        .Read(testdlg::kLabel, shown)
        .Check([](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), CString(u"Details"));
            EXPECT_TRUE(d.IsVisible(testdlg::kName));
            EXPECT_EQ(::GetFocus(), d.Item(testdlg::kName)) << "focus starts on the first tab stop";
        })
        .End(IDCANCEL);
    CDetailsDlg dlg;
    dlg.DoModal();
    EXPECT_EQ(shown, CString(u"Total: 0.00"));
    EXPECT_EQ(dlg.calls, std::vector<std::string>{"init"});
    // The entries were added during initialisation, before the recorder watched.
    EXPECT_TRUE(rec.Records().empty());
}

TEST_F(DialogTest, EndDialogDuringInitNeverShowsTheDialog)
{
    ScriptedUser user;   // no dialog is expected to come up
    CDetailsDlg dlg;
    dlg.endInInit = TRUE;
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_TRUE(user.Seen().empty());
}

TEST_F(DialogTest, MissingTemplateFails)
{
    CDialog dlg(4242);
    EXPECT_EQ(dlg.DoModal(), -1);
}

TEST_F(DialogTest, OwnerIsDisabledAndInactiveWhileTheDialogRuns)
{
    CWnd owner;
    ASSERT_TRUE(MakeTopLevel(&owner));
    owner.SetActiveWindow();
    MessageRecorder rec({WM_ACTIVATE, WM_ENABLE});
    rec.Watch(owner.m_hWnd, "owner");
    BOOL enabledDuring = TRUE;
    ScriptedUser user;
    user.ExpectDialog(testdlg::kDetails)
        .Do([&](DialogDriver& d) {
            enabledDuring = owner.IsWindowEnabled();
            rec.Watch(d.Hwnd(), "dialog");
        })
        .Tap(IDCANCEL);
    CDetailsDlg dlg(&owner);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(::GetActiveWindow(), owner.m_hWnd);
    EXPECT_EQ(rec.Trace(), (std::vector<std::string>{"owner WM_ENABLE", "owner WM_ACTIVATE", "owner WM_ENABLE",
                                                     "dialog WM_ACTIVATE", "owner WM_ACTIVATE"}));
}

TEST_F(DialogTest, AttachedControlObjectSeesTypedCharactersFirstAndMayRefuseThem)
{
    ScriptedUser user;
    CString typed;
    user.ExpectDialog(testdlg::kDetails).TypeInto(testdlg::kName, u"a1b2").Read(testdlg::kName, typed).Tap(IDCANCEL);
    CBoundDlg dlg;
    dlg.DoModal();
    EXPECT_EQ(typed, CString(u"ab"));
    EXPECT_EQ(dlg.m_editName.seen, (std::vector<UINT>{'a', '1', 'b', '2'}));
    EXPECT_EQ(dlg.m_editName.m_hWnd, nullptr) << "detached when the dialog's window went";
}

TEST_F(DialogTest, SendingWmCharTypesIntoTheControl)
{
    ScriptedUser user;
    CString typed;
    user.ExpectDialog(testdlg::kDetails)
        .Do([](DialogDriver& d) {
            for (WCHAR c : {u'x', u'7', u'y'})
                ::SendMessage(d.Item(testdlg::kName), WM_CHAR, c, 1);
        })
        .Read(testdlg::kName, typed)
        .Tap(IDCANCEL);
    CBoundDlg dlg;
    dlg.DoModal();
    EXPECT_EQ(typed, CString(u"xy"));
}

TEST_F(DialogTest, DataExchangeFailureKeepsTheDialogOpen)
{
    class CFailingDlg : public CDetailsDlg {
    public:
        int attempts = 0;

    protected:
        void DoDataExchange(CDataExchange* pDX) override
        {
            if (pDX->m_bSaveAndValidate && ++attempts == 1) {
                pDX->PrepareEditCtrl(testdlg::kName);
                pDX->Fail();
            }
        }
    };
    ScriptedUser user;
    bool focusOnName = false;
    user.ExpectDialog(testdlg::kDetails)
        .TapOk()
        .Check([&](DialogDriver& d) { focusOnName = ::GetFocus() == d.Item(testdlg::kName); })
        .TapOk();
    CFailingDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.attempts, 2);
    EXPECT_TRUE(focusOnName);
}

TEST_F(DialogTest, ChildFormPlacesControlsInDialogUnits)
{
    CWnd top;
    ASSERT_TRUE(MakeTopLevel(&top));
    CDialog form;
    ASSERT_TRUE(form.Create(testdlg::kForm, &top));
    CRect units(2, 3, 2 + 67, 3 + 8);
    form.MapDialogRect(&units);
    CRect placed;
    form.GetDlgItem(1124)->GetWindowRect(&placed);
    form.ScreenToClient(&placed);
    EXPECT_EQ(placed, units);
    EXPECT_EQ(form.GetDlgItem(0xFFFF)->GetStyle() & SS_TYPEMASK, SS_BITMAP);
    CString text;
    form.GetDlgItem(0xFFFF)->GetWindowText(text);
    EXPECT_EQ(text, CString(u"#156")) << "a picture static is created with its bitmap's id";
}

TEST_F(DialogTest, TemplateNamingAnUnknownWindowClassFailsAndSaysWhich)
{
    platform::RegisterDialog({9050, u"Odd", WS_POPUP | WS_CAPTION, 0, 0, 0, 100, 60, u"Tahoma", 9,
                              {
                                  {u"OK", IDOK, WC_BUTTON, WS_VISIBLE | BS_DEFPUSHBUTTON, 5, 40, 30, 10},
                                  {u"", 1200, u"NoSuchControl", WS_VISIBLE, 5, 5, 60, 12},
                              }});
    CDialog modeless;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(modeless.Create(9050));
    CDialog modal(9050);
    EXPECT_EQ(modal.DoModal(), -1);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("\"NoSuchControl\""), std::string::npos) << said;
    EXPECT_NE(said.find("1200"), std::string::npos) << said;
    EXPECT_EQ(modeless.m_hWnd, nullptr);
    for (HWND hwnd : platform::AllWindows())
        EXPECT_NE(platform::LookupWindow(hwnd)->className, CString(WC_DIALOG)) << "no dialog is left behind";
}

TEST_F(DialogTest, ScriptedUserPicksAComboEntryAndTypesIntoTheFocusedControl)
{
    ScriptedUser user;
    CString category;
    CString name;
    user.ExpectDialog(testdlg::kDetails)
        .Pick(testdlg::kCategory, u"dollars")
        .Read(testdlg::kCategory, category)
        .Do([](DialogDriver& d) {
            d.Focus(testdlg::kName);
            d.Type(u"Ann");
            d.PressKey(VK_LEFT);
            d.Type(u"i");
            EXPECT_FALSE(d.Pick(testdlg::kCategory, u"Euros")) << "no such entry";
        })
        .Read(testdlg::kName, name)
        .Tap(IDCANCEL);
    CDetailsDlg dlg;
    dlg.DoModal();
    EXPECT_EQ(category, CString(u"Dollars"));
    EXPECT_EQ(name, CString(u"Anin"));
}

// The dialog manager's own focus moves (the start, Tab, GotoDlgCtrl) select
// a field's whole text, so that typing replaces it; a plain SetFocus (a tap)
// does not.
TEST_F(DialogTest, FocusMovedByTheDialogSelectsTheFieldsTextSoTypingReplacesIt)
{
    constexpr UINT kFields = 9050;
    constexpr int kAmount = 1128, kNotes = 1129;
    platform::RegisterDialog({kFields, u"Fields", WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 0, 127, 116, u"Tahoma", 9,
                              {
                                  {u"1", kAmount, WC_EDIT, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 3, 3, 72, 12},
                                  {u"one", kNotes, WC_EDIT, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_MULTILINE, 3, 20, 72, 30},
                                  {u"OK", IDOK, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 95, 30, 10},
                              }});
    CDialog dlg(kFields);
    CString atStart, afterTab, afterBackTab, afterGoto, afterTap;
    ScriptedUser user;
    user.ExpectDialog(kFields)
        .Do([](DialogDriver& d) {
            EXPECT_EQ(::GetFocus(), d.Item(kAmount)) << "the first tab stop has the focus";
            d.Type(u"12.5");
        })
        .Read(kAmount, atStart)
        .Do([](DialogDriver& d) {
            d.PressKey(VK_TAB);
            EXPECT_EQ(::GetFocus(), d.Item(kNotes));
            d.Type(u"two");
        })
        .Read(kNotes, afterTab)
        .Do([&dlg](DialogDriver& d) {
            dlg.PrevDlgCtrl();
            EXPECT_EQ(::GetFocus(), d.Item(kAmount));
            d.Type(u"7");
        })
        .Read(kAmount, afterBackTab)
        .Do([&dlg](DialogDriver& d) {
            dlg.GotoDlgCtrl(dlg.GetDlgItem(kNotes));
            d.Type(u"three");
        })
        .Read(kNotes, afterGoto)
        .Do([](DialogDriver& d) {
            d.Focus(kAmount);
            d.PressKey(VK_END);
            d.Type(u"5");
        })
        .Read(kAmount, afterTap)
        .Tap(IDOK);
    dlg.DoModal();
    EXPECT_EQ(atStart, CString(u"12.5"));
    EXPECT_EQ(afterTab, CString(u"two")) << "a multi-line field is selected too";
    EXPECT_EQ(afterBackTab, CString(u"7"));
    EXPECT_EQ(afterGoto, CString(u"three"));
    EXPECT_EQ(afterTap, CString(u"75")) << "a tap keeps the text";
}
