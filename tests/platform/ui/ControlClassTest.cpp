// A control's behaviour belongs to its window class: a window of class
// "Static", "Button", "Edit", "ComboBox", "SysListView32" behaves as that
// control whatever object is attached to it (a plain CWnd subclass, the one
// the platform made, a GetDlgItem temporary) and whatever procedure a
// subclass put in front of the class's.

#include "ControlHost.h"

#include "platform/gdi/BitmapResources.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/testing/DialogDriver.h"
#include "platform/testing/Screenshot.h"
#include "platform/ui/Window.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/controls/edit/CEdit.h"
#include "platform/ui/controls/listview/CListCtrl.h"

#include <QTreeWidget>

using platform::testing::PressKey;
using platform::testing::TapWindow;
using platform::testing::TypeText;

namespace {

// An object that knows nothing of controls.
class CPlain : public CWnd {
public:
    int created = 0;

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPlain, CWnd)
END_MESSAGE_MAP()

class ControlClassTest : public ControlTest {
protected:
    // The control, with a plain object attached.
    HWND Plain(LPCWSTR cls, DWORD style, int id, LPCWSTR text = u"", int cx = 120, int cy = 60)
    {
        HWND hwnd = Make(cls, style, id, text, cx, cy);
        EXPECT_TRUE(plain.SubclassWindow(hwnd));
        return hwnd;
    }
    CPlain plain;
};

void PaintBlue(CDC& dc, int width, int height) { dc.FillSolidRect(0, 0, width, height, RGB(0, 0, 255)); }

}  // namespace

TEST_F(ControlClassTest, StaticUnderAPlainObjectKeepsItsMessagesAndNotifies)
{
    platform::RegisterBitmap(7101, 4, 4, PaintBlue);
    HWND hwnd = Plain(WC_STATIC, SS_BITMAP | SS_NOTIFY, 40, u"#7101");
    EXPECT_EQ(plain.SendMessage(WM_GETDLGCODE), DLGC_STATIC);
    const HBITMAP shown = reinterpret_cast<HBITMAP>(plain.SendMessage(STM_GETIMAGE, IMAGE_BITMAP));
    EXPECT_NE(shown, nullptr);
    HBITMAP other = platform::CreateBitmapObject(2, 2);
    plain.SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(other));
    EXPECT_EQ(reinterpret_cast<HBITMAP>(plain.SendMessage(STM_GETIMAGE, IMAGE_BITMAP)), other);
    TapWindow(hwnd);
    EXPECT_EQ(host.Codes(40), (std::vector<UINT>{STN_CLICKED}));
    plain.UnsubclassWindow();
    ::DestroyWindow(hwnd);
    ::DeleteObject(other);
}

TEST_F(ControlClassTest, MessagesToAGetDlgItemTemporaryReachTheControl)
{
    HWND hwnd = Make(WC_EDIT, WS_BORDER, 41);
    CWnd* item = host.GetDlgItem(41);
    ASSERT_NE(item, nullptr);
    item->SetWindowText(u"abc");
    item->SendMessage(EM_SETSEL, 1, 2);
    item->SendMessage(WM_CHAR, u'x', 1);
    EXPECT_EQ(TextOf(hwnd), CString(u"axc"));
    EXPECT_TRUE(item->SendMessage(EM_CANUNDO));
    EXPECT_EQ(item->SendMessage(WM_GETDLGCODE) & DLGC_HASSETSEL, static_cast<LRESULT>(DLGC_HASSETSEL));
}

namespace {

// A procedure a subclass puts in front of the edit's: no digits.
WNDPROC g_editProc = nullptr;
LRESULT NoDigitsProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR && wParam >= u'0' && wParam <= u'9')
        return 0;
    return ::CallWindowProc(g_editProc, hwnd, message, wParam, lParam);
}

}  // namespace

TEST_F(ControlClassTest, ProcedurePutInFrontOfTheClassesSeesWhatTheObjectPassesOn)
{
    HWND hwnd = Make(WC_EDIT, WS_BORDER | WS_TABSTOP, 42);
    g_editProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NoDigitsProc)));
    ASSERT_NE(g_editProc, nullptr);
    EXPECT_EQ(::GetWindowLongPtr(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&NoDigitsProc));
    EXPECT_EQ(::SetWindowLongPtr(hwnd, GWLP_WNDPROC, 0), 0) << "a window keeps a procedure";
    ::SetFocus(hwnd);
    TypeText(hwnd, u"a1b");
    ::SendMessage(hwnd, WM_CHAR, u'2', 1);
    ::SendMessage(hwnd, WM_CHAR, u'c', 1);
    EXPECT_EQ(TextOf(hwnd), CString(u"abc"));
    EXPECT_EQ(::SendMessage(hwnd, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE) << "the rest goes on to the edit";
}

