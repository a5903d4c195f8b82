// The General page through the item editor: creating, changing and deleting
// items with the name-or-description rule, the category preselection, the
// categories editor reached from the list, the edit commands and the input
// panel, and the limits of name and description.

#include "EditorTestEnv.h"

#include "owebook/editor/GeneralPage.h"
#include "platform/ui/CCmdUI.h"

#include <QClipboard>
#include <QGuiApplication>

using platform::testing::PickEntry;

namespace {

class GeneralPageTest : public EditorTest {};

const CString kNoCategory(u"No Category");

}  // namespace

TEST_F(GeneralPageTest, ANewItemWithNothingEnteredInNoCategoryIsDroppedWithoutAWord)
{
    CItemRecord item = NewItem(u"");
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .Check([](DialogDriver& d) { EXPECT_EQ(Selected(d, IDC_GENERAL_CATEGORY), kNoCategory); })
        .Tap(IDC_PAGE_OK);
    EXPECT_EQ(Run(item, TRUE), ITEM_SHEET_CANCELLED);
    EXPECT_EQ(user.Seen().size(), 1u) << "no message box";
}

TEST_F(GeneralPageTest, NeitherNameNorDescriptionIsRefusedWithTheRightMessage)
{
    struct Case {
        const char* what;
        BOOL bNew;
        std::function<void(platform::testing::Scene&)> act;
        const char16_t* message;
    };
    const std::vector<Case> cases = {
        {"OK on a new item in a real category", TRUE,
         [](auto& s) { s.Pick(IDC_GENERAL_CATEGORY, u"Books").Tap(IDC_PAGE_OK); },
         u"You must enter either Name or Descripton"},
        {"OK on a stored item", FALSE, [](auto& s) { s.Tap(IDC_PAGE_OK); },
         u"You must enter either Name or Descripton"},
        {"turning to the dates", TRUE, [](auto& s) { s.Do([](DialogDriver& d) { EXPECT_FALSE(TurnTo(d, 1)); }); },
         u"You must enter either Name or Description."},
        {"the sheet's ok", TRUE, [](auto& s) { s.TapOk(); }, u"You must enter either Name or Description."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CItemRecord item = NewItem(u"");
        ScriptedUser user;
        auto& scene = user.ExpectDialogCaption(u"Details");
        c.act(scene);
        scene.Check([](DialogDriver& d) {
                 EXPECT_TRUE(d.IsOpen());
                 EXPECT_TRUE(d.IsVisible(IDC_GENERAL_NAME)) << "the General page stays";
             })
            .Tap(IDCANCEL);
        user.ExpectMessageBox(c.message).Check([](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), CString(u"Data missed"));
        }).Answer(IDOK);
        EXPECT_EQ(Run(item, c.bNew), ITEM_SHEET_CANCELLED);
    }
}

TEST_F(GeneralPageTest, OkWritesThePageIntoTheRecord)
{
    CItemRecord item = NewItem(u"");
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .Pick(IDC_GENERAL_CATEGORY, u"Loans")
        .Tap(IDC_GENERAL_UOME)
        .TypeInto(IDC_GENERAL_NAME, u"Alice")
        .Do([](DialogDriver& d) {
            d.Focus(IDC_GENERAL_AMOUNT);
            Command(d, ID_EDIT_SELECT_ALL_ITEM);
        })
        .Type(u"12.50")
        .TypeInto(IDC_GENERAL_DESCRIPTION, u"Train fare")
        .Tap(IDC_PAGE_OK);
    EXPECT_EQ(Run(item, TRUE), ITEM_SHEET_OK);
    EXPECT_EQ(item.GetCategory(), CategoryId(u"Loans"));
    EXPECT_EQ(item.GetType(), ITEM_UOME);
    EXPECT_EQ(item.GetName(), CString(u"Alice"));
    EXPECT_DOUBLE_EQ(item.GetAmount(), 12.5);
    EXPECT_EQ(item.GetDescription(), CString(u"Train fare"));
}

TEST_F(GeneralPageTest, AnItemOfAnUnknownTypeShowsUOMeAndIsStoredAsUOMe)
{
    CItemRecord item = NewItem(u"Bob", CATEGORY_NONE, 7);
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .Check([](DialogDriver& d) {
            EXPECT_EQ(::SendMessage(d.Item(IDC_GENERAL_UOME), BM_GETCHECK, 0, 0), BST_CHECKED);
        })
        .TapOk();
    EXPECT_EQ(Run(item), ITEM_SHEET_OK);
    EXPECT_EQ(item.GetType(), ITEM_UOME);
}

