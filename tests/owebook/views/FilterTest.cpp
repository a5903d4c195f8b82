// The column layouts of the modes in "OwebookFilter": the records of a first
// start, layouts kept across mode switches and restarts, the widths of the
// mode shown at the end lost, and damaged records read without harm.

#include "ViewTestEnv.h"

#include "platform/store/CCeDBDatabase.h"

namespace {

using Strings = std::vector<std::string>;
using Widths = std::vector<int>;

Widths StoredWidths(int mode)
{
    CCeDBDatabase db;
    EXPECT_TRUE(db.Open(FILTER_DATABASE));
    EXPECT_TRUE(db.SeekToIndex(static_cast<DWORD>(mode)));
    CFilterRecord record;
    EXPECT_TRUE(db.ReadCurrRecord(&record));
    SHORT widths[FILTER_FIELDS];
    record.GetWidths(widths);
    return Widths(widths, widths + FILTER_FIELDS);
}

}  // namespace

TEST(FilterRecordTest, DefaultsWidthsAndShownFields)
{
    CFilterRecord record;
    SHORT widths[FILTER_FIELDS] = {1, 1, 1, 1, 1, 1, 1};
    record.GetWidths(widths);
    EXPECT_EQ(Widths(widths, widths + FILTER_FIELDS), Widths(7, 0)) << "no value: no columns";
    record.SetDefaults();
    EXPECT_TRUE(record.GetReserved1());
    EXPECT_EQ(record.GetMode(), 0);
    EXPECT_TRUE(record.GetReserved2());
    EXPECT_EQ(record.GetReserved3(), CString());
    const SHORT layout[FILTER_FIELDS] = {57, 0, -3, 0, 300, 1, 0};
    record.SetWidths(layout);
    const CEBLOB blob = record.GetPropFromID(FILTERPROP_WIDTHS)->GetBlob();
    ASSERT_EQ(blob.dwCount, 14u);
    EXPECT_EQ(blob.lpb[0], 57);
    EXPECT_EQ(blob.lpb[8], 300 & 0xFF);
    EXPECT_EQ(blob.lpb[9], 300 >> 8) << "little-endian";
    const BOOL shown[FILTER_FIELDS] = {TRUE, FALSE, FALSE, FALSE, TRUE, TRUE, FALSE};
    for (int f = 0; f < FILTER_FIELDS; ++f)
        EXPECT_EQ(record.IsFieldShown(f), shown[f]) << f;
    EXPECT_FALSE(record.IsFieldShown(7));
    EXPECT_FALSE(record.IsFieldShown(-1));

    // A short blob: the fields it does not reach are 0.
    const BYTE shortBlob[3] = {40, 0, 9};
    record.GetPropFromID(FILTERPROP_WIDTHS)->SetBlob(shortBlob, 3);
    record.GetWidths(widths);
    EXPECT_EQ(Widths(widths, widths + FILTER_FIELDS), (Widths{40, 0, 0, 0, 0, 0, 0}));
}

TEST_F(ViewTest, FirstStartWritesOneLayoutPerMode)
{
    Start();
    const Widths expected[MODE_COUNT] = {
        {57, 57, 57, 0, 0, 57, 0}, {0, 57, 57, 0, 57, 57, 0}, {0, 57, 57, 0, 57, 57, 0}, {46, 46, 46, 0, 46, 46, 0}};
    CCeDBDatabase db;
    ASSERT_TRUE(db.Open(FILTER_DATABASE));
    EXPECT_EQ(db.GetDatabaseType(), FILTER_DATABASE_TYPE);
    EXPECT_EQ(db.GetRecordCount(), 4u);
    for (int mode = 0; mode < MODE_COUNT; ++mode) {
        SCOPED_TRACE(mode);
        ASSERT_TRUE(db.SeekToIndex(static_cast<DWORD>(mode)));
        CFilterRecord record;
        ASSERT_TRUE(db.ReadCurrRecord(&record));
        EXPECT_EQ(record.GetMode(), mode);
        EXPECT_TRUE(record.GetReserved1());
        EXPECT_TRUE(record.GetReserved2());
        if (mode != MODE_ALL_ITEMS) {   // All Items' widths were written back at the first mode switch
            SHORT widths[FILTER_FIELDS];
            record.GetWidths(widths);
            EXPECT_EQ(Widths(widths, widths + FILTER_FIELDS), expected[mode]);
        }
    }
    const Strings headers[MODE_COUNT] = {
        {"Type", "Category", "Name", "Amount"},
        {"Category", "Name", "Due", "Amount"},
        {"Category", "Name", "Due", "Amount"},
        {"Type", "Category", "Name", "Due", "Amount"},
    };
    for (int mode = 0; mode < MODE_COUNT; ++mode) {
        View()->SwitchMode(mode);
        EXPECT_EQ(Headers(), headers[mode]) << mode;
    }
}

