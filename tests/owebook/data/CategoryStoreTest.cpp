#include "owebook/data/CategoryStore.h"

#include "LedgerTestEnv.h"
#include "owebook/data/CategoryIds.h"
#include "owebook/data/CategoryRecord.h"
#include "owebook/res/Resource.h"
#include "platform/ui/ResourceRegistry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Entry {
    std::string name;
    BOOL isMoney;
    BOOL active;
    friend bool operator==(const Entry&, const Entry&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Entry& e)
    {
        return os << e.name << "," << e.isMoney << "," << e.active;
    }
};

class CategoryStoreTest : public LedgerTest {
protected:
    void Open(CCategoryStore& store)
    {
        CCategoryRecord record;
        store.OpenOrCreate(CATEGORIES_DATABASE, CATEGORIES_DATABASE_TYPE, IDR_DEFAULT_CATEGORIES, record);
    }

    static std::vector<Entry> Entries(CCategoryStore& store)
    {
        std::vector<Entry> entries;
        CCategoryRecord record;
        for (CEOID oid = store.SeekFirst(); oid != 0; oid = store.SeekNext()) {
            if (store.ReadCurrRecord(&record))
                entries.push_back({Utf8(record.GetName()), record.GetIsMoney(), record.GetActive()});
        }
        return entries;
    }

    CCategoryStore m_store;
};

// Deleting a category only clears its active flag, so the id and its money
// flag survive; name look-ups skip it and reviving brings the same id back.
TEST_F(CategoryStoreTest, SoftDeleteFindSkipsInactiveAndReviveKeepsTheId)
{
    Open(m_store);
    LONG loans = m_store.FindIdByName(u"Loans");
    ASSERT_NE(loans, 0);
    EXPECT_EQ(m_store.FindIdByName(u"loans"), 0);
    EXPECT_EQ(m_store.FindIdByName(u"Loans "), 0);
    EXPECT_EQ(m_store.FindIdByName(u""), 0);

    EXPECT_TRUE(m_store.DeleteEntry(loans));
    EXPECT_FALSE(m_store.IsActive(loans));
    EXPECT_EQ(m_store.GetRecordCount(), 5u);
    CCategoryRecord record;
    ASSERT_TRUE(m_store.ReadById(loans, record));
    EXPECT_TRUE(record.GetIsMoney());
    EXPECT_EQ(m_store.FindIdByName(u"Loans"), 0);
    EXPECT_FALSE(m_store.DeleteEntry(12345));
    EXPECT_FALSE(m_store.DeleteEntry(0));

    m_store.SetActive(loans, TRUE);
    EXPECT_EQ(m_store.FindIdByName(u"Loans"), loans);

    // A second active record of a deleted name is found past the inactive one.
    LONG cds = m_store.FindIdByName(u"CDs");
    m_store.DeleteEntry(cds);
    CEOID second = m_store.AddEntry(u"CDs");
    ASSERT_NE(second, 0u);
    EXPECT_EQ(m_store.FindIdByName(u"CDs"), static_cast<LONG>(second));
}

class EditingStore : public CCategoryStore {
public:
    BOOL RunEditor() override
    {
        ++m_nRuns;
        return m_bChanges;
    }
    int m_nRuns = 0;
    BOOL m_bChanges = FALSE;
};

TEST_F(CategoryStoreTest, TheEditorEntryKeepsTheSelectionUnlessCategoriesChanged)
{
    EditingStore store;
    Open(store);
    LONG misc = store.FindIdByName(u"Misc");
    store.Select(misc);
    EXPECT_FALSE(store.Select(CATEGORY_EDIT));
    EXPECT_EQ(store.m_nCurrent, misc);
    store.m_bChanges = TRUE;
    EXPECT_TRUE(store.Select(CATEGORY_EDIT));
    EXPECT_EQ(store.m_nCurrent, CATEGORY_ALL);
    EXPECT_EQ(store.m_nRuns, 2);
}

struct SeedCase {
    const char* what;
    std::string text;  // the resource's bytes
    std::vector<Entry> entries;
    friend std::ostream& operator<<(std::ostream& os, const SeedCase& c) { return os << c.what; }
};

class CategorySeeding : public CategoryStoreTest, public testing::WithParamInterface<SeedCase> {};

TEST_P(CategorySeeding, AddsOneRecordPerLineInNameOrder)
{
    const SeedCase& c = GetParam();
    platform::RegisterCustomResource(u"LONGSTRING", 4001, c.text.data(), c.text.size());
    CCategoryRecord record;
    m_store.OpenOrCreate(u"Seeded", 103, 4001, record);
    EXPECT_EQ(Entries(m_store), c.entries);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Texts, CategorySeeding,
    testing::Values(
        // A short line keeps the flags of the line before: one record object serves every line.
        SeedCase{"short line", "Zed,TRUE,TRUE\r\nAda\r\n"s,
                 {{"Ada", TRUE, TRUE}, {"Zed", TRUE, TRUE}}},
        // An empty field ends its line; the flags stay as they were.
        SeedCase{"empty field", "B,,TRUE\r\nA,TRUE,FALSE\r\n"s,
                 {{"A", TRUE, FALSE}, {"B", FALSE, FALSE}}},
        // Without the final CR LF the last field is not read.
        SeedCase{"no final line end", "Loans,TRUE,TRUE"s, {{"Loans", TRUE, FALSE}}},
        // Single-byte text is the handheld's code page; the zero byte ends it.
        SeedCase{"code page and zero", "Caf\xe9,FALSE,TRUE\r\n\0Hidden,TRUE,TRUE\r\n"s,
                 {{"Caf\xc3\xa9", FALSE, TRUE}}},
        // Nothing to read still makes one nameless record, never shown: it is not active.
        SeedCase{"empty resource", ""s, {{"", FALSE, FALSE}}}));

}  // namespace
