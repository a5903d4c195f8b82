#include "DeviceFolder.h"

#include "platform/store/CCeDBDatabase.h"

#include <algorithm>
#include <set>
#include <type_traits>
#include <vector>

namespace {

constexpr CEPROPID kNameProp = MAKEPROP(101, CEVT_LPWSTR);

class SeekOrderTest : public ::testing::Test {
protected:
    DeviceFolder m_device;

    static CCeDBRecord Named(std::u16string name)
    {
        CCeDBRecord rec;
        rec.AddProp(CCeDBProp(CCeDBProp::Type_String, 101));
        rec[0]->SetString(name.data(), static_cast<int>(name.size()));
        rec.AddProp(CCeDBProp(true, 102));
        return rec;
    }

    // Names in the order SeekFirst/SeekNext yields them.
    static std::vector<std::u16string> Names(CCeDBDatabase& db)
    {
        std::vector<std::u16string> names;
        CCeDBRecord rec;
        rec.AddProp(CCeDBProp(CCeDBProp::Type_String, 101));
        for (CEOID oid = db.SeekFirst(); oid; oid = db.SeekNext()) {
            EXPECT_TRUE(db.ReadCurrRecord(&rec));
            names.emplace_back(rec[0]->GetString(), rec[0]->GetStringLength());
        }
        return names;
    }

