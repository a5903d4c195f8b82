// The combo box: searching, sorted insertion, items and their data, the
// drop-down's edit field, and which selection changes the parent hears of.

#include "ControlHost.h"

#include "platform/testing/DialogDriver.h"
#include "platform/testing/MessageRecorder.h"
#include "platform/ui/controls/combo/CComboBox.h"
#include "platform/ui/Window.h"

using platform::testing::PressKey;
using platform::testing::TypeText;

namespace {

constexpr int kCombo = 200;

class ComboBoxTest : public ControlTest {
protected:
    CComboBox& Combo(DWORD style = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP)
    {
        EXPECT_TRUE(combo.SubclassWindow(Make(WC_COMBOBOX, style, kCombo, u"", 120, 80)));
        return combo;
    }
    void Fill(std::initializer_list<LPCWSTR> items)
    {
        for (LPCWSTR item : items)
            combo.InsertString(-1, item);
    }
    std::vector<CString> Items() const
    {
        std::vector<CString> items;
        for (int i = 0; i < combo.GetCount(); ++i) {
            CString text;
            combo.GetLBText(i, text);
            items.push_back(text);
        }
        return items;
    }
    CComboBox combo;
};

struct SearchCase {
    const char* name;
    bool exact;
    int startAfter;
    const char16_t* text;
    int want;
};

const SearchCase kSearches[] = {
    {"PrefixFromTop", false, -1, u"ap", 0},
    {"PrefixStartsAfterTheIndex", false, 0, u"ap", 2},
    {"PrefixIgnoresCase", false, 2, u"ap", 4},
    {"PrefixWrapsAround", false, 4, u"ap", 0},
    {"PrefixFindsTheStartItemLast", false, 1, u"ban", 1},
    {"PrefixNotFound", false, -1, u"zz", CB_ERR},
    {"EmptyPrefixMatchesTheNextItem", false, 1, u"", 2},
    {"StartOutOfRangeSearchesFromTop", false, 99, u"ch", 3},
    {"ExactIgnoresCase", true, -1, u"APPLE", 0},
    {"ExactWrapsBackToTheStart", true, 0, u"apple", 0},
    {"ExactNeedsTheWholeText", true, -1, u"appl", CB_ERR},
    {"ExactFindsLaterItem", true, -1, u"apple PIE", 4},
};

}  // namespace

TEST_F(ComboBoxTest, SearchRules)
{
    Combo();
    Fill({u"apple", u"Banana", u"apricot", u"cherry", u"APPLE pie"});
    for (const SearchCase& c : kSearches) {
        const int found = c.exact ? combo.FindStringExact(c.startAfter, c.text) : combo.FindString(c.startAfter, c.text);
        EXPECT_EQ(found, c.want) << c.name;
    }
    combo.ResetContent();
    EXPECT_EQ(combo.FindString(-1, u""), CB_ERR) << "an empty box finds nothing";
}

TEST_F(ComboBoxTest, SelectStringSelectsByPrefixWithoutNotifying)
{
    Combo();
    Fill({u"apple", u"Banana", u"apricot"});
    EXPECT_EQ(combo.SelectString(0, u"AP"), 2);
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(combo.SelectString(-1, u"kiwi"), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), 2) << "a failed search keeps the selection";
    EXPECT_EQ(combo.SetCurSel(1), 1);
    CString shown;
    combo.GetWindowText(shown);
    EXPECT_EQ(shown, CString(u"Banana"));
    EXPECT_EQ(combo.SetCurSel(-1), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), -1);
    EXPECT_EQ(combo.SetCurSel(7), CB_ERR);
    EXPECT_EQ(host.Count(kCombo, CBN_SELCHANGE), 0);
}

TEST_F(ComboBoxTest, UserPickSendsSelChange)
{
    Combo();
    Fill({u"one", u"two", u"three"});
    combo.SetCurSel(0);
    combo.SetFocus();
    host.notes.clear();
    PressKey(combo.m_hWnd, VK_DOWN);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(host.Count(kCombo, CBN_SELCHANGE), 1);
}

TEST_F(ComboBoxTest, SortedBoxAddsInOrderButInsertDoesNotSort)
{
    Combo(CBS_DROPDOWNLIST | CBS_SORT);
    EXPECT_EQ(combo.AddString(u"pear"), 0);
    EXPECT_EQ(combo.AddString(u"Apple"), 0);
    EXPECT_EQ(combo.AddString(u"banana"), 1);
    EXPECT_EQ(combo.AddString(u"apple"), 1) << "equal ignoring case goes after";
    EXPECT_EQ(combo.InsertString(1, u"zzz"), 1);
    EXPECT_EQ(combo.InsertString(-1, u"aaa"), 5);
    EXPECT_EQ(combo.InsertString(9, u"x"), CB_ERR);
    EXPECT_EQ(Items(), (std::vector<CString>{u"Apple", u"zzz", u"apple", u"banana", u"pear", u"aaa"}));
}

TEST_F(ComboBoxTest, UnsortedBoxAddsAtTheEnd)
{
    Combo();
    combo.AddString(u"b");
    combo.AddString(u"a");
    EXPECT_EQ(Items(), (std::vector<CString>{u"b", u"a"}));
}

TEST_F(ComboBoxTest, ItemsDataTextAndDeletion)
{
    Combo();
    Fill({u"zero", u"one", u"two"});
    EXPECT_EQ(combo.InitStorage(10, 100), 13);
    EXPECT_TRUE(combo.SetItemData(1, 4711));
    EXPECT_EQ(combo.GetItemData(1), 4711u);
    EXPECT_EQ(combo.GetItemData(0), 0u);
    EXPECT_EQ(static_cast<int>(combo.GetItemData(5)), CB_ERR);
    EXPECT_EQ(combo.SetItemData(5, 1), CB_ERR);
    EXPECT_EQ(combo.GetLBTextLen(2), 3);
    EXPECT_EQ(combo.GetLBTextLen(3), CB_ERR);
    EXPECT_EQ(combo.DeleteString(0), 2) << "the count left";
    EXPECT_EQ(combo.GetItemData(0), 4711u) << "data moves with its item";
    EXPECT_EQ(combo.DeleteString(9), CB_ERR);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
    EXPECT_EQ(combo.GetCurSel(), -1);
}