TEST_F(GeneralPageTest, DeleteAsksFirst)
{
    for (int answer : {IDCANCEL, IDOK}) {
        CItemRecord item = NewItem(u"Carol");
        ScriptedUser user;
        auto& scene = user.ExpectDialogCaption(u"Details").Tap(IDC_PAGE_DELETE);
        if (answer == IDCANCEL)
            scene.Check([](DialogDriver& d) { EXPECT_EQ(d.Text(IDC_GENERAL_NAME), CString(u"Carol")); })
                .Tap(IDCANCEL);
        user.ExpectMessageBox(u"Delete Item?").Check([](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), CString(u"Owebook"));
        }).Answer(answer);
        EXPECT_EQ(Run(item), answer == IDOK ? ITEM_SHEET_DELETE : ITEM_SHEET_CANCELLED);
    }
    // The menu's "Delete Item..." is the same command.
    CItemRecord item = NewItem(u"Carol");
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details").Do([](DialogDriver& d) { Command(d, ID_TOOLS_DELETE_ITEM); });
    user.ExpectMessageBox(u"Delete Item?").Answer(IDOK);
    EXPECT_EQ(Run(item), ITEM_SHEET_DELETE);
}

TEST_F(GeneralPageTest, TheCategoryShownFirst)
{
    ASSERT_NE(doc->m_categories.AddEntry(u"No"), 0u);
    const LONG books = CategoryId(u"Books"), loans = CategoryId(u"Loans"), no = CategoryId(u"No");
    const LONG gone = static_cast<LONG>(doc->m_categories.AddEntry(u"Gone"));
    doc->m_categories.DeleteEntry(gone);
    struct Case {
        LONG itemCategory;
        LONG viewCategory;
        const char16_t* shown;
    } cases[] = {
        {CATEGORY_NONE, CATEGORY_ALL, u"No Category"},
        {CATEGORY_NONE, CATEGORY_ALL_MONEY, u"No Category"},
        {CATEGORY_NONE, CATEGORY_NONE, u"No Category"},
        {CATEGORY_NONE, books, u"Books"},       // a new item starts in the view's category
        {CATEGORY_ALL, books, u"Books"},
        {loans, CATEGORY_ALL, u"Loans"},
        {loans, books, u"Loans"},
        {no, CATEGORY_ALL, u"No"},              // not "No Category", whose text starts alike
        {gone, CATEGORY_ALL, u"No Category"},   // its record is deleted
        {123456, CATEGORY_ALL, u"No Category"}, // no such record at all
    };
    for (const Case& c : cases) {
        doc->m_nCurrentCategory = c.viewCategory;
        CItemRecord item = NewItem(u"Dan", c.itemCategory);
        ScriptedUser user;
        user.ExpectDialogCaption(u"Details")
            .Check([&](DialogDriver& d) {
                EXPECT_EQ(Selected(d, IDC_GENERAL_CATEGORY), CString(c.shown)) << c.itemCategory << " " << c.viewCategory;
            })
            .Tap(IDC_PAGE_OK);
        EXPECT_EQ(Run(item), ITEM_SHEET_OK);
        const CString shown(c.shown);
        EXPECT_EQ(item.GetCategory(), shown == kNoCategory ? CATEGORY_NONE : CategoryId(c.shown))
            << "OK stores the category shown";
    }
}

TEST_F(GeneralPageTest, EditCategoriesFromTheList)
{
    const LONG books = CategoryId(u"Books");
    CItemRecord item = NewItem(u"Eve", books);
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .Pick(IDC_GENERAL_CATEGORY, u"Loans")
        .Do([](DialogDriver& d) { PickEntry(d.Item(IDC_GENERAL_CATEGORY), u"Edit Categories..."); })   // adds "Tools"
        .Check([](DialogDriver& d) {
            EXPECT_EQ(Selected(d, IDC_GENERAL_CATEGORY), CString(u"Books")) << "the item's stored category again";
            auto* combo = static_cast<CComboBox*>(CWnd::FromHandle(d.Item(IDC_GENERAL_CATEGORY)));
            EXPECT_GE(combo->FindStringExact(-1, u"Tools"), 0);
        })
        .Pick(IDC_GENERAL_CATEGORY, u"Loans")
        .Do([](DialogDriver& d) { PickEntry(d.Item(IDC_GENERAL_CATEGORY), u"Edit Categories..."); })   // no change
        .Check([](DialogDriver& d) { EXPECT_EQ(Selected(d, IDC_GENERAL_CATEGORY), CString(u"Loans")); })
        .Tap(IDC_PAGE_OK);
    user.ExpectDialog(IDD_CATEGORIES).TypeInto(IDC_CATEGORIES_NAME, u"Tools").Tap(IDC_CATEGORIES_ADD).TapOk();
    user.ExpectDialog(IDD_CATEGORIES).TapOk();
    EXPECT_EQ(Run(item), ITEM_SHEET_OK);
    EXPECT_FALSE(edited) << "the latest run changed nothing";
    EXPECT_EQ(item.GetCategory(), CategoryId(u"Loans"));
    EXPECT_NE(CategoryId(u"Tools"), 0);
}

