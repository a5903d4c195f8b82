// The main view with the real item editor: an item created, changed and
// deleted through the editor shows in the list and the totals at once; a
// new item left empty is not stored; categories changed from inside the
// editor refill the view's selector.

#include "ViewTestEnv.h"

#include "owebook/editor/EditorIds.h"
#include "platform/testing/ScriptedUser.h"

using platform::testing::DialogDriver;
using platform::testing::ScriptedUser;

namespace {

using Strings = std::vector<std::string>;

// Replaces the amount field's text as a user does: Select All, then typing.
void TypeAmount(DialogDriver& d, LPCWSTR text)
{
    d.Focus(IDC_GENERAL_AMOUNT);
    ::SendMessage(::GetParent(d.Item(IDC_PAGE_OK)), WM_COMMAND, ID_EDIT_SELECT_ALL_ITEM, 0);
    d.Type(text);
}

}  // namespace

TEST_F(ViewTest, TheEditorsChangesReachTheList)
{
    Start();
    View()->SwitchMode(MODE_ALL_ITEMS);

    // New.
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .TypeInto(IDC_GENERAL_NAME, u"Alice")
        .Do([](DialogDriver& d) { TypeAmount(d, u"12.5"); })
        .Tap(IDC_PAGE_OK);
    EXPECT_EQ(View()->NewItem(), EDITOR_OK);
    user.Verify();
    EXPECT_EQ(Column(2), (Strings{"Alice"}));

    // Changed.
    ScriptedUser change;
    change.ExpectDialogCaption(u"Details")
        .Check([](DialogDriver& d) { EXPECT_EQ(d.Text(IDC_GENERAL_NAME), CString(u"Alice")); })
        .Tap(IDC_GENERAL_UOME)
        .Do([](DialogDriver& d) { TypeAmount(d, u"20"); })
        .TapOk();
    View()->EditRow(0);
    change.Verify();
    EXPECT_EQ(Column(0), (Strings{"UOMe"}));
    CItemRecord stored;
    ASSERT_NE(Doc()->ReadFirstItem(stored), 0u);
    EXPECT_DOUBLE_EQ(stored.GetAmount(), 20.0);
    EXPECT_EQ(stored.GetType(), ITEM_UOME);

    // Delete, answered with Cancel, then with OK.
    ScriptedUser keep;
    keep.ExpectDialogCaption(u"Details").Tap(IDC_PAGE_DELETE).Tap(IDCANCEL);
    keep.ExpectMessageBox(u"Delete Item?").Answer(IDCANCEL);
    View()->EditRow(0);
    keep.Verify();
    EXPECT_EQ(List().GetItemCount(), 1);

    ScriptedUser remove;
    remove.ExpectDialogCaption(u"Details").Tap(IDC_PAGE_DELETE);
    remove.ExpectMessageBox(u"Delete Item?").Answer(IDOK);
    View()->EditRow(0);
    remove.Verify();
    EXPECT_EQ(List().GetItemCount(), 0);
    CItemRecord item;
    EXPECT_EQ(Doc()->ReadFirstItem(item), 0u);
}

TEST_F(ViewTest, ANewItemLeftEmptyIsNotStored)
{
    Start();
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details").Tap(IDC_PAGE_OK);
    EXPECT_EQ(View()->NewItem(), EDITOR_CANCELLED);
    CItemRecord item;
    EXPECT_EQ(Doc()->ReadFirstItem(item), 0u);
    EXPECT_EQ(List().GetItemCount(), 0);
}

TEST_F(ViewTest, CategoriesAddedInTheEditorReachTheSelector)
{
    Start();
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .Do([](DialogDriver& d) { platform::testing::PickEntry(d.Item(IDC_GENERAL_CATEGORY), u"Edit Categories..."); })
        .Pick(IDC_GENERAL_CATEGORY, u"Tools")
        .TypeInto(IDC_GENERAL_NAME, u"Bob")
        .Tap(IDC_PAGE_OK);
    user.ExpectDialog(IDD_CATEGORIES).TypeInto(IDC_CATEGORIES_NAME, u"Tools").Tap(IDC_CATEGORIES_ADD).TapOk();
    EXPECT_EQ(View()->NewItem(), EDITOR_OK);
    EXPECT_GE(View()->m_comboCategory.FindStringExact(-1, u"Tools"), 0);
    CItemRecord item;
    ASSERT_NE(Doc()->ReadFirstItem(item), 0u);
    EXPECT_EQ(item.GetCategory(), Category(u"Tools"));
}
