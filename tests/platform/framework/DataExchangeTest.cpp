#include "TestClasses.h"

#include "platform/testing/MessageRecorder.h"
#include "platform/testing/ScriptedUser.h"
#include "platform/ui/WinApi.h"

namespace {

using platform::testing::MessageRecorder;
using platform::testing::ScriptedUser;

constexpr UINT kEmLimitText = 0x00C5;

class DataExchangeTest : public FrameworkTest {
protected:
    // A form view made by the template, its initial update done.
    CLogForm* OpenForm()
    {
        CDocument* pDoc = AddTemplate(RUNTIME_CLASS(CLogForm))->OpenDocumentFile(nullptr);
        if (!pDoc)
            return nullptr;
        POSITION pos = pDoc->GetFirstViewPosition();
        return static_cast<CLogForm*>(pDoc->GetNextView(pos));
    }

    static CString Text(CWnd* form, int id)
    {
        CString text;
        form->GetDlgItemText(id, text);
        return text;
    }
};

TEST_F(DataExchangeTest, FormViewIsMadeFromItsTemplateAndItsInitialUpdateFillsTheControls)
{
    CLogForm* form = OpenForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(Text(form, fwtest::kNameEdit), CString(u"Ann"));
    EXPECT_EQ(Text(form, fwtest::kCountEdit), CString(u"3"));
    EXPECT_EQ(form->IsDlgButtonChecked(fwtest::kFirstRadio), 0u);
    EXPECT_EQ(form->IsDlgButtonChecked(fwtest::kFirstRadio + 1), 1u);
    EXPECT_EQ(form->IsDlgButtonChecked(fwtest::kFirstRadio + 2), 0u);
    EXPECT_EQ(form->IsDlgButtonChecked(fwtest::kCheck), 1u);
}

TEST_F(DataExchangeTest, TextLimitIsSetInTheControlAndTooLongTextIsRefusedWithTheStandardMessage)
{
    CLogForm* form = OpenForm();
    ASSERT_NE(form, nullptr);
    MessageRecorder recorder({kEmLimitText});
    recorder.Watch(form->GetDlgItem(fwtest::kNameEdit)->m_hWnd, "name");
    ASSERT_TRUE(form->UpdateData(FALSE));
    ASSERT_EQ(recorder.Records().size(), 1u);
    EXPECT_EQ(recorder.Records()[0].wParam, 5u);

    form->SetDlgItemText(fwtest::kNameEdit, u"Bartholomew");
    form->SetDlgItemText(fwtest::kCountEdit, u"7");

    ScriptedUser user;
    user.ExpectMessageBox(u"Please enter no more than 5 characters.").Answer(IDOK);
    EXPECT_FALSE(form->UpdateData(TRUE));
    user.Verify();

    EXPECT_EQ(CWnd::GetFocus(), form->GetDlgItem(fwtest::kNameEdit));
    EXPECT_EQ(form->m_nCount, 3) << "the exchange stopped at the refused control";

    form->SetDlgItemText(fwtest::kNameEdit, u"Bart");
    EXPECT_TRUE(form->UpdateData(TRUE));
    EXPECT_EQ(form->m_strName, CString(u"Bart"));
    EXPECT_EQ(form->m_nCount, 7);

    form->SetDlgItemText(fwtest::kCountEdit, u"12x");
    user.ExpectMessageBox(u"Please enter an integer.").Answer(IDOK);
    EXPECT_FALSE(form->UpdateData(TRUE));
    user.Verify();
    EXPECT_EQ(form->m_nCount, 7);
}

struct RadioCase {
    int value;
    std::vector<UINT> checks;   // the three buttons after the exchange in
};

class RadioGroupTest : public DataExchangeTest, public ::testing::WithParamInterface<RadioCase> {};

TEST_P(RadioGroupTest, GroupShowsTheIntAndReadsBackTheCheckedButton)
{
    CLogForm* form = OpenForm();
    ASSERT_NE(form, nullptr);
    form->m_nType = GetParam().value;
    ASSERT_TRUE(form->UpdateData(FALSE));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(form->IsDlgButtonChecked(fwtest::kFirstRadio + i), GetParam().checks[i]) << "button " << i;

    form->m_nType = 99;
    ASSERT_TRUE(form->UpdateData(TRUE));
    EXPECT_EQ(form->m_nType, GetParam().value >= 0 && GetParam().value < 3 ? GetParam().value : -1);
}

INSTANTIATE_TEST_SUITE_P(Framework, RadioGroupTest,
                         ::testing::Values(RadioCase{0, {1, 0, 0}}, RadioCase{1, {0, 1, 0}}, RadioCase{2, {0, 0, 1}},
                                           RadioCase{-1, {0, 0, 0}}, RadioCase{3, {0, 0, 0}}));

TEST_F(DataExchangeTest, RadioGroupEndsAtTheNextGroupAndTheCheckBoxIsItsOwn)
{
    CLogForm* form = OpenForm();
    ASSERT_NE(form, nullptr);
    // The check box after the group is checked; it must not count as a fourth choice.
    form->CheckDlgButton(fwtest::kFirstRadio + 1, 0);
    form->CheckDlgButton(fwtest::kCheck, 1);
    ASSERT_TRUE(form->UpdateData(TRUE));
    EXPECT_EQ(form->m_nType, -1);
    EXPECT_EQ(form->m_nCheck, 1);

    form->CheckDlgButton(fwtest::kCheck, 0);
    ASSERT_TRUE(form->UpdateData(TRUE));
    EXPECT_EQ(form->m_nCheck, 0);
}

}  // namespace
