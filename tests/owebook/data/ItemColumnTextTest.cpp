#include "owebook/data/ItemRecord.h"

#include "LedgerTestEnv.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ItemColumnText : public LedgerTest {
protected:
    static std::vector<std::string> Columns(const CItemRecord& item)
    {
        std::vector<std::string> texts;
        for (int column = 0; column < ITEMFIELD_COUNT; ++column) {
            CString text(u"unset");
            EXPECT_TRUE(item.GetColumnText(column, text)) << column;
            texts.push_back(Utf8(text));
        }
        return texts;
    }
};

TEST_F(ItemColumnText, ANewItemShowsDefaultsWithNoDueDate)
{
    CItemRecord item;
    item.SetDefaults();
    std::vector<std::string> expected = {"IOU", "Category", "", "No", "None", "1", ""};
    EXPECT_EQ(Columns(item), expected);
}

TEST_F(ItemColumnText, AFilledItemShowsItsFields)
{
    CItemRecord item;
    item.SetDefaults();
    item.SetType(ITEM_UOME);
    item.SetName(u"Lenny P.");
    item.SetAmount(12.50);
    item.SetDescription(u"Tickets");
    item.SetReturned(TRUE);
    item.SetDueDate(1720000000);  // 2024-07-03 11:46:40 in Berlin
    std::vector<std::string> expected = {"UOMe", "Category", "Lenny P.", "Yes", "7/3/2024 11:46:40 AM", "12.5",
                                         "Tickets"};
    EXPECT_EQ(Columns(item), expected);
}

TEST_F(ItemColumnText, EveryTypeButIouShowsUome)
{
    const struct {
        SHORT type;
        const char* shown;
    } cases[] = {{1, "IOU"}, {2, "UOMe"}, {0, "UOMe"}, {3, "UOMe"}, {-1, "UOMe"}, {257, "UOMe"}};
    for (const auto& c : cases) {
        CItemRecord item;
        item.SetType(c.type);
        CString text;
        EXPECT_TRUE(item.GetColumnText(ITEMFIELD_TYPE, text));
        EXPECT_EQ(Utf8(text), c.shown) << c.type;
    }
}

TEST_F(ItemColumnText, ColumnsOutsideTheSevenFieldsLeaveTheTextAlone)
{
    CItemRecord item;
    item.SetDefaults();
    for (int column : {7, -1, 100}) {
        CString text(u"kept");
        EXPECT_FALSE(item.GetColumnText(column, text)) << column;
        EXPECT_EQ(Utf8(text), "kept");
    }
}

TEST_F(ItemColumnText, DueDateZeroIsNoneAndTheLatestDateStillShows)
{
    CItemRecord item;
    item.SetDefaults();
    CString text;
    item.SetDueDate(0);
    item.GetColumnText(ITEMFIELD_DUE, text);
    EXPECT_EQ(Utf8(text), "None");
    item.SetDueDate(0xFFFFFFFFu);
    item.GetColumnText(ITEMFIELD_DUE, text);
    EXPECT_EQ(Utf8(text), "2/7/2106 7:28:15 AM");
    item.SetDueDate(1);
    item.GetColumnText(ITEMFIELD_DUE, text);
    EXPECT_EQ(Utf8(text), "1/1/1970 1:00:01 AM");
}

}  // namespace
