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

// Runs SQL on the store's file behind its back.
void Tamper(const std::string& sql)
{
    std::string file = std::string(std::getenv("OWEBOOK_HOME")) + "/objectstore.db";
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

TEST_F(DocumentItems, AddReadUpdateAndDeleteKeepTheWrittenOrder)
{
    std::vector<CEOID> ids = ItemIds(*m_doc);  // the example
    for (LPCWSTR name : {u"Alice", u"Bob", u"Carol"})
        ids.push_back(Add(*m_doc, NewItem(name)));
    EXPECT_EQ(ItemIds(*m_doc), ids);
    EXPECT_EQ(m_doc->m_nItemCount, 4);

    CItemRecord changed = NewItem(u"Bob");
    changed.SetAmount(std::numeric_limits<double>::infinity());
    changed.SetDueDate(0xFFFFFFFFu);
    EXPECT_TRUE(m_doc->UpdateItem(ids[2], changed));
    CItemRecord back;
    ASSERT_TRUE(m_doc->ReadItem(ids[2], back));
    EXPECT_TRUE(std::isinf(back.GetAmount()));
    DWORD due = 0;
    EXPECT_TRUE(back.GetDueDate(due));
    EXPECT_EQ(due, 0xFFFFFFFFu);
    EXPECT_FALSE(m_doc->ReadItem(0xFFFFFF, back));

    EXPECT_TRUE(m_doc->DeleteItem(ids[1]));
    EXPECT_FALSE(m_doc->DeleteItem(ids[1]));  // already gone
    EXPECT_EQ(ItemIds(*m_doc), (std::vector<CEOID>{ids[0], ids[2], ids[3]}));
    EXPECT_EQ(m_doc->m_nItemCount, 4);  // deletions do not lower it
    // 0 means the current record: here the one just read.
    ASSERT_TRUE(m_doc->ReadItem(ids[3], back));
    EXPECT_TRUE(m_doc->DeleteItem(0));
    EXPECT_EQ(ItemIds(*m_doc).size(), 2u);
}

// A failed write must not be reported as success, nor add its name.
TEST_F(DocumentItems, UpdateOfAGoneOrDamagedItemFailsAndAddsNoName)
{
    CEOID gone = Add(*m_doc, NewItem(u"Alice"));
    ASSERT_TRUE(m_doc->DeleteItem(gone));
    CEOID damaged = Add(*m_doc, NewItem(u"Bob"));
    Tamper("UPDATE records SET props = x'FFFF01' WHERE oid = " + std::to_string(damaged));

    CItemRecord zoe = NewItem(u"Zoe");
    EXPECT_FALSE(m_doc->UpdateItem(gone, zoe));
    EXPECT_FALSE(m_doc->UpdateItem(damaged, zoe));
    EXPECT_EQ(Names(*m_doc), (std::vector<std::string>{"Lenny P.", "Alice", "Bob"}));

    // The damaged record is read as nothing, and the others still are.
    CItemRecord item;
    EXPECT_FALSE(m_doc->ReadItem(damaged, item));
    EXPECT_EQ(ItemIds(*m_doc).size(), 2u);
    End(m_doc);
    m_doc = Start();
    EXPECT_EQ(Names(*m_doc), (std::vector<std::string>{"Lenny P."}));
}

TEST_F(DocumentItems, TheItemCountStopsAtItsLimitInsteadOfWrapping)
{
    m_doc->m_nItemCount = 0xFFFE;
    Add(*m_doc, NewItem(u"Alice"));
    Add(*m_doc, NewItem(u"Bob"));
    EXPECT_EQ(m_doc->m_nItemCount, 0xFFFF);

    // 65,536 stored records, copied in one write (that many durable writes would take minutes):
    // the low 16 bits would read 0 and leave the name list empty.
    CEOID example = ItemIds(*m_doc).at(0);
    End(m_doc);
    const std::string total = "65533";  // with the three above
    Tamper("BEGIN; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + total +
           ") INSERT INTO records(oid, db, sortkey, props) "
           "SELECT (SELECT value FROM meta WHERE key = 'next_oid') + i, db, sortkey, props "
           "FROM records, n WHERE oid = " + std::to_string(example) +
           "; UPDATE meta SET value = value + " + total + " + 1 WHERE key = 'next_oid'; COMMIT;");
    m_doc = Start();
    EXPECT_EQ(m_doc->m_dbItems.GetRecordCount(), 65536u);
    EXPECT_EQ(m_doc->m_nItemCount, 0xFFFF);
    EXPECT_EQ(Names(*m_doc), (std::vector<std::string>{"Lenny P.", "Alice", "Bob"}));
}

}  // namespace
