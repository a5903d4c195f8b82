// Attaching program objects to windows the platform made, and handing them back.

#include "TestDialogs.h"
#include "TestEdit.h"
#include "UiTest.h"

#include "platform/testing/MessageRecorder.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/WindowManager.h"

namespace {

class CCounting : public CWnd {
public:
    int privates = 0;

protected:
    LRESULT OnPrivate(WPARAM, LPARAM)
    {
        ++privates;
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCounting, CWnd)
    ON_MESSAGE(WM_USER + 7, OnPrivate)
END_MESSAGE_MAP()

class SubclassTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        CTestEdit::Register();
        testdlg::Register();
        ASSERT_TRUE(form.Create(testdlg::kDetails));
    }
    CDialog form;
};

}  // namespace

TEST_F(SubclassTest, AttachedObjectReceivesTheMessagesUntilDetached)
{
    HWND label = ::GetDlgItem(form.m_hWnd, testdlg::kLabel);
    CWnd* platformMade = CWnd::FromHandle(label);
    ASSERT_NE(platformMade, nullptr);

    CCounting counting;
    ASSERT_TRUE(counting.SubclassDlgItem(testdlg::kLabel, &form));
    EXPECT_EQ(CWnd::FromHandle(label), &counting);
    EXPECT_EQ(::SendMessage(label, WM_USER + 7, 0, 0), 1);
    EXPECT_EQ(counting.privates, 1);

    CCounting other;
    EXPECT_FALSE(other.SubclassWindow(label)) << "one program object per window";

    EXPECT_EQ(counting.UnsubclassWindow(), label);
    EXPECT_EQ(counting.m_hWnd, nullptr);
    EXPECT_TRUE(::IsWindow(label));
    EXPECT_EQ(::SendMessage(label, WM_USER + 7, 0, 0), 0);
    EXPECT_EQ(counting.privates, 1);
    EXPECT_NE(CWnd::FromHandle(label), &counting);
    EXPECT_TRUE(other.SubclassWindow(label));
}

TEST_F(SubclassTest, StaleOrMissingControlsCannotBeAttached)
{
    HWND label = ::GetDlgItem(form.m_hWnd, testdlg::kLabel);
    ::DestroyWindow(label);
    CCounting counting;
    EXPECT_FALSE(counting.SubclassWindow(label));
    EXPECT_FALSE(counting.SubclassDlgItem(4711, &form));

    class CBinding : public CDialog {
    public:
        CCounting missing;
        void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 4711, missing); }
    } binding;
    ASSERT_TRUE(binding.Create(testdlg::kDetails));
    EXPECT_FALSE(binding.UpdateData(FALSE)) << "a missing control fails the exchange";
}

TEST_F(SubclassTest, DestroyingTheWindowDetachesButKeepsTheObject)
{
    CCounting counting;
    ASSERT_TRUE(counting.SubclassDlgItem(testdlg::kLabel, &form));
    form.DestroyWindow();
    EXPECT_EQ(counting.m_hWnd, nullptr);
    EXPECT_EQ(counting.privates, 0);
}

TEST_F(SubclassTest, DialogInitAddsTheTemplatesEntriesInOrder)
{
    platform::testing::MessageRecorder rec({CB_ADDSTRING});
    HWND combo = ::GetDlgItem(form.m_hWnd, testdlg::kCategory);
    rec.Watch(combo, "combo");
    std::vector<CString> added;
    int observer = platform::AddMessageObserver([&](HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
        if (hwnd == combo && message == CB_ADDSTRING)
            added.emplace_back(reinterpret_cast<LPCWSTR>(lParam));
    });
    EXPECT_TRUE(form.ExecuteDlgInit(testdlg::kDetails));
    platform::RemoveMessageObserver(observer);
    EXPECT_EQ(added, (std::vector<CString>{u"Pounds", u"Dollars", u""}));
    EXPECT_FALSE(form.ExecuteDlgInit(4711));
}

TEST_F(SubclassTest, DialogItemIntegers)
{
    struct Case {
        const char16_t* text;
        BOOL bSigned;
        UINT value;
        BOOL ok;
    };
    const Case cases[] = {
        {u"42", TRUE, 42, TRUE},           {u" -7 ", TRUE, static_cast<UINT>(-7), TRUE},
        {u"-7", FALSE, 0, FALSE},          {u"4294967295", FALSE, 4294967295u, TRUE},
        {u"4294967296", FALSE, 0, FALSE},  {u"2147483648", TRUE, 0, FALSE},
        {u"12a", TRUE, 0, FALSE},          {u"", TRUE, 0, FALSE},
    };
    for (const Case& c : cases) {
        form.SetDlgItemText(testdlg::kLabel, c.text);
        BOOL ok = !c.ok;
        EXPECT_EQ(form.GetDlgItemInt(testdlg::kLabel, &ok, c.bSigned), c.value) << CString(c.text).ToUtf8();
        EXPECT_EQ(ok, c.ok) << CString(c.text).ToUtf8();
    }
}
