#include "DocumentTestEnv.h"

#include "owebook/data/CategoryIds.h"

#include <gtest/gtest.h>

namespace {

class DocumentCategories : public DocumentTest {
protected:
    DocumentCategories() : m_doc(Start())
    {
        m_loans = m_doc->FindCategoryByName(u"Loans");
        m_cds = m_doc->FindCategoryByName(u"CDs");
    }
    std::unique_ptr<CRecordingDoc> m_doc;
    LONG m_loans = 0;
    LONG m_cds = 0;
};

TEST_F(DocumentCategories, NamesOfNoneActiveDeletedAndMissingIds)
{
    CString name(u"kept");
    EXPECT_TRUE(m_doc->GetCategoryName(CATEGORY_NONE, name));
    EXPECT_EQ(Utf8(name), " - ");
    EXPECT_TRUE(m_doc->GetCategoryName(m_loans, name));
    EXPECT_EQ(Utf8(name), "Loans");

    ASSERT_TRUE(m_doc->m_categories.DeleteEntry(m_loans));
    name = u"kept";
    EXPECT_FALSE(m_doc->GetCategoryName(m_loans, name));
    EXPECT_EQ(Utf8(name), "kept");
    for (LONG id : {LONG(424242), CATEGORY_ALL, CATEGORY_EDIT, CATEGORY_ALL_MONEY}) {
        EXPECT_FALSE(m_doc->GetCategoryName(id, name)) << id;
        EXPECT_EQ(Utf8(name), "kept");
    }
}

TEST_F(DocumentCategories, MoneyFlagHoldsWhateverTheActiveFlag)
{
    EXPECT_TRUE(m_doc->IsMoneyCategory(m_loans));
    EXPECT_FALSE(m_doc->IsMoneyCategory(m_cds));
    m_doc->m_categories.DeleteEntry(m_loans);
    EXPECT_TRUE(m_doc->IsMoneyCategory(m_loans));
    EXPECT_FALSE(m_doc->IsCategoryActive(m_loans));
    EXPECT_TRUE(m_doc->IsCategoryActive(m_cds));
    EXPECT_FALSE(m_doc->IsMoneyCategory(424242));
    EXPECT_FALSE(m_doc->IsCategoryActive(424242));
    EXPECT_FALSE(m_doc->IsMoneyCategory(CATEGORY_NONE));
}

TEST_F(DocumentCategories, FindByNameSkipsDeletedCategories)
{
    EXPECT_NE(m_cds, 0);
    m_doc->m_categories.DeleteEntry(m_cds);
    EXPECT_EQ(m_doc->FindCategoryByName(u"CDs"), 0);
    // Reviving keeps the id: items of the old category show it again.
    m_doc->m_categories.SetActive(m_cds, TRUE);
    EXPECT_EQ(m_doc->FindCategoryByName(u"CDs"), m_cds);
    CString name;
    EXPECT_TRUE(m_doc->GetCategoryName(m_cds, name));
    EXPECT_EQ(Utf8(name), "CDs");
}

TEST_F(DocumentCategories, SelectingEachKindOfId)
{
    const struct {
        LONG id;
        LONG current;
    } steps[] = {
        {m_cds, m_cds},
        {CATEGORY_ALL_MONEY, CATEGORY_ALL_MONEY},
        {CATEGORY_NONE, CATEGORY_NONE},
        {CATEGORY_ALL, CATEGORY_ALL},
        {m_loans, m_loans},
        {424242, CATEGORY_ALL},  // no such category
    };
    for (const auto& step : steps) {
        EXPECT_FALSE(m_doc->SelectCategory(step.id)) << step.id;
        EXPECT_EQ(m_doc->GetCurrentCategory(), step.current) << step.id;
    }
}

TEST_F(DocumentCategories, TheEditorWithoutChangesKeepsTheSelectionAllMoneyIncluded)
{
    for (LONG before : {CATEGORY_ALL_MONEY, m_cds, CATEGORY_NONE}) {
        m_doc->SelectCategory(before);
        EXPECT_FALSE(m_doc->SelectCategory(CATEGORY_EDIT));
        EXPECT_EQ(m_doc->GetCurrentCategory(), before);
    }
}

TEST_F(DocumentCategories, PurgeDeletesADeletedCategoryOnlyWhenNoOtherItemUsesIt)
{
    CEOID first = Add(*m_doc, NewItem(u"Alice", m_cds));
    CEOID second = Add(*m_doc, NewItem(u"Bob", m_cds));
    m_doc->m_categories.DeleteEntry(m_cds);

    // Two items still carry it: the one about to go and another.
    m_doc->PurgeCategory(m_cds);
    m_doc->DeleteItem(first);
    EXPECT_EQ(m_doc->m_categories.GetRecordCount(), 5u);

    // The last one: the record goes with it.
    m_doc->PurgeCategory(m_cds);
    m_doc->DeleteItem(second);
    EXPECT_EQ(m_doc->m_categories.GetRecordCount(), 4u);
    CNamedRecord record;
    EXPECT_FALSE(m_doc->m_categories.ReadById(m_cds, record));
}

TEST_F(DocumentCategories, PurgeLeavesActiveAndPseudoCategoriesAlone)
{
    CEOID only = Add(*m_doc, NewItem(u"Alice", m_cds));
    m_doc->PurgeCategory(m_cds);  // active
    m_doc->PurgeCategory(CATEGORY_NONE);
    m_doc->PurgeCategory(CATEGORY_ALL);
    m_doc->DeleteItem(only);
    EXPECT_EQ(m_doc->m_categories.GetRecordCount(), 5u);
    EXPECT_TRUE(m_doc->IsCategoryActive(m_cds));
}

TEST_F(DocumentCategories, ItemsOfAPurgedCategoryShowNoName)
{
    CEOID item = Add(*m_doc, NewItem(u"Alice", m_cds));
    m_doc->m_categories.DeleteEntry(m_cds);
    m_doc->PurgeCategory(m_cds);
    CItemRecord stored;
    ASSERT_TRUE(m_doc->ReadItem(item, stored));  // the caller had not deleted it after all
    CString name(u"kept");
    EXPECT_FALSE(m_doc->GetCategoryName(stored.GetCategory(), name));
    EXPECT_EQ(Utf8(name), "kept");
    // Adding "CDs" again makes a new category; the old id stays nameless.
    CEOID again = m_doc->m_categories.AddEntry(u"CDs");
    EXPECT_NE(static_cast<LONG>(again), m_cds);
}

}  // namespace
