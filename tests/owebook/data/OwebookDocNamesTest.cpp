#include "DocumentTestEnv.h"

#include <gtest/gtest.h>

namespace {

class DocumentNames : public DocumentTest {
protected:
    DocumentNames() : m_doc(Start()) {}
    std::unique_ptr<CRecordingDoc> m_doc;
};

TEST_F(DocumentNames, KeepDistinctNonEmptyNamesInTheOrderFirstSeen)
{
    for (LPCWSTR name : {u"Bob", u"", u"Alice", u"Bob", u"bob", u"Alice ", u"Lenny P."})
        m_doc->AddName(name);
    m_doc->AddName(nullptr);
    EXPECT_EQ(Names(*m_doc), (std::vector<std::string>{"Lenny P.", "Bob", "Alice", "bob", "Alice "}));
}

TEST_F(DocumentNames, AddingAndRenamingItemsAddNamesButNeverRemoveThem)
{
    CEOID oid = Add(*m_doc, NewItem(u"Alice"));
    Add(*m_doc, NewItem(u""));
    CItemRecord renamed = NewItem(u"Alicia");
    EXPECT_TRUE(m_doc->UpdateItem(oid, renamed));
    EXPECT_TRUE(m_doc->UpdateItem(oid, renamed));  // same name again: nothing new
    EXPECT_EQ(Names(*m_doc), (std::vector<std::string>{"Lenny P.", "Alice", "Alicia"}));

    // At the next start the list is built from what is stored.
    End(m_doc);
    m_doc = Start();
    EXPECT_EQ(Names(*m_doc), (std::vector<std::string>{"Lenny P.", "Alicia"}));
}

TEST_F(DocumentNames, BuiltFromEveryStoredItemOnlyWhenTheCountSaysThereAreAny)
{
    for (LPCWSTR name : {u"Carol", u"Alice", u"Carol"})
        Add(*m_doc, NewItem(name));
    End(m_doc);
    m_doc = Start();
    EXPECT_EQ(Names(*m_doc), (std::vector<std::string>{"Lenny P.", "Carol", "Alice"}));

    CRecordingDoc other;
    other.m_dbItems.Open(ITEMS_DATABASE);
    other.m_nItemCount = 0;
    other.BuildNameList();
    EXPECT_TRUE(other.GetNames().empty());
    other.m_nItemCount = 1;
    other.BuildNameList();
    EXPECT_EQ(Names(other), (std::vector<std::string>{"Lenny P.", "Carol", "Alice"}));
}

}  // namespace
