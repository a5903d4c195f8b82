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

TEST_F(CategoryStoreTest, FirstOpenSeedsTheDefaultsInNameOrder)
{
    ASSERT_FALSE(CCeDBDatabase::Exists(CATEGORIES_DATABASE));
    Open(m_store);
    ASSERT_TRUE(m_store.IsOpen());
    EXPECT_EQ(m_store.GetDatabaseType(), 103u);
    std::vector<Entry> expected = {{"Books", FALSE, TRUE},
                                   {"CDs", FALSE, TRUE},
                                   {"Loans", TRUE, TRUE},
                                   {"Misc", FALSE, TRUE},
                                   {"Payments", TRUE, TRUE}};
    EXPECT_EQ(Entries(m_store), expected);
    EXPECT_EQ(m_store.m_nCurrent, CATEGORY_ALL);
}

TEST_F(CategoryStoreTest, LaterOpensFindTheCategoriesAsLeft)
{
    Open(m_store);
    LONG cds = m_store.FindIdByName(u"CDs");
    ASSERT_TRUE(m_store.DeleteEntry(cds));
    m_store.Close();
    TestDevice::Restart();

    CCategoryStore again;
    Open(again);
    std::vector<Entry> entries = Entries(again);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[1], (Entry{"CDs", FALSE, FALSE}));
    EXPECT_EQ(again.FindIdByName(u"CDs"), 0);
}

TEST_F(CategoryStoreTest, WithoutItsResourceTheNewDatabaseStaysEmpty)
{
    CCategoryRecord record;
    m_store.OpenOrCreate(u"NoDefaults", 103, 9999, record);
    EXPECT_TRUE(m_store.IsOpen());
    EXPECT_EQ(m_store.GetRecordCount(), 0u);
    CCategoryStore other;
    other.OpenOrCreate(u"NoResource", 103, 0, record);
    EXPECT_TRUE(other.IsOpen());
    EXPECT_EQ(other.GetRecordCount(), 0u);
}

TEST_F(CategoryStoreTest, DeletingOnlyClearsActiveAndKeepsTheMoneyFlag)
{
    Open(m_store);
    LONG loans = m_store.FindIdByName(u"Loans");
    ASSERT_NE(loans, 0);
    EXPECT_TRUE(m_store.IsActive(loans));
    EXPECT_TRUE(m_store.DeleteEntry(loans));
    EXPECT_FALSE(m_store.IsActive(loans));
    EXPECT_EQ(m_store.GetRecordCount(), 5u);
    CCategoryRecord record;
    ASSERT_TRUE(m_store.ReadById(loans, record));
    EXPECT_TRUE(record.GetIsMoney());
    EXPECT_FALSE(record.GetActive());

    EXPECT_FALSE(m_store.DeleteEntry(12345));
    EXPECT_FALSE(m_store.DeleteEntry(0));
}

TEST_F(CategoryStoreTest, FindByNameSkipsInactiveRecordsAndMatchesExactly)
{
    Open(m_store);
    LONG cds = m_store.FindIdByName(u"CDs");
    ASSERT_NE(cds, 0);
    EXPECT_EQ(m_store.FindIdByName(u"cds"), 0);
    EXPECT_EQ(m_store.FindIdByName(u"CDs "), 0);
    EXPECT_EQ(m_store.FindIdByName(u""), 0);

    m_store.DeleteEntry(cds);
    EXPECT_EQ(m_store.FindIdByName(u"CDs"), 0);
    // A second record of the same name, active: found past the inactive one.
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

TEST_F(CategoryStoreTest, SelectFollowsThePseudoIdsAndRealOnes)
{
    EditingStore store;
    Open(store);
    LONG misc = store.FindIdByName(u"Misc");

    EXPECT_FALSE(store.Select(misc));
    EXPECT_EQ(store.m_nCurrent, misc);
    EXPECT_FALSE(store.Select(CATEGORY_NONE));
    EXPECT_EQ(store.m_nCurrent, CATEGORY_NONE);
    EXPECT_FALSE(store.Select(misc));
    EXPECT_FALSE(store.Select(CATEGORY_ALL));
    EXPECT_EQ(store.m_nCurrent, CATEGORY_ALL);
    EXPECT_FALSE(store.Select(424242));  // no such record
    EXPECT_EQ(store.m_nCurrent, CATEGORY_ALL);

    // The editor: no change keeps the selection, a change goes back to all.
    store.Select(misc);
    EXPECT_FALSE(store.Select(CATEGORY_EDIT));
    EXPECT_EQ(store.m_nCurrent, misc);
    store.m_bChanges = TRUE;
    EXPECT_TRUE(store.Select(CATEGORY_EDIT));
    EXPECT_EQ(store.m_nCurrent, CATEGORY_ALL);
    EXPECT_EQ(store.m_nRuns, 2);

    CCategoryStore plain;
    Open(plain);
    EXPECT_FALSE(plain.Select(CATEGORY_EDIT));
}

struct SeedCase {
    const char* what;
    std::string text;  // the resource's bytes
    std::vector<Entry> entries;
    friend std::ostream& operator<<(std::ostream& os, const SeedCase& c) { return os << c.what; }
};

class CategorySeeding : public LedgerTest, public testing::WithParamInterface<SeedCase> {};

TEST_P(CategorySeeding, AddsOneRecordPerLineInNameOrder)
{
    const SeedCase& c = GetParam();
    platform::RegisterCustomResource(u"LONGSTRING", 4001, c.text.data(), c.text.size());
    CCategoryStore store;
    CCategoryRecord record;
    store.OpenOrCreate(u"Seeded", 103, 4001, record);
    std::vector<Entry> entries;
    for (CEOID oid = store.SeekFirst(); oid != 0; oid = store.SeekNext()) {
        if (store.ReadCurrRecord(&record))
            entries.push_back({Utf8(record.GetName()), record.GetIsMoney(), record.GetActive()});
    }
    EXPECT_EQ(entries, c.entries);
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
