// Pictures of the main window at 2x: each mode with a few items, the empty
// list, and a list sorted by a column with its mark. Written next to the test
// program (views_*.png) for a person to look at; the checks here are only
// that the window shows what it should in the places it should.

#include "ViewTestEnv.h"

#include "platform/testing/Screenshot.h"

#include <cstdlib>

namespace {

std::string PictureFile(const std::string& name)
{
    const char* dir = std::getenv("OWEBOOK_TEST_BIN_DIR");
    return std::string(dir ? dir : ".") + "/views_" + name + "@2x.png";
}

constexpr DWORD NOW = static_cast<DWORD>(TEST_NOW);

}  // namespace

TEST_F(ViewTest, PicturesOfEachModeTheEmptyListAndASortedColumn)
{
    Start();
    const HWND frame = Frame()->m_hWnd;
    {
        platform::testing::Screenshot empty(frame, 2);
        ASSERT_FALSE(empty.IsNull());
        EXPECT_EQ(empty.Width(), 480);
        EXPECT_TRUE(empty.SavePng(PictureFile("empty")));
    }
    Add({.name = u"Anna", .type = ITEM_IOU, .amount = 12.5, .category = Category(u"Loans"), .due = NOW - 86400});
    Add({.name = u"Ben", .type = ITEM_UOME, .amount = 40, .category = Category(u"Books"), .due = NOW + 86400});
    Add({.name = u"Cleo", .type = ITEM_UOME, .amount = 7.25, .category = CATEGORY_NONE, .due = NOW - 3600});
    Add({.name = u"Dave", .type = ITEM_IOU, .amount = 100, .category = Category(u"CDs")});
    const char* names[MODE_COUNT] = {"all_items", "what_i_owe", "owed_to_me", "whats_due"};
    for (int mode = 0; mode < MODE_COUNT; ++mode) {
        View()->SwitchMode(mode);
        platform::testing::Screenshot shot(frame, 2);
        EXPECT_GT(shot.DistinctColours(), 4);
        EXPECT_TRUE(shot.SavePng(PictureFile(names[mode])));
    }
    View()->SwitchMode(MODE_ALL_ITEMS);
    Pick(u"Loans");
    Pick(u"All Categories");
    List().SortItems(3, FALSE);   // Amount, descending
    platform::testing::Screenshot sorted(frame, 2);
    EXPECT_TRUE(sorted.SavePng(PictureFile("sorted_by_amount")));
}