TEST_F(GeneralPageTest, EditCommandsActOnlyOnTheAmountAndTheDescription)
{
    CItemRecord item = NewItem(u"Fay");
    item.SetDescription(u"two words");
    item.SetAmount(42);
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .Do([](DialogDriver& d) {
            // With the name field focused nothing happens.
            d.Focus(IDC_GENERAL_NAME);
            Command(d, ID_EDIT_CLEAR);
            Command(d, ID_EDIT_SELECT_ALL_ITEM);
            Command(d, ID_EDIT_CUT);
            EXPECT_EQ(d.Text(IDC_GENERAL_NAME), CString(u"Fay"));
            EXPECT_EQ(d.Text(IDC_GENERAL_DESCRIPTION), CString(u"two words"));

            // Clear empties the whole description whatever was selected.
            d.Focus(IDC_GENERAL_DESCRIPTION);
            ::SendMessage(d.Item(IDC_GENERAL_DESCRIPTION), EM_SETSEL, 0, 3);
            Command(d, ID_EDIT_CLEAR);
            EXPECT_EQ(d.Text(IDC_GENERAL_DESCRIPTION), CString(u""));
            Command(d, ID_EDIT_UNDO);
            EXPECT_EQ(d.Text(IDC_GENERAL_DESCRIPTION), CString(u"two words"));
            Command(d, ID_EDIT_REDO);   // the same single undo level: back again
            EXPECT_EQ(d.Text(IDC_GENERAL_DESCRIPTION), CString(u""));

            // Select All, Cut and Paste on the amount.
            d.Focus(IDC_GENERAL_AMOUNT);
            Command(d, ID_EDIT_SELECT_ALL_ITEM);
            Command(d, ID_EDIT_CUT);
            EXPECT_EQ(d.Text(IDC_GENERAL_AMOUNT), CString(u""));
            EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("42"));
            Command(d, ID_EDIT_PASTE);
            EXPECT_EQ(d.Text(IDC_GENERAL_AMOUNT), CString(u"42"));
            QGuiApplication::clipboard()->setText(QStringLiteral("x"));
            Command(d, ID_EDIT_PASTE);
            EXPECT_EQ(d.Text(IDC_GENERAL_AMOUNT), CString(u"42")) << "the amount's rules hold for pastes";

            // "Copy" is always reported disabled; the others are there.
            CWnd* page = CWnd::FromHandlePermanent(PageOf(d));
            for (UINT id : {ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL_ITEM}) {
                CCmdUI state;
                state.m_nID = id;
                state.DoUpdate(page, TRUE);
                EXPECT_EQ(state.m_bEnabled, id == ID_EDIT_COPY ? FALSE : TRUE) << id;
            }
        })
        .Tap(IDCANCEL);
    EXPECT_EQ(Run(item), ITEM_SHEET_CANCELLED);
}

TEST_F(GeneralPageTest, TheInputPanelFollowsTheAmountFieldOnly)
{
    CItemRecord item = NewItem(u"Gus");
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .Do([](DialogDriver& d) {
            d.Focus(IDC_GENERAL_NAME);
            EXPECT_FALSE(platform::IsInputPanelShown());
            d.Focus(IDC_GENERAL_AMOUNT);
            EXPECT_TRUE(platform::IsInputPanelShown());
            d.Focus(IDC_GENERAL_DESCRIPTION);
            EXPECT_FALSE(platform::IsInputPanelShown());
        })
        .Tap(IDCANCEL);
    Run(item);
}

TEST_F(GeneralPageTest, NameAndDescriptionAtAndPastTheirLimits)
{
    struct Case {
        int name;
        int description;
        bool accepted;
        const char16_t* message;
    } cases[] = {
        {50, 100, true, nullptr},
        {51, 10, false, u"Please enter no more than 50 characters."},
        {10, 101, false, u"Please enter no more than 100 characters."},
    };
    for (const Case& c : cases) {
        // A record written elsewhere may hold more than the fields take.
        CItemRecord item = NewItem(CString(u'n', c.name));
        item.SetDescription(CString(u'd', c.description));
        ScriptedUser user;
        auto& scene = user.ExpectDialogCaption(u"Details").Tap(IDC_PAGE_OK);
        if (!c.accepted) {
            scene.Check([](DialogDriver& d) { EXPECT_TRUE(d.IsOpen()); }).Tap(IDCANCEL);
            user.ExpectMessageBox(c.message).Answer(IDOK);
        }
        EXPECT_EQ(Run(item), c.accepted ? ITEM_SHEET_OK : ITEM_SHEET_CANCELLED) << c.name << " " << c.description;
        EXPECT_EQ(item.GetName().GetLength(), c.name) << "a refusal loses nothing";
    }
    // Typing stops at the limit.
    CItemRecord item = NewItem(u"");
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .TypeInto(IDC_GENERAL_NAME, CString(u'x', 55))
        .Check([](DialogDriver& d) { EXPECT_EQ(d.Text(IDC_GENERAL_NAME).GetLength(), 50); })
        .Tap(IDCANCEL);
    Run(item);
}