namespace {

// Attaches its second object from the hook, as a list attaches its header.
class CPairedEdit : public CEdit {
public:
    HWND hookSaw = nullptr;
    BOOL hookSawOldObject = FALSE;
    CPlain partner;

protected:
    void PreSubclassWindow() override
    {
        hookSaw = m_hWnd;
        hookSawOldObject = CWnd::FromHandle(m_hWnd) != this;
        CEdit::PreSubclassWindow();
        partner.SubclassWindow(::GetDlgItem(::GetParent(m_hWnd), 44));
    }
};

}  // namespace

TEST_F(ControlClassTest, PreSubclassWindowRunsWithTheHandleBeforeTheObjectTakesTheMessages)
{
    HWND edit = Make(WC_EDIT, WS_BORDER, 43);
    HWND other = Make(WC_STATIC, SS_LEFT, 44, u"x", 60, 20);
    CPairedEdit paired;
    ASSERT_TRUE(paired.SubclassWindow(edit));
    EXPECT_EQ(paired.hookSaw, edit);
    EXPECT_TRUE(paired.hookSawOldObject);
    EXPECT_EQ(CWnd::FromHandle(edit), &paired);
    EXPECT_EQ(CWnd::FromHandle(other), &paired.partner);

    // A window the object creates runs the hook before WM_CREATE.
    CPairedEdit created;
    ASSERT_TRUE(created.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 100, 80, 120), &host, 45));
    EXPECT_EQ(created.hookSaw, created.m_hWnd);
    paired.partner.UnsubclassWindow();
}

TEST_F(ControlClassTest, ButtonUnderAPlainObjectChecksAndReports)
{
    HWND hwnd = Plain(WC_BUTTON, BS_AUTOCHECKBOX, 46, u"Snooze", 80, 20);
    TapWindow(hwnd);
    EXPECT_EQ(plain.SendMessage(BM_GETCHECK), BST_CHECKED);
    plain.SendMessage(BM_SETCHECK, BST_UNCHECKED);
    EXPECT_EQ(::IsDlgButtonChecked(host.m_hWnd, 46), static_cast<UINT>(BST_UNCHECKED));
    plain.SendMessage(BM_SETSTATE, TRUE);
    EXPECT_EQ(plain.SendMessage(BM_GETSTATE) & BST_PUSHED, BST_PUSHED);
    EXPECT_EQ(plain.SendMessage(WM_GETDLGCODE), DLGC_BUTTON);
    EXPECT_EQ(host.Codes(46), (std::vector<UINT>{BN_CLICKED}));
}

TEST_F(ControlClassTest, EditUnderAPlainObjectTypesUndoesAndLimits)
{
    HWND hwnd = Plain(WC_EDIT, WS_BORDER | WS_TABSTOP, 47, u"", 120, 24);
    plain.SetFocus();
    plain.SendMessage(EM_LIMITTEXT, 4);
    TypeText(hwnd, u"abcde");
    EXPECT_EQ(TextOf(hwnd), CString(u"abcd"));
    EXPECT_EQ(beeps, 1);
    PressKey(hwnd, VK_BACK);
    EXPECT_EQ(TextOf(hwnd), CString(u"abc"));
    EXPECT_TRUE(plain.SendMessage(EM_UNDO));
    EXPECT_EQ(TextOf(hwnd), CString(u""));
    EXPECT_EQ(plain.SendMessage(WM_GETDLGCODE) & DLGC_WANTCHARS, static_cast<LRESULT>(DLGC_WANTCHARS));
    EXPECT_EQ(host.Count(47, EN_MAXTEXT), 1);
}

TEST_F(ControlClassTest, ComboUnderAPlainObjectSortsSearchesAndReportsTheUsersPick)
{
    HWND hwnd = Plain(WC_COMBOBOX, CBS_DROPDOWNLIST | CBS_SORT | WS_TABSTOP, 48);
    for (LPCWSTR item : {u"pear", u"apple", u"fig"})
        plain.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(plain.SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"FIG")), 1);
    plain.SendMessage(CB_SETCURSEL, 0);
    plain.SetFocus();
    PressKey(hwnd, VK_DOWN);
    EXPECT_EQ(plain.SendMessage(CB_GETCURSEL), 1);
    EXPECT_EQ(TextOf(hwnd), CString(u"fig"));
    EXPECT_EQ(host.Count(48, CBN_SELCHANGE), 1);
}

namespace {

int DescendingData(LPARAM a, LPARAM b, LPARAM) { return a > b ? -1 : a < b ? 1 : 0; }

}  // namespace

