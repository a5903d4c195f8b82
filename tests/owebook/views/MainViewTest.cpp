// The main view: which items each mode and category shows, the totals line,
// the category selector, refills keeping the selection, and the edit and
// new-item flows with the editor's answers.

#include "ViewTestEnv.h"

#include "owebook/editor/EditorIds.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/testing/ScriptedUser.h"

#include <algorithm>
#include <cmath>

namespace {

using Strings = std::vector<std::string>;

constexpr DWORD NOW = static_cast<DWORD>(TEST_NOW);

}  // namespace

TEST_F(ViewTest, WhatsDueShowsOnlyOpenItemsDueBeforeNow)
{
    Start();
    Add({.name = u"past", .due = NOW - 1});
    Add({.name = u"now", .due = NOW});
    Add({.name = u"later", .due = NOW + 60});
    Add({.name = u"never", .due = 0});
    Add({.name = u"returned", .due = NOW - 3600, .returned = TRUE});
    Add({.name = u"long ago", .type = ITEM_UOME, .due = 86400});
    View()->SwitchMode(MODE_WHATS_DUE);
    EXPECT_EQ(Title(), "What's Due");
    EXPECT_EQ(Column(2), (Strings{"past", "long ago"})) << "sorted by Type: IOU first";
}

TEST_F(ViewTest, EachModeAdmitsItsItems)
{
    Start();
    Add({.name = u"owe", .type = ITEM_IOU});
    Add({.name = u"owed", .type = ITEM_UOME});
    Add({.name = u"zero", .type = 0});
    Add({.name = u"seven", .type = 7});
    struct Case {
        int mode;
        const char* title;
        Strings names;
    };
    const Case cases[] = {
        {MODE_ALL_ITEMS, "All Items", {"owe", "owed", "seven", "zero"}},
        {MODE_WHAT_I_OWE, "What I Owe", {"owe"}},
        {MODE_OWED_TO_ME, "What's owed to me", {"owed"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        View()->SwitchMode(c.mode);
        EXPECT_EQ(Title(), c.title);
        const int nameColumn = c.mode == MODE_ALL_ITEMS ? 2 : 1;
        Strings names = Column(nameColumn);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, c.names);
    }
    // A type that is neither IOU nor UOMe shows as UOMe.
    View()->SwitchMode(MODE_ALL_ITEMS);
    List().SortItems(2, TRUE);
    EXPECT_EQ(Column(0), (Strings{"IOU", "UOMe", "UOMe", "UOMe"}));
}

TEST_F(ViewTest, CategoryEntriesAdmitTheirItems)
{
    Start();
    const LONG loans = Category(u"Loans");
    const LONG payments = Category(u"Payments");
    const LONG books = Category(u"Books");
    const LONG gone = Doc()->m_categories.AddEntry(u"Gone");
    Add({.name = u"loan", .category = loans});
    Add({.name = u"payment", .category = payments});
    Add({.name = u"book", .category = books});
    Add({.name = u"none", .category = CATEGORY_NONE});
    Add({.name = u"deleted", .category = gone});
    Add({.name = u"missing", .category = 4242});
    Doc()->m_categories.DeleteEntry(gone);
    View()->FillCategorySelector();
    View()->RefillList();
    struct Case {
        const char16_t* entry;
        Strings names;
    };
    const Case cases[] = {
        {u"All Categories", {"book", "deleted", "loan", "missing", "none", "payment"}},
        {u"All Money", {"loan", "payment"}},
        {u"No Category", {"deleted", "missing", "none"}},
        {u"Books", {"book"}},
        {u"Loans", {"loan"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(CString(c.entry)));
        Pick(c.entry);
        Strings names = Column(2);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, c.names);
    }
    // Category cells: the name, " - " for none, nothing for a category that is gone.
    Pick(u"All Categories");
    List().SortItems(2, TRUE);
    EXPECT_EQ(Column(1), (Strings{"Books", "", "Loans", "", " - ", "Payments"}));
}

TEST_F(ViewTest, TotalsLine)
{
    Start();
    const LONG loans = Category(u"Loans");
    const LONG books = Category(u"Books");
    Add({.name = u"a", .type = ITEM_IOU, .amount = 10, .category = loans});
    Add({.name = u"b", .type = ITEM_IOU, .amount = 2.5, .category = loans});
    Add({.name = u"c", .type = ITEM_UOME, .amount = 4, .category = loans});
    Add({.name = u"d", .type = ITEM_UOME, .amount = 7, .category = books});
    EXPECT_EQ(Totals(), "Total: Choose a category(top-right)");
    Pick(u"Loans");
    EXPECT_EQ(Totals(), "Total: IOU - UOMe =    8.50");
    Pick(u"Books") ;
    EXPECT_EQ(Totals(), "Total: IOU - UOMe =   -7.00") << "amounts count in any category";
    View()->SwitchMode(MODE_WHAT_I_OWE);
    EXPECT_EQ(Totals(), "Total: IOU - UOMe =    0.00");
    Pick(u"All Categories");
    EXPECT_EQ(Totals(), "Total: Choose a category(top-right)");
}

TEST_F(ViewTest, SelectorOffersPseudoEntriesThenCategoriesByNameThenEdit)
{
    Start();
    CComboBox& combo = View()->m_comboCategory;
    std::vector<std::pair<std::string, LONG>> entries;
    for (int i = 0; i < combo.GetCount(); ++i) {
        CString text;
        combo.GetLBText(i, text);
        entries.emplace_back(Utf8(text), static_cast<LONG>(combo.GetItemData(i)));
    }
    const std::vector<std::pair<std::string, LONG>> expected = {
        {"All Categories", CATEGORY_ALL}, {"All Money", CATEGORY_ALL_MONEY}, {"No Category", CATEGORY_NONE},
        {"Books", Category(u"Books")},    {"CDs", Category(u"CDs")},         {"Loans", Category(u"Loans")},
        {"Misc", Category(u"Misc")},      {"Payments", Category(u"Payments")}, {"Edit Categories...", CATEGORY_EDIT},
    };
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(combo.GetCurSel(), 0);
    EXPECT_EQ(View()->m_nLastCategorySel, 0);
}

TEST_F(ViewTest, EditCategoriesWithoutAChangeRestoresTheEntryInForce)
{
    Start();
    Add({.name = u"loan", .category = Category(u"Loans")});
    Add({.name = u"plain"});
    for (const char16_t* entry : {u"All Money", u"Loans", u"All Categories"}) {
        SCOPED_TRACE(Utf8(CString(entry)));
        Pick(entry);
        const Strings shown = Rows();
        const LONG category = Doc()->GetCurrentCategory();
        platform::testing::ScriptedUser user;
        user.ExpectDialog(IDD_CATEGORIES).TapOk();
        Pick(u"Edit Categories...");
        user.Verify();
        EXPECT_EQ(SelectorText(), Utf8(CString(entry)));
        EXPECT_EQ(Doc()->GetCurrentCategory(), category);
        EXPECT_EQ(Rows(), shown);
        // The menu command goes the same way.
        user.ExpectDialog(IDD_CATEGORIES).TapOk();
        Command(ID_TOOLS_EDIT_CATEGORIES);
        user.Verify();
        EXPECT_EQ(SelectorText(), Utf8(CString(entry)));
        EXPECT_EQ(Rows(), shown);
    }
}

TEST_F(ViewTest, ReselectingTheEntryInForceDoesNothing)
{
    Start();
    Pick(u"Books");
    Add({.name = u"book", .category = Category(u"Books")});
    Pick(u"Books");
    EXPECT_TRUE(Rows().empty()) << "no refill";
}

TEST_F(ViewTest, RefillKeepsTheSelectedRowWhileItsItemPasses)
{
    Start();
    Add({.name = u"a"});
    const CEOID b = Add({.name = u"b"});
    Add({.name = u"c", .type = ITEM_UOME});
    View()->RefillList();
    List().SetItemState(List().FindRowById(b), LVIS_SELECTED, LVIS_SELECTED);
    Add({.name = u"0 first"});
    const int row = View()->RefillList();
    EXPECT_EQ(row, List().FindRowById(b));
    EXPECT_EQ(SelectedRow(), row);
    EXPECT_EQ(Utf8(List().GetItemText(row, 2)), "b");

    // Not shown any more: nothing is selected.
    CItemRecord item;
    ASSERT_TRUE(Doc()->ReadItem(b, item));
    item.SetType(ITEM_UOME);
    Doc()->UpdateItem(b, item);
    View()->SwitchMode(MODE_WHAT_I_OWE);
    EXPECT_EQ(SelectedRow(), -1);
}

TEST_F(ViewTest, EditorResultsChangeTheListAsTheFlowSays)
{
    Start();
    const LONG books = Category(u"Books");
    const LONG cds = Category(u"CDs");
    Add({.name = u"keep", .amount = 1, .category = books});
    const CEOID moved = Add({.name = u"move", .amount = 2, .category = books});
    View()->SwitchMode(MODE_WHAT_I_OWE);
    Pick(u"Books");
    ASSERT_EQ(List().GetItemCount(), 2);

    // Into another category: the selector follows the item.
    ViewScript::Editor() = [&](CItemRecord& item, BOOL, BOOL&) {
        item.SetCategory(cds);
        return EDITOR_OK;
    };
    View()->EditRow(List().FindRowById(moved));
    EXPECT_EQ(SelectorText(), "CDs");
    EXPECT_EQ(Column(1), (Strings{"move"}));

    // Into no category: "No Category".
    ViewScript::Editor() = [&](CItemRecord& item, BOOL, BOOL&) {
        item.SetCategory(CATEGORY_NONE);
        return EDITOR_OK;
    };
    View()->EditRow(0);
    EXPECT_EQ(SelectorText(), "No Category");
    EXPECT_EQ(Column(1), (Strings{"move"}));

    // Out of the mode under "All Categories": the row goes without a refill.
    Pick(u"All Categories");
    ASSERT_EQ(List().GetItemCount(), 2);
    const int row = List().FindRowById(moved);
    ViewScript::Editor() = [&](CItemRecord& item, BOOL, BOOL&) {
        item.SetType(ITEM_UOME);
        return EDITOR_OK;
    };
    Add({.name = u"not yet shown"});
    View()->EditRow(row);
    EXPECT_EQ(Column(1), (Strings{"keep"}));
    CItemRecord stored;
    ASSERT_TRUE(Doc()->ReadItem(moved, stored));
    EXPECT_EQ(stored.GetType(), ITEM_UOME);

    // Delete: the row and the item go.
    Pick(u"Books");
    ViewScript::Editor() = [](CItemRecord&, BOOL, BOOL&) { return EDITOR_DELETE; };
    View()->EditRow(0);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Totals(), "Total: IOU - UOMe =    0.00");

    // Cancelled: nothing changes.
    Pick(u"All Categories");
    const Strings before = Rows();
    ViewScript::Editor() = [](CItemRecord& item, BOOL, BOOL&) {
        item.SetName(u"changed");
        return EDITOR_CANCELLED;
    };
    View()->EditRow(0);
    EXPECT_EQ(Rows(), before);
    EXPECT_TRUE(View()->m_bAutoRefresh);
}

