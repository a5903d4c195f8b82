#include "DeviceFolder.h"

#include "platform/store/CCeDBDatabase.h"
#include "platform/store/CCeDBTransaction.h"

#include <sqlite3.h>

namespace {

class CCeDBTransactionTest : public ::testing::Test {
protected:
    // Creates the database with one record; TRUE when both were written.
    static BOOL Write(LPCWSTR name)
    {
        CCeDBDatabase db;
        CCeDBRecord record;
        record.AddProp(CCeDBProp(name, 101));
        return db.Create(name, 7) && db.Open(name) && db.AddRecord(&record) != 0;
    }
    static bool Kept(LPCWSTR name)
    {
        DeviceFolder::Reopen();  // what another process, or the next start, sees
        CCeDBDatabase db;
        return db.Open(name) && db.GetRecordCount() == 1;
    }

    DeviceFolder m_device;
};

TEST_F(CCeDBTransactionTest, KeepsWhatWasWrittenOnlyWhenCommitted)
{
    {
        CCeDBTransaction txn;
        ASSERT_TRUE(txn.IsOpen());
        ASSERT_TRUE(Write(u"Committed"));
        EXPECT_TRUE(txn.Commit());
        EXPECT_FALSE(txn.IsOpen());
    }
    {
        CCeDBTransaction txn;
        ASSERT_TRUE(Write(u"RolledBack"));
        EXPECT_TRUE(CCeDBDatabase::Exists(u"RolledBack")) << "seen inside before it ends";
        txn.Rollback();
        EXPECT_FALSE(txn.Commit());
    }
    {
        CCeDBTransaction txn;
        ASSERT_TRUE(Write(u"Abandoned"));
    }
    EXPECT_TRUE(Kept(u"Committed"));
    EXPECT_FALSE(Kept(u"RolledBack"));
    EXPECT_FALSE(Kept(u"Abandoned"));
    EXPECT_TRUE(Write(u"Afterwards")) << "writes commit on their own again";
    EXPECT_TRUE(Kept(u"Afterwards"));
}

TEST_F(CCeDBTransactionTest, AJoinedOneLeavesTheDecisionToTheOutermost)
{
    {
        CCeDBTransaction outer;
        {
            CCeDBTransaction inner;
            ASSERT_TRUE(Write(u"Inner"));
            EXPECT_TRUE(inner.Commit());
        }
        EXPECT_TRUE(CCeDBDatabase::Exists(u"Inner"));
        EXPECT_TRUE(outer.Commit());
    }
    EXPECT_TRUE(Kept(u"Inner"));

    CCeDBTransaction outer;
    ASSERT_TRUE(Write(u"Before"));
    {
        CCeDBTransaction inner;
        ASSERT_TRUE(Write(u"Given up"));
        inner.Rollback();
    }
    EXPECT_FALSE(outer.Commit()) << "a joined one gave up";
    EXPECT_FALSE(Kept(u"Before"));
    EXPECT_FALSE(Kept(u"Given up"));
}

// SQLite ends a transaction by itself on some failures (a full disk, an I/O
// error); the writes after that must not be kept one by one.
TEST_F(CCeDBTransactionTest, WritesAfterTheStoreGaveTheTransactionUpAreNotKept)
{
    CCeDBTransaction txn;
    ASSERT_TRUE(Write(u"First"));
    ASSERT_EQ(sqlite3_exec(platform::Store::ForDevice()->Handle(), "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_FALSE(txn.IsOpen());
    EXPECT_FALSE(Write(u"Second"));
    EXPECT_FALSE(txn.Commit());
    EXPECT_FALSE(Kept(u"First"));
    EXPECT_FALSE(Kept(u"Second"));
    EXPECT_TRUE(Write(u"Third")) << "once it has ended, writes commit again";
    EXPECT_TRUE(Kept(u"Third"));
}

}  // namespace
