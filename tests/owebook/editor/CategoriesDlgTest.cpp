// The categories editor: add, add of an existing name, delete and revive,
// "IsMoney" on a chosen row, the order after an add, the state of "Delete",
// and what it answers.

#include "EditorTestEnv.h"

#include "owebook/data/CategoryRecord.h"
#include "owebook/editor/CategoriesDlg.h"
#include "platform/ui/controls/listview/CListCtrl.h"

#include <string>
#include <vector>

namespace {

class CategoriesDlgTest : public EditorTest {
protected:
    std::vector<std::string> Rows(HWND hList = nullptr)
    {
        std::vector<std::string> rows;
        CListCtrl& list = hList ? *static_cast<CListCtrl*>(CWnd::FromHandle(hList)) : dlg->m_listCategories;
        for (int i = 0; i < list.GetItemCount(); ++i)
            rows.push_back(list.GetItemText(i, 0).ToUtf8() + "/" + list.GetItemText(i, 1).ToUtf8());
        return rows;
    }
    std::string SelectedRow()
    {
        const int row = dlg->m_listCategories.GetNextItem(-1, LVNI_SELECTED);
        return row < 0 ? "" : dlg->m_listCategories.GetItemText(row, 0).ToUtf8();
    }
    // A tap on a row: the list selects it and tells the dialog.
    void ChooseRow(const char16_t* name)
    {
        CListCtrl& list = dlg->m_listCategories;
        list.SetFocus();   // a tap on the list takes the focus
        LVFINDINFO find{LVFI_STRING, name, 0, {0, 0}, 0};
        const int row = list.FindItem(&find, -1);
        ASSERT_GE(row, 0);
        list.SetSelectionMark(row);
        list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        NMITEMACTIVATE click{};
        click.hdr = NMHDR{list.m_hWnd, IDC_CATEGORIES_LIST, NM_CLICK};
        click.iItem = row;
        dlg->SendMessage(WM_NOTIFY, IDC_CATEGORIES_LIST, reinterpret_cast<LPARAM>(&click));
    }
    BOOL IsMoney(const char16_t* name)
    {
        CCategoryRecord record;
        return doc->m_categories.ReadById(CategoryId(name), record) && record.GetIsMoney();
    }

    void SetUp() override
    {
        EditorTest::SetUp();
        dlg = std::make_unique<CCategoriesDlg>(doc->m_categories);
    }
    void TearDown() override
    {
        dlg.reset();
        EditorTest::TearDown();
    }

    std::unique_ptr<CCategoriesDlg> dlg;
};

}  // namespace

TEST_F(CategoriesDlgTest, OpeningAndClosingWithoutChangesAnswersFalse)
{
    ScriptedUser user;
    user.ExpectDialog(IDD_CATEGORIES)
        .Check([&](DialogDriver& d) {
            EXPECT_EQ(Rows(d.Item(IDC_CATEGORIES_LIST)),
                      (std::vector<std::string>{"Books/No", "CDs/No", "Loans/Yes", "Misc/No", "Payments/Yes"}));
            EXPECT_FALSE(d.IsEnabled(IDC_CATEGORIES_DELETE));
            EXPECT_FALSE(d.IsEnabled(IDC_CATEGORIES_ADD));
        })
        .TapOk();
    EXPECT_FALSE(doc->m_categories.RunEditor());
}

TEST_F(CategoriesDlgTest, AddingSortsByCharacterCodeAndAnExistingNameIsOnlySelected)
{
    ScriptedUser user;
    user.ExpectDialog(IDD_CATEGORIES)
        .TypeInto(IDC_CATEGORIES_NAME, u"Zoo")
        .Check([](DialogDriver& d) { EXPECT_TRUE(d.IsEnabled(IDC_CATEGORIES_ADD)); })
        .Tap(IDC_CATEGORIES_ADD)
        .Do([](DialogDriver& d) { ::SetWindowText(d.Item(IDC_CATEGORIES_NAME), u"apples"); })
        .Tap(IDC_CATEGORIES_ISMONEY)
        .Tap(IDC_CATEGORIES_ADD)
        .Check([&](DialogDriver& d) {
            EXPECT_EQ(Rows(), (std::vector<std::string>{"Books/No", "CDs/No", "Loans/Yes", "Misc/No", "Payments/Yes",
                                                        "Zoo/No", "apples/Yes"}));
            EXPECT_EQ(SelectedRow(), "apples");
            EXPECT_EQ(d.Text(IDC_CATEGORIES_NAME), CString(u"apples")) << "the field keeps its text";
        })
        .TapOk();
    dlg->DoModal();
    EXPECT_TRUE(dlg->m_bChanged);
    EXPECT_NE(CategoryId(u"Zoo"), 0);
    EXPECT_TRUE(IsMoney(u"apples"));

    CCategoriesDlg again(doc->m_categories);
    ScriptedUser user2;
    user2.ExpectDialog(IDD_CATEGORIES)
        .TypeInto(IDC_CATEGORIES_NAME, u"Loans")
        .Tap(IDC_CATEGORIES_ADD)
        .Check([&](DialogDriver&) {
            const int row = again.m_listCategories.GetNextItem(-1, LVNI_SELECTED);
            ASSERT_GE(row, 0);
            EXPECT_EQ(again.m_listCategories.GetItemText(row, 0), CString(u"Loans"));
            EXPECT_EQ(again.m_listCategories.GetItemCount(), 7);
        })
        .TapOk();
    again.DoModal();
    EXPECT_FALSE(again.m_bChanged);
}