TEST_F(ViewTest, NewItemsStartWithTheModesTypeAndAreSelected)
{
    Start();
    struct Case {
        int mode;
        SHORT type;
    };
    for (const Case& c : {Case{MODE_ALL_ITEMS, ITEM_IOU}, Case{MODE_WHAT_I_OWE, ITEM_IOU},
                          Case{MODE_OWED_TO_ME, ITEM_UOME}, Case{MODE_WHATS_DUE, ITEM_IOU}}) {
        SCOPED_TRACE(c.mode);
        View()->SwitchMode(c.mode);
        SHORT seen = 0;
        ViewScript::Editor() = [&](CItemRecord& item, BOOL bNewItem, BOOL&) {
            EXPECT_TRUE(bNewItem);
            seen = item.GetType();
            item.SetName(u"new");
            item.SetDueDate(NOW - 10);
            return EDITOR_OK;
        };
        EXPECT_EQ(View()->NewItem(), EDITOR_OK);
        EXPECT_EQ(seen, c.type);
        const int row = SelectedRow();
        ASSERT_GE(row, 0);
        EXPECT_NE(List().GetRowId(row), 0u);
    }
    // Through the command as well; a cancel adds nothing.
    ViewScript::Editor() = [](CItemRecord&, BOOL, BOOL&) { return EDITOR_CANCELLED; };
    const int rows = List().GetItemCount();
    Command(ID_VIEW_NEW_ITEM);
    EXPECT_EQ(List().GetItemCount(), rows);
}

