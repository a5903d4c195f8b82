#include "DocumentTestEnv.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>
#include <limits>

namespace {

class DocumentItems : public DocumentTest {
protected:
    DocumentItems() : m_doc(Start()) {}
    std::unique_ptr<CRecordingDoc> m_doc;
};

TEST_F(DocumentItems, AddedItemsReadBackInTheOrderWritten)
{
    std::vector<CEOID> ids = ItemIds(*m_doc);  // the example
    for (LPCWSTR name : {u"Alice", u"Bob", u"Carol"})
        ids.push_back(Add(*m_doc, NewItem(name)));
    EXPECT_EQ(ItemIds(*m_doc), ids);

    CItemRecord item;
    ASSERT_TRUE(m_doc->ReadItem(ids[2], item));
    EXPECT_EQ(Utf8(item.GetName()), "Bob");
    EXPECT_FALSE(m_doc->ReadItem(0xFFFFFF, item));
    EXPECT_EQ(m_doc->m_nItemCount, 4);
}

TEST_F(DocumentItems, AnEmptyDatabaseReadsNothingAndLeavesTheItemAlone)
{
    ASSERT_TRUE(m_doc->DeleteItem(ItemIds(*m_doc).at(0)));
    CItemRecord item = NewItem(u"untouched");
    EXPECT_EQ(m_doc->ReadFirstItem(item), 0u);
    EXPECT_EQ(m_doc->ReadNextItem(item), 0u);
    EXPECT_EQ(Utf8(item.GetName()), "untouched");
}

TEST_F(DocumentItems, UpdateOverwritesTheStoredItem)
{
    CEOID oid = Add(*m_doc, NewItem(u"Alice"));
    CItemRecord changed = NewItem(u"Alice");
    changed.SetAmount(std::numeric_limits<double>::infinity());
    changed.SetDueDate(0xFFFFFFFFu);
    changed.SetReturned(TRUE);
    EXPECT_TRUE(m_doc->UpdateItem(oid, changed));

    CItemRecord back;
    ASSERT_TRUE(m_doc->ReadItem(oid, back));
    EXPECT_TRUE(std::isinf(back.GetAmount()));
    DWORD due = 0;
    EXPECT_TRUE(back.GetDueDate(due));
    EXPECT_EQ(due, 0xFFFFFFFFu);
    EXPECT_TRUE(back.GetReturned());
    EXPECT_EQ(ItemIds(*m_doc).size(), 2u);
}

TEST_F(DocumentItems, UpdateOfAGoneItemFailsAndChangesNothing)
{
    CEOID oid = Add(*m_doc, NewItem(u"Alice"));
    ASSERT_TRUE(m_doc->DeleteItem(oid));
    std::vector<CEOID> before = ItemIds(*m_doc);
    CItemRecord zoe = NewItem(u"Zoe");
    EXPECT_FALSE(m_doc->UpdateItem(oid, zoe));
    EXPECT_EQ(ItemIds(*m_doc), before);
    EXPECT_EQ(Names(*m_doc), (std::vector<std::string>{"Lenny P.", "Alice"}));
}

// Overwrites a stored record's bytes behind the store's back, as a damaged file would hold them.
void DamageRecord(CEOID oid)
{
    std::string file = std::string(std::getenv("OWEBOOK_HOME")) + "/objectstore.db";
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    std::string sql = "UPDATE records SET props = x'FFFF01' WHERE oid = " + std::to_string(oid);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(sqlite3_changes(db), 1);
    sqlite3_close(db);
}

TEST_F(DocumentItems, AFailedWriteIsNotReportedAsSuccessAndAddsNoName)
{
    CEOID oid = Add(*m_doc, NewItem(u"Alice"));
    DamageRecord(oid);
    CItemRecord renamed = NewItem(u"Zoe");
    EXPECT_FALSE(m_doc->UpdateItem(oid, renamed));
    EXPECT_EQ(Names(*m_doc), (std::vector<std::string>{"Lenny P.", "Alice"}));

    // The damaged record is read as nothing, and the others still are.
    CItemRecord item = NewItem(u"untouched");
    EXPECT_FALSE(m_doc->ReadItem(oid, item));
    EXPECT_EQ(ItemIds(*m_doc).size(), 2u);
    End(m_doc);
    m_doc = Start();
    EXPECT_EQ(Names(*m_doc), (std::vector<std::string>{"Lenny P."}));
}

TEST_F(DocumentItems, DeleteRemovesOnlyThatItem)
{
    CEOID alice = Add(*m_doc, NewItem(u"Alice"));
    CEOID bob = Add(*m_doc, NewItem(u"Bob"));
    EXPECT_TRUE(m_doc->DeleteItem(alice));
    std::vector<CEOID> ids = ItemIds(*m_doc);
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(ids[1], bob);
    EXPECT_FALSE(m_doc->DeleteItem(alice));  // already gone
    EXPECT_EQ(m_doc->m_nItemCount, 3);        // deletions do not lower it

    // 0 means the current record: here the one just read.
    CItemRecord item;
    ASSERT_TRUE(m_doc->ReadItem(bob, item));
    EXPECT_TRUE(m_doc->DeleteItem(0));
    EXPECT_EQ(ItemIds(*m_doc).size(), 1u);
}

TEST_F(DocumentItems, TheItemCountStopsAtItsLimitInsteadOfWrapping)
{
    m_doc->m_nItemCount = 0xFFFE;
    Add(*m_doc, NewItem(u"Alice"));
    Add(*m_doc, NewItem(u"Bob"));
    EXPECT_EQ(m_doc->m_nItemCount, 0xFFFF);
}

// Copies a stored record until the database holds `total` records, in one
// write behind the store's back (65,536 durable writes would take minutes).
void CloneRecord(CEOID oid, int total)
{
    std::string file = std::string(std::getenv("OWEBOOK_HOME")) + "/objectstore.db";
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    std::string sql = "BEGIN;"
                      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                      std::to_string(total - 1) +
                      ") INSERT INTO records(oid, db, sortkey, props) "
                      "SELECT (SELECT value FROM meta WHERE key = 'next_oid') + i, db, sortkey, props "
                      "FROM records, n WHERE oid = " +
                      std::to_string(oid) + ";" +
                      "UPDATE meta SET value = value + " + std::to_string(total) + " WHERE key = 'next_oid';"
                      "COMMIT;";
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

TEST_F(DocumentItems, WithSixtyFiveThousandFiveHundredThirtySixItemsTheNamesAreStillBuilt)
{
    CEOID example = ItemIds(*m_doc).at(0);
    End(m_doc);
    CloneRecord(example, 65536);
    m_doc = Start();
    EXPECT_EQ(m_doc->m_dbItems.GetRecordCount(), 65536u);
    EXPECT_EQ(m_doc->m_nItemCount, 0xFFFF);  // the low 16 bits would be 0
    EXPECT_EQ(Names(*m_doc), (std::vector<std::string>{"Lenny P."}));
}

TEST_F(DocumentItems, AddingToAnUnopenedDatabaseFails)
{
    m_doc->m_dbItems.Close();
    CItemRecord item = NewItem(u"Alice");
    CEOID oid = 77;
    EXPECT_FALSE(m_doc->AddItem(item, oid));
    EXPECT_EQ(oid, 0u);
    EXPECT_EQ(Names(*m_doc), (std::vector<std::string>{"Lenny P."}));
    EXPECT_FALSE(m_doc->UpdateItem(1, item));
    EXPECT_FALSE(m_doc->DeleteItem(0));
}

}  // namespace