    void OpenSorted(CCeDBDatabase& db, DWORD flags = 0)
    {
        SORTORDERSPEC order{kNameProp, flags};
        ASSERT_TRUE(db.Create(u"Sorted", 103, 1, &order));
        ASSERT_TRUE(db.Open(u"Sorted", &order));
    }
};

TEST_F(SeekOrderTest, UnsortedYieldsRecordsInTheOrderFirstWrittenAlsoAfterReopening)
{
    CCeDBDatabase db;
    ASSERT_TRUE(db.Create(u"Plain"));
    ASSERT_TRUE(db.Open(u"Plain"));
    std::vector<std::u16string> written = {u"c", u"a", u"b", u"d"};
    for (const auto& name : written) {
        CCeDBRecord rec = Named(name);
        ASSERT_NE(db.AddRecord(&rec), 0u);
    }
    // Writing over a record does not move it.
    ASSERT_TRUE(db.SeekToIndex(1));
    CCeDBRecord renamed = Named(u"a2");
    ASSERT_TRUE(db.WriteCurrRecord(&renamed));
    written[1] = u"a2";
    EXPECT_EQ(Names(db), written);
    db.Close();
    DeviceFolder::Reopen();
    ASSERT_TRUE(db.Open(u"Plain"));
    EXPECT_EQ(Names(db), written);
}

TEST_F(SeekOrderTest, SortedStringsAscendByCodeUnitCaseSensitively)
{
    CCeDBDatabase db;
    OpenSorted(db);
    // Code unit order: upper case before lower case, a shorter prefix first,
    // U+00E9 after 'z', a surrogate (U+D83D) before U+FF21.
    std::vector<std::u16string> names = {u"b", u"\uFF21", u"a", u"\u00E9", u"B", u"ab", u"\U0001F600", u"A", u"z",
                                         std::u16string(u"a\0", 2)};
    for (const auto& name : names) {
        CCeDBRecord rec = Named(name);
        ASSERT_NE(db.AddRecord(&rec), 0u);
    }
    std::vector<std::u16string> expected = names;
    std::sort(expected.begin(), expected.end());  // std::u16string compares code units
    EXPECT_EQ(Names(db), expected);
    EXPECT_EQ(expected.front(), u"A");
    EXPECT_EQ(expected.back(), u"\uFF21");
}

// Writes `values` into a database sorted on property 5 of their type and
// returns them in the order the database yields them.
template <typename T>
std::vector<T> SortedBack(const char16_t* name, CCeDBProp::Type type, std::vector<T> values)
{
    CCeDBDatabase db;
    SORTORDERSPEC order{MAKEPROP(5, static_cast<WORD>(type)), 0};
    EXPECT_TRUE(db.Create(name, 0, 1, &order));
    EXPECT_TRUE(db.Open(name, &order));
    for (T v : values) {
        CCeDBRecord rec;
        rec.AddProp(CCeDBProp(v, 5));
        EXPECT_NE(db.AddRecord(&rec), 0u);
    }
    std::vector<T> seen;
    CCeDBRecord rec;
    rec.AddProp(CCeDBProp(type, 5));
    for (CEOID oid = db.SeekFirst(); oid; oid = db.SeekNext())
        if (db.ReadCurrRecord(&rec))
            seen.push_back(std::is_same_v<T, double> ? rec[0]->GetDouble() : rec[0]->GetLong());
    return seen;
}

TEST_F(SeekOrderTest, SortedNumbersAscendBySignedValue)
{
    EXPECT_EQ(SortedBack<LONG>(u"L", CCeDBProp::Type_Long, {5, -16, 0, 2147483647, -2147483647 - 1, -2}),
              (std::vector<LONG>{-2147483647 - 1, -16, -2, 0, 5, 2147483647}));
    EXPECT_EQ(SortedBack<double>(u"D", CCeDBProp::Type_Double, {1.5, -0.25, 0.0, -1e300, 1e-300, -3.0}),
              (std::vector<double>{-1e300, -3.0, -0.25, 0.0, 1e-300, 1.5}));
}

TEST_F(SeekOrderTest, RecordsLackingTheSortPropertyGoLastUnlessAskedFirst)
{
    for (DWORD flags : {DWORD{0}, CEDB_SORT_UNKNOWNFIRST}) {
        SCOPED_TRACE(flags);
        CCeDBDatabase::DeleteDatabase(u"Sorted");
        CCeDBDatabase db;
        OpenSorted(db, flags);
        CCeDBRecord nameless;
        nameless.AddProp(CCeDBProp(true, 102));
        CCeDBRecord wrongType;
        wrongType.AddProp(CCeDBProp(7, 101));  // same id, not a string
        CCeDBRecord b = Named(u"b"), a = Named(u"a");
        CEOID first = db.AddRecord(&nameless);
        db.AddRecord(&b);
        CEOID second = db.AddRecord(&wrongType);
        db.AddRecord(&a);
        std::vector<CEOID> order;
        for (CEOID oid = db.SeekFirst(); oid; oid = db.SeekNext())
            order.push_back(oid);
        ASSERT_EQ(order.size(), 4u);
        std::vector<CEOID> lacking = flags ? std::vector<CEOID>{order[0], order[1]}
                                           : std::vector<CEOID>{order[2], order[3]};
        EXPECT_EQ(lacking, (std::vector<CEOID>{first, second}));
    }
}

TEST_F(SeekOrderTest, SeekFirstEqualAndNextEqualWalkTheEqualRecords)
{
    CCeDBDatabase db;
    OpenSorted(db);
    CCeDBRecord a = Named(u"Loans"), b = Named(u"CDs"), c = Named(u"Loans"), d = Named(u"loans");
    CEOID loans1 = db.AddRecord(&a);
    db.AddRecord(&b);
    CEOID loans2 = db.AddRecord(&c);
    db.AddRecord(&d);
    CCeDBProp value(u"Loans", 101);
    EXPECT_EQ(db.SeekFirstEqual(value), loans1);
    EXPECT_EQ(db.SeekNextEqual(value), loans2);
    EXPECT_EQ(db.SeekNextEqual(value), 0u);  // "loans" differs in case
    CCeDBRecord rec = Named(u"");
    EXPECT_FALSE(db.ReadCurrRecord(&rec));  // a failed seek leaves no current record
    EXPECT_EQ(db.SeekFirstEqual(CCeDBProp(u"Books", 101)), 0u);
    EXPECT_EQ(db.SeekFirstEqual(CCeDBProp(u"Loans ", 101)), 0u);
}

TEST_F(SeekOrderTest, OpenedWithoutItsOrderASortedDatabaseYieldsWriteOrderAndNoValueSeek)
{
    CCeDBDatabase db;
    OpenSorted(db);
    for (const char16_t* name : {u"c", u"7", u"b"}) {
        CCeDBRecord rec = Named(name);
        ASSERT_NE(db.AddRecord(&rec), 0u);
    }
    // A number with the name's identifier, or no value at all, names no record.
    EXPECT_EQ(db.SeekFirstEqual(CCeDBProp(7, 101)), 0u);
    EXPECT_EQ(db.SeekFirstEqual(CCeDBProp(CCeDBProp::Type_String, 101)), 0u);
    db.Close();
    ASSERT_TRUE(db.Open(u"Sorted"));
    EXPECT_EQ(db.SeekNext(), 0u);  // no seek yet: nothing is current
    CCeDBRecord rec = Named(u"");
    EXPECT_FALSE(db.ReadCurrRecord(&rec));
    EXPECT_EQ(db.SeekFirstEqual(CCeDBProp(u"7", 101)), 0u);
    EXPECT_EQ(Names(db), (std::vector<std::u16string>{u"c", u"7", u"b"}));
}

TEST_F(SeekOrderTest, EqualKeysKeepWriteOrderAcrossFetches)
{
    CCeDBDatabase db;
    OpenSorted(db);
    std::vector<std::pair<std::u16string, CEOID>> written;
    for (int i = 0; i < 300; ++i) {
        std::u16string name = i % 3 == 0 ? u"b" : i % 3 == 1 ? u"a" : u"c";
        CCeDBRecord rec = Named(name);
        written.emplace_back(name, db.AddRecord(&rec));
    }
    std::stable_sort(written.begin(), written.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<CEOID> expected, seen, equal;
    for (const auto& entry : written)
        expected.push_back(entry.second);
    for (CEOID oid = db.SeekFirst(); oid; oid = db.SeekNext())
        seen.push_back(oid);
    EXPECT_EQ(seen, expected);
    CCeDBProp b(u"b", 101);
    for (CEOID oid = db.SeekFirstEqual(b); oid; oid = db.SeekNextEqual(b))
        equal.push_back(oid);
    EXPECT_EQ(equal, std::vector<CEOID>(expected.begin() + 100, expected.begin() + 200));
}

TEST_F(SeekOrderTest, SeekToIndexAndToRecord)
{
    CCeDBDatabase db;
    OpenSorted(db);
    std::vector<CEOID> ids;
    for (const char16_t* name : {u"d", u"b", u"c", u"a"}) {
        CCeDBRecord rec = Named(name);
        ids.push_back(db.AddRecord(&rec));
    }
    CCeDBRecord rec = Named(u"");
    ASSERT_TRUE(db.SeekToIndex(2));
    ASSERT_TRUE(db.ReadCurrRecord(&rec));
    EXPECT_EQ(std::u16string(rec[0]->GetString()), u"c");
    EXPECT_EQ(db.SeekNext(), ids[0]);  // "d"
    EXPECT_EQ(db.SeekNext(), 0u);
    EXPECT_EQ(db.SeekNext(), 0u);
    EXPECT_FALSE(db.SeekToIndex(4));
    EXPECT_FALSE(db.ReadCurrRecord(&rec));

    ASSERT_TRUE(db.SeekToRecord(ids[1]));  // "b", then on in sort order
    EXPECT_EQ(db.GetCurrentRecordID(), ids[1]);
    EXPECT_EQ(db.SeekNext(), ids[2]);
    EXPECT_FALSE(db.SeekToRecord(0));
    EXPECT_FALSE(db.SeekToRecord(ids[3] + 1000));
    EXPECT_EQ(db.SeekNext(), 0u);
}

TEST_F(SeekOrderTest, ObjectIdsAreUniqueAcrossDatabasesAndNeverReused)
{
    CCeDBDatabase one, two;
    ASSERT_TRUE(one.Create(u"One"));
    ASSERT_TRUE(two.Create(u"Two"));
    ASSERT_TRUE(one.Open(u"One"));
    ASSERT_TRUE(two.Open(u"Two"));
    std::set<CEOID> seen;
    CCeDBRecord rec = Named(u"x");
    CEOID last = 0;
    for (int i = 0; i < 20; ++i) {
        CEOID oid = (i % 2 ? one : two).AddRecord(&rec);
        ASSERT_NE(oid, 0u);
        EXPECT_TRUE(seen.insert(oid).second);
        EXPECT_GT(oid, last);
        last = oid;
    }
    // Delete the newest record and its database, then write again: the
    // deleted ids stay unused, so a stale id can never name a new record.
    last = two.AddRecord(&rec);
    ASSERT_TRUE(CeDeleteRecord(two.GetHandle(), last));
    ASSERT_TRUE(two.Delete());
    DeviceFolder::Reopen();
    ASSERT_TRUE(one.Open(u"One"));
    CEOID fresh = one.AddRecord(&rec);
    EXPECT_GT(fresh, last);
    EXPECT_FALSE(one.SeekToRecord(last));
    // A record of another database is not reachable through this one.
    ASSERT_TRUE(two.Create(u"Two"));
    ASSERT_TRUE(two.Open(u"Two"));
    EXPECT_FALSE(two.SeekToRecord(fresh));
    EXPECT_FALSE(CeDeleteRecord(two.GetHandle(), fresh));
    EXPECT_EQ(one.GetRecordCount(), 11u);
}

TEST_F(SeekOrderTest, EnumerationSurvivesWritesAndDeletesOnTheWay)
{
    CCeDBDatabase db;
    ASSERT_TRUE(db.Create(u"Plain"));
    ASSERT_TRUE(db.Open(u"Plain"));
    std::vector<CEOID> ids;
    for (int i = 0; i < 100; ++i) {
        CCeDBRecord rec;
        rec.AddProp(CCeDBProp(static_cast<LONG>(i), 1));
        ids.push_back(db.AddRecord(&rec));
    }
    // Delete every record whose value is odd, while walking.
    std::vector<CEOID> visited;
    CCeDBRecord rec;
    rec.AddProp(CCeDBProp(CCeDBProp::Type_Long, 1));
    for (CEOID oid = db.SeekFirst(); oid; oid = db.SeekNext()) {
        visited.push_back(oid);
        ASSERT_TRUE(db.ReadCurrRecord(&rec));
        if (rec[0]->GetLong() % 2)
            ASSERT_TRUE(db.DeleteCurrRecord());
        else
            ASSERT_TRUE(db.WriteCurrRecord(&rec));
    }
    EXPECT_EQ(visited, ids);
    EXPECT_EQ(db.GetRecordCount(), 50u);
}

TEST_F(SeekOrderTest, AnotherObjectSeesWritesAtItsNextSeek)
{
    CCeDBDatabase reader, writer;
    ASSERT_TRUE(reader.Create(u"Plain"));
    ASSERT_TRUE(reader.Open(u"Plain"));
    ASSERT_TRUE(writer.Open(u"Plain"));
    CCeDBRecord rec = Named(u"first");
    CEOID first = writer.AddRecord(&rec);
    ASSERT_EQ(reader.SeekFirst(), first);
    rec = Named(u"second");
    CEOID second = writer.AddRecord(&rec);
    EXPECT_EQ(reader.SeekNext(), second);
    // The reader's current record changed under it: it reads the new value.
    rec = Named(u"changed");
    ASSERT_TRUE(writer.SeekToRecord(second));
    ASSERT_TRUE(writer.WriteCurrRecord(&rec));
    CCeDBRecord read = Named(u"");
    ASSERT_TRUE(reader.ReadCurrRecord(&read));
    EXPECT_EQ(std::u16string(read[0]->GetString()), u"changed");
    ASSERT_TRUE(writer.DeleteCurrRecord());
    EXPECT_FALSE(reader.ReadCurrRecord(&read));
    EXPECT_FALSE(reader.WriteCurrRecord(&read));
}

}  // namespace
