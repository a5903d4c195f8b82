// The real item editor run from the main view: what the user does in the
// sheet reaches the store and the list, and a cancel changes neither.

#include "ViewTestEnv.h"

#include "owebook/editor/EditorIds.h"
#include "platform/testing/ScriptedUser.h"

#include <algorithm>

using platform::testing::ScriptedUser;

namespace {

static_assert(ITEM_SHEET_OK == EDITOR_OK && ITEM_SHEET_DELETE == EDITOR_DELETE,
              "the view passes the sheet's results on unchanged");

class ItemEditorViewTest : public ViewTest {
protected:
    std::vector<std::string> StoredNames() const
    {
        std::vector<std::string> names;
        CItemRecord item;
        for (CEOID id = Doc()->ReadFirstItem(item); id != 0; id = Doc()->ReadNextItem(item))
            names.push_back(Utf8(item.GetName()));
        std::sort(names.begin(), names.end());
        return names;
    }
    std::vector<std::string> Names() const
    {
        const auto headers = Headers();
        const auto name = std::find(headers.begin(), headers.end(), "Name");
        EXPECT_NE(name, headers.end());
        std::vector<std::string> names = Column(static_cast<int>(name - headers.begin()));
        std::sort(names.begin(), names.end());
        return names;
    }
    void Open(int row)
    {
        List().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        Command(IDC_VIEW_OPEN);
    }
};

TEST_F(ItemEditorViewTest, NewCommandAddsTheItemTypedInTheEditor)
{
    ASSERT_NE(Start(), nullptr);
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .TypeInto(IDC_GENERAL_NAME, u"Dave")
        .TypeInto(IDC_GENERAL_DESCRIPTION, u"Lunch")
        .TapOk();
    Command(ID_VIEW_NEW_ITEM);
    user.Verify();
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"Dave"}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Dave"}));
    EXPECT_TRUE(View()->m_bAutoRefresh) << "refills are allowed again after the editor";
}

TEST_F(ItemEditorViewTest, OpeningARowEditsThatItem)
{
    ASSERT_NE(Start(), nullptr);
    Add({.name = u"Alice"});
    Add({.name = u"Bob"});
    View()->RefillList();
    ASSERT_EQ(Names(), (std::vector<std::string>{"Alice", "Bob"}));
    const int row = Column(1)[0] == "Bob" ? 0 : 1;

    ScriptedUser user;
    CString shown;
    user.ExpectDialogCaption(u"Details").Read(IDC_GENERAL_NAME, shown).TypeInto(IDC_GENERAL_NAME, u"by").TapOk();
    Open(row);
    user.Verify();
    EXPECT_EQ(shown, CString(u"Bob")) << "the editor opens on the row's item";
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"Alice", "Bobby"}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Alice", "Bobby"}));
}

TEST_F(ItemEditorViewTest, DeleteInTheEditorRemovesTheItemAndItsRow)
{
    ASSERT_NE(Start(), nullptr);
    Add({.name = u"Alice"});
    Add({.name = u"Carol", .amount = 3.0});
    View()->RefillList();
    const int row = Column(1)[0] == "Carol" ? 0 : 1;

    ScriptedUser user;
    user.ExpectDialogCaption(u"Details").Tap(IDC_PAGE_DELETE);
    user.ExpectMessageBox(u"Delete Item?").Answer(IDOK);
    Open(row);
    user.Verify();
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"Alice"}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Alice"}));
}

// Whatever was typed, a cancelled editor leaves the store, the list and its
// totals as they were, for a new item and for an open one.
TEST_F(ItemEditorViewTest, CancelledEditorLeavesEverythingAsItWas)
{
    ASSERT_NE(Start(), nullptr);
    Add({.name = u"Alice", .amount = 2.5});
    View()->RefillList();
    const auto rows = Rows();
    const auto totals = Totals();

    ScriptedUser user;
    user.ExpectDialogCaption(u"Details").TypeInto(IDC_GENERAL_NAME, u"Eve").Tap(IDCANCEL);
    Command(ID_VIEW_NEW_ITEM);
    user.ExpectDialogCaption(u"Details").TypeInto(IDC_GENERAL_NAME, u"Mallory").PressKey(VK_ESCAPE);
    Open(0);
    user.Verify();
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"Alice"}));
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(Totals(), totals);
}

// A category added from the editor is offered by the view's selector at once,
// even when the item itself was cancelled.
TEST_F(ItemEditorViewTest, CategoriesEditedInTheEditorRefillTheSelector)
{
    ASSERT_NE(Start(), nullptr);
    ASSERT_LT(View()->m_comboCategory.FindStringExact(-1, u"Tools"), 0);
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .Do([](platform::testing::DialogDriver& d) {
            // The page puts the item's category back after the categories editor.
            platform::testing::PickEntry(d.Item(IDC_GENERAL_CATEGORY), u"Edit Categories...");
        })
        .Tap(IDCANCEL);
    user.ExpectDialog(IDD_CATEGORIES).TypeInto(IDC_CATEGORIES_NAME, u"Tools").Tap(IDC_CATEGORIES_ADD).TapOk();
    Command(ID_VIEW_NEW_ITEM);
    user.Verify();
    EXPECT_GE(View()->m_comboCategory.FindStringExact(-1, u"Tools"), 0);
    EXPECT_EQ(StoredNames(), std::vector<std::string>{});
}

}  // namespace
