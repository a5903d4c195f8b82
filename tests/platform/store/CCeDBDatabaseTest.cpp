#include "DeviceFolder.h"

#include "platform/store/CCeDBDatabase.h"

#include <sys/stat.h>

namespace {

class CCeDBDatabaseTest : public ::testing::Test {
protected:
    DeviceFolder m_device;
};

SORTORDERSPEC NameOrder()
{
    return SORTORDERSPEC{MAKEPROP(101, CEVT_LPWSTR), 0};
}

TEST_F(CCeDBDatabaseTest, CreateThenExistsOpenCloseDelete)
{
    EXPECT_FALSE(CCeDBDatabase::Exists(u"OwebookMain"));
    CCeDBDatabase db;
    EXPECT_FALSE(db.Open(u"OwebookMain"));
    ASSERT_TRUE(db.Create(u"OwebookMain", 101));
    EXPECT_FALSE(db.IsOpen());  // creating does not open
    EXPECT_TRUE(CCeDBDatabase::Exists(u"OwebookMain"));
    ASSERT_TRUE(db.Open(u"OwebookMain"));
    EXPECT_TRUE(db.IsOpen());
    EXPECT_NE(db.GetHandle(), nullptr);
    EXPECT_EQ(db.GetDatabaseType(), 101u);
    EXPECT_EQ(db.GetRecordCount(), 0u);
    db.Close();
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(db.GetHandle(), nullptr);
    DeviceFolder::Reopen();
    ASSERT_TRUE(db.Open(u"owebookmain"));
    EXPECT_EQ(db.GetDatabaseType(), 101u);
    EXPECT_TRUE(db.Delete());
    EXPECT_FALSE(db.IsOpen());
    EXPECT_FALSE(CCeDBDatabase::Exists(u"OwebookMain"));
}

TEST_F(CCeDBDatabaseTest, NamesMatchWithoutRegardToCase)
{
    ASSERT_TRUE(CCeDBDatabase().Create(u"OwebookFilter", 102));
    EXPECT_TRUE(CCeDBDatabase::Exists(u"owebookfilter"));
    EXPECT_FALSE(CCeDBDatabase().Create(u"OWEBOOKFILTER", 102));
    EXPECT_TRUE(CCeDBDatabase::DeleteDatabase(u"OwebookFILTER"));
    EXPECT_FALSE(CCeDBDatabase::Exists(u"OwebookFilter"));
    EXPECT_FALSE(CCeDBDatabase::DeleteDatabase(u"OwebookFilter"));
}

TEST_F(CCeDBDatabaseTest, KeepsOnlySortOrdersItCanAndOpensWithItsOwnOrNone)
{
    CCeDBDatabase db;
    SORTORDERSPEC two[2] = {NameOrder(), NameOrder()};
    SORTORDERSPEC descending{MAKEPROP(101, CEVT_LPWSTR), CEDB_SORT_DESCENDING};
    SORTORDERSPEC noCase{MAKEPROP(101, CEVT_LPWSTR), CEDB_SORT_CASEINSENSITIVE};
    SORTORDERSPEC unknownType{MAKEPROP(101, 64), 0};
    EXPECT_FALSE(db.Create(u"A", 1, 2, two));
    EXPECT_FALSE(db.Create(u"A", 1, 1, nullptr));
    EXPECT_FALSE(db.Create(u"A", 1, 1, &descending));
    EXPECT_FALSE(db.Create(u"A", 1, 1, &noCase));
    EXPECT_FALSE(db.Create(u"A", 1, 1, &unknownType));
    EXPECT_FALSE(db.Create(u"", 1));
    EXPECT_FALSE(db.Create(nullptr, 1));
    EXPECT_FALSE(CCeDBDatabase::Exists(u"A"));

    // A sorted database opens with its own order or none, never another.
    SORTORDERSPEC order = NameOrder();
    SORTORDERSPEC other{MAKEPROP(102, CEVT_BOOL), 0};
    ASSERT_TRUE(db.Create(u"OwebookCategories", 103, 1, &order));
    EXPECT_FALSE(db.Open(u"OwebookCategories", &other));
    EXPECT_TRUE(db.Open(u"OwebookCategories", &order));
    EXPECT_TRUE(db.Open(u"OwebookCategories"));
}

TEST_F(CCeDBDatabaseTest, DeletingADatabaseRemovesItsRecordsOnly)
{
    ASSERT_TRUE(CCeDBDatabase().Create(u"One"));
    ASSERT_TRUE(CCeDBDatabase().Create(u"Two"));
    CCeDBDatabase one, two;
    ASSERT_TRUE(one.Open(u"One"));
    ASSERT_TRUE(two.Open(u"Two"));
    CCeDBRecord rec;
    rec.AddProp(CCeDBProp(1, 101));
    ASSERT_NE(one.AddRecord(&rec), 0u);
    ASSERT_NE(two.AddRecord(&rec), 0u);
    EXPECT_TRUE(CCeDBDatabase::DeleteDatabase(u"One"));
    EXPECT_EQ(two.GetRecordCount(), 1u);
    // An object still bound to the deleted database finds nothing and writes nothing.
    EXPECT_EQ(one.SeekFirst(), 0u);
    EXPECT_EQ(one.AddRecord(&rec), 0u);
    ASSERT_TRUE(CCeDBDatabase().Create(u"One"));
    ASSERT_TRUE(one.Open(u"One"));
    EXPECT_EQ(one.GetRecordCount(), 0u);
}

TEST_F(CCeDBDatabaseTest, StoreFileIsPrivate)
{
    ASSERT_TRUE(CCeDBDatabase().Create(u"X"));
    struct stat folder {}, file {};
    ASSERT_EQ(stat(m_device.Home().c_str(), &folder), 0);
    ASSERT_EQ(stat(m_device.StoreFile().c_str(), &file), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);
    EXPECT_EQ(file.st_mode & 0777, 0600u);
    for (const char* companion : {"-wal", "-shm"}) {
        struct stat log {};
        ASSERT_EQ(stat((m_device.StoreFile() + companion).c_str(), &log), 0) << companion;
        EXPECT_EQ(log.st_mode & 0777, 0600u) << companion;
    }
}

TEST_F(CCeDBDatabaseTest, ClosedDatabaseAnswersEveryCallWithFailure)
{
    CCeDBDatabase db;
    CCeDBRecord rec;
    rec.AddProp(CCeDBProp(1, 101));
    CCeDBProp value(1, 101);
    EXPECT_EQ(db.GetRecordCount(), 0u);
    EXPECT_EQ(db.SeekFirst(), 0u);
    EXPECT_EQ(db.SeekNext(), 0u);
    EXPECT_FALSE(db.SeekToRecord(1));
    EXPECT_FALSE(db.SeekToIndex(0));
    EXPECT_EQ(db.SeekFirstEqual(value), 0u);
    EXPECT_FALSE(db.ReadCurrRecord(&rec));
    EXPECT_EQ(db.AddRecord(&rec), 0u);
    EXPECT_FALSE(db.WriteCurrRecord(&rec));
    EXPECT_FALSE(db.DeleteCurrRecord());
    EXPECT_FALSE(db.Delete());
    EXPECT_FALSE(CeDeleteRecord(db.GetHandle(), 1));
}

}  // namespace