TEST_F(ControlClassTest, ListUnderAPlainObjectFillsSelectsAndSorts)
{
    HWND hwnd = Plain(WC_LISTVIEW, LVS_REPORT | LVS_SINGLESEL, 49, u"", 160, 100);
    LVCOLUMN col{LVCF_TEXT | LVCF_WIDTH, 0, 80, const_cast<LPWSTR>(u"Name"), 0, 0, 0, 0};
    EXPECT_EQ(plain.SendMessage(LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&col)), 0);
    for (int i = 0; i < 3; ++i) {
        LVITEM item{LVIF_TEXT | LVIF_PARAM, i, 0, 0, 0, const_cast<LPWSTR>(u"row"), 0, 0, 10 + i, 0};
        EXPECT_EQ(plain.SendMessage(LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)), i);
    }
    EXPECT_TRUE(plain.SendMessage(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&DescendingData)));
    LVITEM first{LVIF_PARAM, 0, 0, 0, 0, nullptr, 0, 0, 0, 0};
    plain.SendMessage(LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&first));
    EXPECT_EQ(first.lParam, 12);
    LVITEM select{LVIF_STATE, 0, 0, LVIS_SELECTED, LVIS_SELECTED, nullptr, 0, 0, 0, 0};
    plain.SendMessage(LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&select));
    EXPECT_EQ(plain.SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
    EXPECT_EQ(host.Count(49, LVN_ITEMCHANGED), 1);
    EXPECT_EQ(plain.SendMessage(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS);
    EXPECT_NE(::GetDlgItem(hwnd, 0), nullptr);

    // It paints its rows: the selected one in the selection's colour.
    auto* tree = qobject_cast<QTreeWidget*>(platform::LookupWindow(hwnd)->widget.data());
    const QRect row = tree->visualRect(tree->model()->index(1, 0)).translated(tree->viewport()->pos());
    platform::testing::Screenshot shot(hwnd, 1);
    EXPECT_NE(shot.Pixel(row.right() - 2, row.center().y()), shot.Pixel(row.right() - 2, row.bottom() + 30));
}

TEST_F(ControlClassTest, ListsHeaderIsAChildWindowSizedWithTheList)
{
    HWND list = Make(WC_LISTVIEW, LVS_REPORT, 50, u"", 150, 90);
    LVCOLUMN col{LVCF_TEXT | LVCF_WIDTH, 0, 70, const_cast<LPWSTR>(u"Name"), 0, 0, 0, 0};
    ::SendMessage(list, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&col));
    HWND header = reinterpret_cast<HWND>(::SendMessage(list, LVM_GETHEADER, 0, 0));
    ASSERT_TRUE(::IsWindow(header));
    EXPECT_EQ(::GetParent(header), list);
    EXPECT_EQ(::GetDlgItem(list, 0), header);
    EXPECT_EQ(::SendMessage(header, HDM_GETITEMCOUNT, 0, 0), 1);
    CRect listClient;
    CRect headerRect;
    ::GetClientRect(list, &listClient);
    ::GetWindowRect(header, &headerRect);
    EXPECT_EQ(headerRect.Width(), listClient.Width());
    EXPECT_GT(headerRect.Height(), 0);

    ::MoveWindow(list, 10, 10, 200, 90, TRUE);
    ::GetClientRect(list, &listClient);
    ::GetWindowRect(header, &headerRect);
    EXPECT_EQ(headerRect.Width(), listClient.Width()) << "the header follows the list's width";
    RECT item{};
    EXPECT_TRUE(::SendMessage(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.right - item.left, 70);
}

namespace {

// As the item lists do: the list attaches its own object to its header.
class CListWithHeader : public CListCtrl {
public:
    CHeaderCtrl m_header;
    BOOL attachedInHook = FALSE;

protected:
    void PreSubclassWindow() override
    {
        CListCtrl::PreSubclassWindow();
        if (CHeaderCtrl* header = GetHeaderCtrl())
            attachedInHook = m_header.SubclassWindow(header->m_hWnd);
    }
};

class CListForm : public CDialog {
public:
    CListForm() : CDialog(9060) {}
    CListWithHeader m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 1073, m_list); }
};

}  // namespace

TEST_F(ControlClassTest, DataExchangeAttachesTheListAndTheHookItsHeader)
{
    platform::RegisterDialog({9060, u"Form", WS_POPUP | WS_CAPTION, 0, 0, 0, 120, 100, u"Tahoma", 9,
                              {{u"", 1073, WC_LISTVIEW, WS_VISIBLE | LVS_REPORT, 0, 0, 110, 80}}});
    CListForm form;
    ASSERT_TRUE(form.Create(9060));
    EXPECT_TRUE(form.m_list.attachedInHook);
    EXPECT_EQ(form.m_list.GetHeaderCtrl(), &form.m_list.m_header);
    EXPECT_EQ(form.m_list.InsertColumn(0, u"Name", LVCFMT_LEFT, 50), 0);
    EXPECT_EQ(form.m_list.m_header.GetItemCount(), 1);
    form.DestroyWindow();
    EXPECT_EQ(form.m_list.m_header.m_hWnd, nullptr);
}