// A category named like the start of a pseudo entry must not be mistaken for it.
TEST_F(ViewTest, FollowingAnItemsCategorySelectsItsEntryById)
{
    Start();
    const LONG all = Doc()->m_categories.AddEntry(u"All");
    const LONG no = Doc()->m_categories.AddEntry(u"No");
    View()->FillCategorySelector();
    for (LONG category : {all, no}) {
        CItemRecord item;
        item.SetDefaults();
        item.SetCategory(category);
        View()->FollowItemCategory(item);
        EXPECT_EQ(static_cast<LONG>(View()->m_comboCategory.GetItemData(View()->m_comboCategory.GetCurSel())),
                  category);
        EXPECT_EQ(Doc()->GetCurrentCategory(), category);
    }
}

TEST_F(ViewTest, TheTotalsLineIsWrittenInItsOwnFont)
{
    Start();
    CWnd& totals = View()->m_staticTotals;
    CDC* dc = totals.GetDC();
    ASSERT_NE(dc, nullptr);
    View()->SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc->m_hDC),
                        reinterpret_cast<LPARAM>(totals.m_hWnd));
    LOGFONT font{};
    ASSERT_NE(dc->GetCurrentFont(), nullptr);
    ASSERT_TRUE(dc->GetCurrentFont()->GetLogFont(&font));
    EXPECT_EQ(font.lfHeight, 11);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfPitchAndFamily, 0x20);
    EXPECT_EQ(CString(font.lfFaceName), CString(u"Tahoma"));
    totals.ReleaseDC(dc);
}

// Odd stored values: every mode and category shows them, nothing crashes.
TEST_F(ViewTest, OddItemsAreShownInEveryModeAndCategory)
{
    Start();
    Add({.name = u"nan", .amount = std::nan(""), .category = 999, .due = 1});
    Add({.name = u"big", .type = 7, .amount = 1e10, .due = 0});
    Add({.name = u"zero", .type = 0, .amount = 0});
    CItemRecord bare;   // a record with no properties at all
    CEOID bareId = 0;
    Doc()->m_dbItems.AddRecord(&bare);
    (void)bareId;
    const char16_t* entries[] = {u"All Categories", u"All Money", u"No Category", u"Loans"};
    for (int mode = 0; mode < MODE_COUNT; ++mode) {
        View()->SwitchMode(mode);
        for (const char16_t* entry : entries) {
            Pick(entry);
            for (int c = 0; c < List().GetColumnCount(); ++c)
                List().SortItems(c, c % 2 == 0);
        }
    }
    View()->SwitchMode(MODE_ALL_ITEMS);
    Pick(u"All Categories");
    List().SortItems(2, TRUE);
    EXPECT_EQ(List().GetItemCount(), 4);
    EXPECT_EQ(Column(3), (Strings{"", "10000000000", "nan", ""}));
}