TEST_F(CategoriesDlgTest, DeletingAndAddingAgainRevivesTheSameRecordWithTheCurrentCheck)
{
    const LONG books = CategoryId(u"Books");
    ScriptedUser user;
    user.ExpectDialog(IDD_CATEGORIES)
        .Do([&](DialogDriver&) { ChooseRow(u"Books"); })
        .Check([](DialogDriver& d) { EXPECT_TRUE(d.IsEnabled(IDC_CATEGORIES_DELETE)); })
        .Tap(IDC_CATEGORIES_DELETE)
        .Check([&](DialogDriver& d) {
            EXPECT_FALSE(d.IsEnabled(IDC_CATEGORIES_DELETE));
            EXPECT_EQ(d.Text(IDC_CATEGORIES_NAME), CString(u""));
            EXPECT_EQ(Rows().size(), 4u);
            EXPECT_FALSE(doc->m_categories.IsActive(books));
        })
        .TypeInto(IDC_CATEGORIES_NAME, u"Books")
        .Tap(IDC_CATEGORIES_ISMONEY)
        .Tap(IDC_CATEGORIES_ADD)
        .Check([&](DialogDriver&) { EXPECT_EQ(Rows().front(), "Books/Yes"); })
        .TapOk();
    dlg->DoModal();
    EXPECT_TRUE(dlg->m_bChanged);
    EXPECT_EQ(CategoryId(u"Books"), books) << "the same record, so its items find it again";
    EXPECT_TRUE(IsMoney(u"Books"));
}

TEST_F(CategoriesDlgTest, IsMoneyChangesTheChosenRowOnlyWhenTheNameFieldAgrees)
{
    ScriptedUser user;
    user.ExpectDialog(IDD_CATEGORIES)
        .Do([&](DialogDriver&) { ChooseRow(u"CDs"); })
        .Check([](DialogDriver& d) { EXPECT_EQ(::SendMessage(d.Item(IDC_CATEGORIES_ISMONEY), BM_GETCHECK, 0, 0), 0); })
        .Tap(IDC_CATEGORIES_ISMONEY)
        .Check([&](DialogDriver&) { EXPECT_EQ(Rows()[1], "CDs/Yes"); })
        .Do([&](DialogDriver& d) {
            ChooseRow(u"Misc");
            ::SetWindowText(d.Item(IDC_CATEGORIES_NAME), u"Other");
        })
        .Tap(IDC_CATEGORIES_ISMONEY)
        .Check([&](DialogDriver&) { EXPECT_EQ(Rows()[3], "Misc/No"); })
        .TapOk();
    dlg->DoModal();
    EXPECT_TRUE(IsMoney(u"CDs"));
    EXPECT_FALSE(IsMoney(u"Misc"));
    EXPECT_FALSE(dlg->m_bChanged) << "the money flag is no change of the set";
}

TEST_F(CategoriesDlgTest, TheNameFieldClearsTheChoiceAndTheArrowsMoveIt)
{
    ScriptedUser user;
    user.ExpectDialog(IDD_CATEGORIES)
        .Do([&](DialogDriver&) { ChooseRow(u"Loans"); })
        .Do([](DialogDriver& d) { d.Focus(IDC_CATEGORIES_NAME); })
        .Check([&](DialogDriver& d) {
            EXPECT_FALSE(d.IsEnabled(IDC_CATEGORIES_DELETE));
            EXPECT_EQ(SelectedRow(), "");
            EXPECT_TRUE(platform::IsInputPanelShown());
        })
        .Tap(IDC_CATEGORIES_DELETE)   // disabled: nothing happens
        .Do([&](DialogDriver& d) {
            ChooseRow(u"CDs");
            d.PressKey(VK_DOWN);
            platform::testing::ProcessEvents();
        })
        .Check([&](DialogDriver& d) {
            EXPECT_FALSE(platform::IsInputPanelShown());
            EXPECT_EQ(SelectedRow(), "Loans");
            EXPECT_EQ(::SendMessage(d.Item(IDC_CATEGORIES_ISMONEY), BM_GETCHECK, 0, 0), BST_CHECKED);
            EXPECT_TRUE(d.IsEnabled(IDC_CATEGORIES_DELETE));
        })
        .TapOk();
    dlg->DoModal();
    EXPECT_FALSE(dlg->m_bChanged);
}