TEST_F(ComboBoxTest, DropDownHasAnEditField)
{
    Combo(CBS_DROPDOWN | WS_TABSTOP);
    Fill({u"Alice", u"Bob"});
    combo.SetWindowText(u"Carol");
    CString text;
    combo.GetWindowText(text);
    EXPECT_EQ(text, CString(u"Carol"));
    EXPECT_EQ(combo.GetCount(), 2) << "the edit's text is not an item";

    combo.SetCurSel(1);
    combo.GetWindowText(text);
    EXPECT_EQ(text, CString(u"Bob"));

    EXPECT_TRUE(combo.SetEditSel(0, 2));
    EXPECT_EQ(combo.GetEditSel(), static_cast<DWORD>(MAKELONG(0, 2)));
    EXPECT_TRUE(combo.SetEditSel(-1, 0));
    EXPECT_EQ(LOWORD(combo.GetEditSel()), HIWORD(combo.GetEditSel())) << "no selection";

    combo.SetFocus();
    combo.SetWindowText(u"");
    host.notes.clear();
    combo.LimitText(3);
    TypeText(combo.m_hWnd, u"Dave");
    combo.GetWindowText(text);
    EXPECT_EQ(text, CString(u"Dav"));
    EXPECT_EQ(host.Count(kCombo, CBN_EDITCHANGE), 3);
    EXPECT_EQ(host.Count(kCombo, CBN_EDITUPDATE), 3);
    EXPECT_EQ(host.Count(kCombo, CBN_SELCHANGE), 0);
}

TEST_F(ComboBoxTest, DropDownListShowsOnlyItsItems)
{
    Combo();
    Fill({u"Alice", u"Bob"});
    EXPECT_EQ(combo.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"bob")), TRUE);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"Carol")), CB_ERR);
    EXPECT_EQ(combo.SetEditSel(0, 1), CB_ERR);
    EXPECT_EQ(combo.SetExtendedUI(TRUE), CB_OKAY);
    EXPECT_TRUE(combo.GetExtendedUI());
}

TEST_F(ComboBoxTest, FocusNotifications)
{
    Combo();
    HWND other = Make(WC_EDIT, WS_BORDER, 201, u"", 120, 24, 120);
    combo.SetFocus();
    ::SetFocus(other);
    EXPECT_EQ(host.Codes(kCombo), (std::vector<UINT>{CBN_SETFOCUS, CBN_KILLFOCUS}));
}

TEST_F(ComboBoxTest, ClosedBoxIsOneLineHighWhateverItsRectangle)
{
    Combo();
    platform::Window* w = platform::LookupWindow(combo.m_hWnd);
    ASSERT_NE(w, nullptr);
    EXPECT_LT(w->widget->height(), 80);
    EXPECT_GT(w->widget->height(), 10);
}

TEST_F(ComboBoxTest, PickingAnEntryAsAFingerDoesTellsTheParent)
{
    Combo();
    Fill({u"one", u"two", u"three"});
    combo.SetCurSel(0);
    platform::testing::MessageRecorder rec({WM_COMMAND});
    rec.Watch(host.m_hWnd, "host");
    EXPECT_TRUE(platform::testing::PickEntry(combo.m_hWnd, u"THREE"));
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(combo.GetDroppedState(), FALSE);
    EXPECT_EQ(rec.Trace(platform::testing::MessageRecorder::Show::Parameters),
              (std::vector<std::string>{"host WM_COMMAND 200 CBN_SETFOCUS", "host WM_COMMAND 200 CBN_DROPDOWN",
                                        "host WM_COMMAND 200 CBN_CLOSEUP", "host WM_COMMAND 200 CBN_SELCHANGE"}));
    EXPECT_FALSE(platform::testing::PickEntry(combo.m_hWnd, u"four"));
}

// Filling a box selects nothing, whatever the way in; deleting the selected
// entry leaves nothing selected, deleting another keeps the selection on its entry.
TEST_F(ComboBoxTest, NothingIsSelectedUntilSomethingIsChosen)
{
    for (DWORD style : {DWORD(CBS_DROPDOWNLIST), DWORD(CBS_DROPDOWN)}) {
        SCOPED_TRACE(style);
        Combo(style | WS_VSCROLL);
        EXPECT_EQ(combo.GetCurSel(), CB_ERR) << "empty";
        combo.AddString(u"one");
        EXPECT_EQ(combo.GetCurSel(), CB_ERR) << "first entry added";
        combo.InsertString(0, u"zero");
        combo.InsertString(-1, u"two");
        EXPECT_EQ(combo.GetCurSel(), CB_ERR) << "entries inserted";
        combo.SetCurSel(2);
        combo.DeleteString(0);
        EXPECT_EQ(combo.GetCurSel(), 1) << "an entry above goes: the selection follows its entry";
        combo.DeleteString(1);
        EXPECT_EQ(combo.GetCurSel(), CB_ERR) << "the selected entry went";
        combo.ResetContent();
        combo.AddString(u"again");
        EXPECT_EQ(combo.GetCurSel(), CB_ERR) << "refilled after a reset";
        EXPECT_EQ(host.Count(kCombo, CBN_SELCHANGE), 0);
        combo.DestroyWindow();
    }
}
