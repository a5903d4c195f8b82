#include "DocumentTestEnv.h"

#include "owebook/data/CategoryIds.h"
#include "platform/ui/controls/combo/CComboBox.h"
#include "platform/ui/controls/listview/CListCtrl.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using Rows = std::vector<std::pair<std::string, LONG>>;

class CategorySelectors : public DocumentTest {
protected:
    void SetUp() override
    {
        m_doc = Start();
        ASSERT_TRUE(m_host.CreateEx(0, u"Host", u"Host", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 240, 320, nullptr,
                                    nullptr));
        ASSERT_TRUE(m_combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, RECT{0, 0, 120, 100}, &m_host, 1000));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 30, 240, 200}, &m_host, 1001));
        m_list.InsertColumn(0, u"Name");
        m_list.InsertColumn(1, u"Money");
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
        m_combo.DestroyWindow();
        m_host.DestroyWindow();
    }

    Rows ComboRows() const
    {
        Rows rows;
        for (int i = 0; i < m_combo.GetCount(); ++i) {
            CString text;
            m_combo.GetLBText(i, text);
            rows.emplace_back(Utf8(text), static_cast<LONG>(m_combo.GetItemData(i)));
        }
        return rows;
    }

    std::vector<std::vector<std::string>> ListRows() const
    {
        std::vector<std::vector<std::string>> rows;
        for (int i = 0; i < m_list.GetItemCount(); ++i)
            rows.push_back({Utf8(m_list.GetItemText(i, 0)), Utf8(m_list.GetItemText(i, 1)),
                            std::to_string(static_cast<LONG>(m_list.GetItemData(i)))});
        return rows;
    }

    std::unique_ptr<CRecordingDoc> m_doc;
    CWnd m_host;
    CComboBox m_combo;
    CListCtrl m_list;
};

TEST_F(CategorySelectors, TheMainViewsSelectorReadsPseudoEntriesCategoriesThenEdit)
{
    LONG cds = m_doc->FindCategoryByName(u"CDs");
    m_doc->m_categories.DeleteEntry(m_doc->FindCategoryByName(u"Misc"));
    m_combo.AddString(u"left over");

    // The view's order: each of the three goes in at the top.
    m_doc->FillCategoryCombo(m_combo, FALSE);
    m_doc->AddNoCategoryEntry(m_combo);
    m_doc->AddNoCategoryEntry(m_combo);  // goes in only once
    m_doc->AddAllMoneyEntry(m_combo);
    m_doc->AddAllCategoriesEntry(m_combo);

    Rows expected = {{"All Categories", CATEGORY_ALL},
                     {"All Money", CATEGORY_ALL_MONEY},
                     {"No Category", CATEGORY_NONE},
                     {"Books", m_doc->FindCategoryByName(u"Books")},
                     {"CDs", cds},
                     {"Loans", m_doc->FindCategoryByName(u"Loans")},
                     {"Payments", m_doc->FindCategoryByName(u"Payments")},
                     {"Edit Categories...", CATEGORY_EDIT}};
    EXPECT_EQ(ComboRows(), expected);
}

TEST_F(CategorySelectors, TheEditorsListShowsActiveCategoriesWithTheirMoneyFlag)
{
    LONG loans = m_doc->FindCategoryByName(u"Loans");
    LONG cds = m_doc->FindCategoryByName(u"CDs");
    m_doc->m_categories.DeleteEntry(cds);
    m_list.InsertItem(0, u"left over");

    m_doc->m_categories.FillList(m_list);
    std::vector<std::vector<std::string>> expected = {
        {"Books", "No", std::to_string(m_doc->FindCategoryByName(u"Books"))},
        {"Loans", "Yes", std::to_string(loans)},
        {"Misc", "No", std::to_string(m_doc->FindCategoryByName(u"Misc"))},
        {"Payments", "Yes", std::to_string(m_doc->FindCategoryByName(u"Payments"))}};
    EXPECT_EQ(ListRows(), expected);

    // A row for an inactive entry is refused; a negative index appends.
    EXPECT_EQ(m_doc->m_categories.AddListRow(m_list, 0, u"CDs", cds), -1);
    m_doc->m_categories.SetActive(cds, TRUE);
    EXPECT_EQ(m_doc->m_categories.AddListRow(m_list, -1, u"CDs", cds), 4);
    EXPECT_EQ(ListRows().back(), (std::vector<std::string>{"CDs", "No", std::to_string(cds)}));
}

}  // namespace
