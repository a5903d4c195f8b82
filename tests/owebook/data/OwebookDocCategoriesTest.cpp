#include "DocumentTestEnv.h"
#include "platform/testing/ScriptedUser.h"

#include "owebook/data/CategoryIds.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>

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
    // The money flag outlives the deletion.
    EXPECT_TRUE(m_doc->IsMoneyCategory(m_loans));
    EXPECT_FALSE(m_doc->IsCategoryActive(m_loans));
    EXPECT_FALSE(m_doc->IsMoneyCategory(m_cds));
    EXPECT_FALSE(m_doc->IsMoneyCategory(424242));
}

TEST_F(DocumentCategories, SelectingEachKindOfId)
{
    const struct {
        LONG id;
        LONG current;
    } steps[] = {
        {m_cds, m_cds},
        {CATEGORY_EDIT, m_cds},  // the editor changed nothing: the selection stays
        {CATEGORY_ALL_MONEY, CATEGORY_ALL_MONEY},
        {CATEGORY_EDIT, CATEGORY_ALL_MONEY},
        {CATEGORY_NONE, CATEGORY_NONE},
        {CATEGORY_EDIT, CATEGORY_NONE},
        {CATEGORY_ALL, CATEGORY_ALL},
        {m_loans, m_loans},
        {424242, CATEGORY_ALL},  // no such category
    };
    for (const auto& step : steps) {
        platform::testing::ScriptedUser user;
        if (step.id == CATEGORY_EDIT)
            user.ExpectDialog(168).TapOk();   // the categories editor, closed without a change
        EXPECT_FALSE(m_doc->SelectCategory(step.id)) << step.id;
        EXPECT_EQ(m_doc->GetCurrentCategory(), step.current) << step.id;
    }
}

TEST_F(DocumentCategories, PurgeDeletesADeletedCategoryOnlyWhenNoOtherItemUsesIt)
{
    CEOID first = Add(*m_doc, NewItem(u"Alice", m_cds));

    // Active and pseudo categories are never purged, even with no other item.
    for (LONG id : {m_cds, CATEGORY_NONE, CATEGORY_ALL})
        m_doc->PurgeCategory(id);
    EXPECT_EQ(m_doc->m_categories.GetRecordCount(), 5u);
    EXPECT_TRUE(m_doc->IsCategoryActive(m_cds));
    CEOID second = Add(*m_doc, NewItem(u"Bob", m_cds));

    // Deleted, but two items still carry it: the one about to go and another.
    m_doc->m_categories.DeleteEntry(m_cds);
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

TEST_F(DocumentCategories, PurgeKeepsACategoryAnUnreadableItemMayUse)
{
    CEOID leaving = Add(*m_doc, NewItem(u"Alice", m_cds));
    CEOID damaged = Add(*m_doc, NewItem(u"Bob", m_loans));
    // Another writer leaves the second item with a property running past its end.
    sqlite3* handle = nullptr;
    std::string store = std::string(std::getenv("OWEBOOK_HOME")) + "/objectstore.db";
    ASSERT_EQ(sqlite3_open(store.c_str(), &handle), SQLITE_OK);
    std::string sql = "UPDATE records SET props = X'011f000100ff000000' WHERE oid = " + std::to_string(damaged);
    ASSERT_EQ(sqlite3_exec(handle, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(handle);

    testing::internal::CaptureStderr();
    m_doc->m_categories.DeleteEntry(m_cds);
    m_doc->PurgeCategory(m_cds);
    m_doc->DeleteItem(leaving);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(m_doc->m_categories.GetRecordCount(), 5u);
    CNamedRecord record;
    EXPECT_TRUE(m_doc->m_categories.ReadById(m_cds, record));
}

}  // namespace
