#include "DocumentTestEnv.h"

#include <gtest/gtest.h>

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