TEST_F(ViewTest, LayoutsPersistAcrossModeSwitchesAndRestartsButNotTheLastShown)
{
    Start();
    View()->SwitchMode(MODE_WHAT_I_OWE);
    ASSERT_EQ(Headers()[1], "Name");
    List().SetColumnWidth(1, 80);
    View()->SwitchMode(MODE_ALL_ITEMS);
    View()->SwitchMode(MODE_WHAT_I_OWE);
    EXPECT_EQ(List().GetColumnWidth(1), 80);
    View()->SwitchMode(MODE_ALL_ITEMS);
    EXPECT_EQ(StoredWidths(MODE_WHAT_I_OWE)[ITEMFIELD_NAME], 80);

    // Widened in the mode shown at the end: lost.
    List().SetColumnWidth(0, 90);
    Stop();
    ViewScript::HomeMode() = MODE_WHAT_I_OWE;
    Start();
    EXPECT_EQ(List().GetColumnWidth(1), 80) << "kept from the earlier run";
    View()->SwitchMode(MODE_ALL_ITEMS);
    EXPECT_EQ(List().GetColumnWidth(0), 57);
}

TEST_F(ViewTest, AnEarlierRunsFilterDatabaseIsUsedAsItIs)
{
    {
        CCeDBDatabase db;
        ASSERT_TRUE(db.Create(FILTER_DATABASE, FILTER_DATABASE_TYPE));
        ASSERT_TRUE(db.Open(FILTER_DATABASE));
        const SHORT layouts[3][FILTER_FIELDS] = {{30, 0, 70, 0, 0, 40, 60}, {0, 0, 90, 0, 0, 0, 0}, {}};
        for (int mode = 0; mode < 3; ++mode) {
            CFilterRecord record;
            record.SetDefaults();
            record.SetMode(static_cast<SHORT>(mode));
            record.SetWidths(layouts[mode]);
            db.AddRecord(&record);
        }
        // Mode 2's record lacks its widths; mode 3 has no record.
        CFilterRecord shortRecord;
        shortRecord.SetMode(2);
        ASSERT_TRUE(db.SeekToIndex(2));
        db.DeleteCurrRecord();
        db.AddRecord(&shortRecord);
        TestDevice::Restart();
    }
    Start();
    EXPECT_EQ(Headers(), (Strings{"Type", "Name", "Amount", "Description"}));
    View()->SwitchMode(MODE_WHAT_I_OWE);
    EXPECT_EQ(Headers(), (Strings{"Name"}));
    Add({.name = u"x", .type = ITEM_UOME});
    // Without widths the mode shows no columns; without a record it keeps the one last read.
    View()->SwitchMode(MODE_OWED_TO_ME);
    EXPECT_EQ(Headers(), Strings{});
    EXPECT_EQ(List().GetItemCount(), 1);
    View()->SwitchMode(MODE_WHATS_DUE);
    EXPECT_EQ(Headers(), Strings{});
    View()->SwitchMode(MODE_ALL_ITEMS);
    EXPECT_EQ(Headers(), (Strings{"Type", "Name", "Amount", "Description"}));
    // Its one column is the last, which fills the list: only that width changed.
    const Widths stored = StoredWidths(MODE_WHAT_I_OWE);
    EXPECT_EQ(stored, (Widths{0, 0, stored[ITEMFIELD_NAME], 0, 0, 0, 0}));
    EXPECT_GT(stored[ITEMFIELD_NAME], 90);
}
