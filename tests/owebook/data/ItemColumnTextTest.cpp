#include "owebook/data/ItemRecord.h"

#include "LedgerTestEnv.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using ItemColumnText = LedgerTest;

std::vector<std::string> Columns(const CItemRecord& item)
{
    std::vector<std::string> texts;
    for (int column = 0; column < ITEMFIELD_COUNT; ++column) {
        CString text(u"unset");
        EXPECT_TRUE(item.GetColumnText(column, text)) << column;
        texts.push_back(Utf8(text));
    }
    return texts;
}

TEST_F(ItemColumnText, ANewItemShowsDefaultsAndAFilledOneItsFields)
{
    CItemRecord item;
    item.SetDefaults();
    EXPECT_EQ(Columns(item), (std::vector<std::string>{"IOU", "Category", "", "No", "None", "1", ""}));

    item.SetType(ITEM_UOME);
    item.SetName(u"Lenny P.");
    item.SetAmount(12.50);
    item.SetDescription(u"Tickets");
    item.SetReturned(TRUE);
    item.SetDueDate(1720000000);  // 2024-07-03 11:46:40 in Berlin
    EXPECT_EQ(Columns(item), (std::vector<std::string>{"UOMe", "Category", "Lenny P.", "Yes",
                                                       "7/3/2024 11:46:40 AM", "12.5", "Tickets"}));
}

TEST_F(ItemColumnText, EveryTypeButIouShowsUome)
{
    for (SHORT type : {SHORT(1), SHORT(2), SHORT(0), SHORT(-1), SHORT(257)}) {
        CItemRecord item;
        item.SetType(type);
        CString text;
        EXPECT_TRUE(item.GetColumnText(ITEMFIELD_TYPE, text));
        EXPECT_EQ(Utf8(text), type == 1 ? "IOU" : "UOMe") << type;
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

TEST_F(ItemColumnText, TheEndsOfTheDateRangeShow)
{
    CItemRecord item;
    item.SetDefaults();
    CString text;
    item.SetDueDate(0xFFFFFFFFu);
    item.GetColumnText(ITEMFIELD_DUE, text);
    EXPECT_EQ(Utf8(text), "2/7/2106 7:28:15 AM");
    item.SetDueDate(1);
    item.GetColumnText(ITEMFIELD_DUE, text);
    EXPECT_EQ(Utf8(text), "1/1/1970 1:00:01 AM");
}

}  // namespace
