#include "platform/ui/controls/combo/ComboProc.h"

#include "platform/ui/CommCtrl.h"
#include "platform/ui/ControlText.h"
#include "platform/ui/MessageTable.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/controls/combo/ComboWidget.h"

#include <QLineEdit>

#include <algorithm>

namespace platform {
namespace {

constexpr int kDataRole = Qt::UserRole;

struct ComboControl {
    explicit ComboControl(HWND h) : hwnd(h), state(GetControlData<ComboState>(h))
    {
        if (Window* w = LookupWindow(h))
            box = dynamic_cast<ComboWidget*>(w->widget.data());
    }
    bool Valid() const { return box && state; }
    int Count() const { return box->count(); }
    bool Has(int index) const { return index >= 0 && index < Count(); }
    // A change made by code: the box's own signals must not read as the user's.
    template <class F>
    auto ByCode(F&& change)
    {
        return ChangeByCode(state->internal, std::forward<F>(change));
    }

    HWND hwnd;
    ComboWidget* box = nullptr;
    ComboState* state;
};

int IntOf(WPARAM wParam) { return static_cast<int>(static_cast<std::intptr_t>(wParam)); }
QString TextOf(LPARAM lParam) { return FromWide(reinterpret_cast<LPCWSTR>(lParam)); }

// A search through the items starting after `startAfter` (from the top for -1
// or an index out of range) and wrapping around; CB_ERR when nothing matches.
int Find(const QComboBox& box, int startAfter, const QString& text, bool exact)
{
    const int count = box.count();
    if (count == 0)
        return CB_ERR;
    const int first = (startAfter < 0 || startAfter >= count) ? 0 : startAfter + 1;
    for (int k = 0; k < count; ++k) {
        const int i = (first + k) % count;
        const QString item = box.itemText(i);
        const bool match = exact ? item.compare(text, Qt::CaseInsensitive) == 0
                                 : item.startsWith(text, Qt::CaseInsensitive);
        if (match)
            return i;
    }
    return CB_ERR;
}

// A sorted box keeps its items in case-insensitive order; equal ones go after
// those already there.
int SortedPosition(const QComboBox& box, const QString& text)
{
    int lo = 0;
    int hi = box.count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (box.itemText(mid).compare(text, Qt::CaseInsensitive) <= 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// Qt selects the first entry put into an empty box; the handheld's box stays
// without a selection until one is made.
LRESULT InsertAt(ComboControl& c, int at, const QString& text)
{
    return c.ByCode([&] {
        const int before = c.box->currentIndex();
        // An edit field keeps the text it shows: adding entries never changes it.
        const QString shown = c.box->lineEdit() ? c.box->lineEdit()->text() : QString();
        c.box->insertItem(at, text, QVariant::fromValue<qlonglong>(0));
        if (before < 0 && c.box->currentIndex() >= 0) {
            c.box->setCurrentIndex(-1);
            if (c.box->lineEdit())
                c.box->lineEdit()->setText(shown);
        }
        return at;
    });
}

void Select(ComboControl& c, int index)
{
    c.ByCode([&] {
        c.box->setCurrentIndex(index);
        return 0;
    });
}

// --- items ---------------------------------------------------------------------------

LRESULT OnAddString(ComboControl& c, WPARAM, LPARAM lParam)
{
    const QString text = TextOf(lParam);
    const bool sorted = ::GetWindowLong(c.hwnd, GWL_STYLE) & CBS_SORT;
    return InsertAt(c, sorted ? SortedPosition(*c.box, text) : c.Count(), text);
}

LRESULT OnInsertString(ComboControl& c, WPARAM wParam, LPARAM lParam)
{
    const int index = IntOf(wParam);
    if (index < -1 || index > c.Count())
        return CB_ERR;
    return InsertAt(c, index == -1 ? c.Count() : index, TextOf(lParam));
}

LRESULT OnDeleteString(ComboControl& c, WPARAM wParam, LPARAM)
{
    const int index = IntOf(wParam);
    if (!c.Has(index))
        return CB_ERR;
    // Deleting the selected entry leaves none selected; Qt would pick a neighbour.
    return c.ByCode([&] {
        const bool selected = c.box->currentIndex() == index;
        c.box->removeItem(index);
        if (selected)
            c.box->setCurrentIndex(-1);
        return c.box->count();
    });
}

LRESULT OnResetContent(ComboControl& c, WPARAM, LPARAM)
{
    return c.ByCode([&] {
        c.box->clear();
        if (c.box->lineEdit())
            c.box->lineEdit()->clear();
        return CB_OKAY;
    });
}

LRESULT OnGetCount(ComboControl& c, WPARAM, LPARAM) { return c.Count(); }

LRESULT OnGetItemData(ComboControl& c, WPARAM wParam, LPARAM)
{
    const int index = IntOf(wParam);
    return c.Has(index) ? static_cast<LRESULT>(c.box->itemData(index, kDataRole).toLongLong()) : CB_ERR;
}

LRESULT OnSetItemData(ComboControl& c, WPARAM wParam, LPARAM lParam)
{
    const int index = IntOf(wParam);
    if (!c.Has(index))
        return CB_ERR;
    c.box->setItemData(index, QVariant::fromValue<qlonglong>(lParam), kDataRole);
    return TRUE;
}

LRESULT OnGetLBText(ComboControl& c, WPARAM wParam, LPARAM lParam)
{
    const int index = IntOf(wParam);
    if (!c.Has(index))
        return CB_ERR;
    // The caller's buffer is sized from CB_GETLBTEXTLEN.
    const QString text = c.box->itemText(index);
    return CopyText(text, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(text.size()) + 1);
}

LRESULT OnGetLBTextLen(ComboControl& c, WPARAM wParam, LPARAM)
{
    const int index = IntOf(wParam);
    return c.Has(index) ? c.box->itemText(index).size() : CB_ERR;
}

LRESULT OnInitStorage(ComboControl& c, WPARAM wParam, LPARAM) { return c.Count() + std::max(0, IntOf(wParam)); }

// --- selection and searching ------------------------------------------------------------

LRESULT OnGetCurSel(ComboControl& c, WPARAM, LPARAM) { return c.box->currentIndex(); }

LRESULT OnSetCurSel(ComboControl& c, WPARAM wParam, LPARAM)
{
    const int index = IntOf(wParam);
    const bool valid = c.Has(index);
    Select(c, valid ? index : -1);
    if (!valid && c.box->lineEdit())
        c.box->lineEdit()->clear();
    return valid ? index : CB_ERR;
}

LRESULT OnFindString(ComboControl& c, WPARAM wParam, LPARAM lParam)
{
    return Find(*c.box, IntOf(wParam), TextOf(lParam), false);
}

LRESULT OnFindStringExact(ComboControl& c, WPARAM wParam, LPARAM lParam)
{
    return Find(*c.box, IntOf(wParam), TextOf(lParam), true);
}

LRESULT OnSelectString(ComboControl& c, WPARAM wParam, LPARAM lParam)
{
    const int found = Find(*c.box, IntOf(wParam), TextOf(lParam), false);
    if (found != CB_ERR)
        Select(c, found);
    return found;
}

// --- the edit field and the drop-down ------------------------------------------------------

LRESULT OnSetEditSel(ComboControl& c, WPARAM, LPARAM lParam)
{
    QLineEdit* edit = c.box->lineEdit();
    if (!edit)
        return CB_ERR;
    const int start = static_cast<SHORT>(LOWORD(lParam));
    int end = static_cast<SHORT>(HIWORD(lParam));
    const int length = static_cast<int>(edit->text().size());
    if (start == -1) {
        edit->deselect();
    } else {
        if (end < 0 || end > length)
            end = length;
        edit->setSelection(std::min(start, length), end - std::min(start, length));
    }
    return TRUE;
}

LRESULT OnGetEditSel(ComboControl& c, WPARAM wParam, LPARAM lParam)
{
    QLineEdit* edit = c.box->lineEdit();
    if (!edit)
        return CB_ERR;
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const int end = edit->hasSelectedText() ? edit->selectionEnd() : start;
    if (auto* p = reinterpret_cast<DWORD*>(wParam))
        *p = static_cast<DWORD>(start);
    if (auto* p = reinterpret_cast<DWORD*>(lParam))
        *p = static_cast<DWORD>(end);
    return MAKELONG(start, end);
}

LRESULT OnLimitText(ComboControl& c, WPARAM wParam, LPARAM)
{
    if (!c.box->lineEdit())
        return CB_ERR;
    const int limit = (wParam == 0 || wParam > 32767) ? 32767 : static_cast<int>(wParam);
    // A longer text already there stays whole (Qt would cut it): the limit
    // only stops typing past it.
    QLineEdit* edit = c.box->lineEdit();
    edit->setMaxLength(std::max(limit, static_cast<int>(edit->text().size())));
    return TRUE;
}

LRESULT OnSetExtendedUI(ComboControl& c, WPARAM wParam, LPARAM)
{
    c.state->extendedUI = wParam != 0;
    return CB_OKAY;
}

LRESULT OnGetExtendedUI(ComboControl& c, WPARAM, LPARAM) { return c.state->extendedUI ? TRUE : FALSE; }

LRESULT OnShowDropDown(ComboControl& c, WPARAM wParam, LPARAM)
{
    if (wParam)
        c.box->showPopup();
    else
        c.box->hidePopup();
    return TRUE;
}

LRESULT OnGetDroppedState(ComboControl& c, WPARAM, LPARAM) { return c.box->PopupShown() ? TRUE : FALSE; }

// --- text, focus, the dialog -------------------------------------------------------------

LRESULT OnSetText(ComboControl& c, WPARAM, LPARAM lParam)
{
    const QString text = TextOf(lParam);
    if (QLineEdit* edit = c.box->lineEdit()) {
        edit->setText(text);
        return TRUE;
    }
    // A list without an edit field can only show one of its items.
    const int found = Find(*c.box, -1, text, true);
    if (found == CB_ERR)
        return CB_ERR;
    Select(c, found);
    return TRUE;
}

LRESULT OnGetTextLength(ComboControl& c, WPARAM, LPARAM) { return c.box->currentText().size(); }

LRESULT OnGetText(ComboControl& c, WPARAM wParam, LPARAM lParam)
{
    return CopyText(c.box->currentText(), reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
}

LRESULT OnSetFocus(ComboControl& c, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = c.hwnd;
    ::DefWindowProc(hwnd, WM_SETFOCUS, wParam, lParam);
    NotifyParent(hwnd, CBN_SETFOCUS);
    return 0;
}

LRESULT OnKillFocus(ComboControl& c, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = c.hwnd;
    if (c.box->PopupShown())
        c.box->hidePopup();
    if (!::IsWindow(hwnd))
        return 0;
    ::DefWindowProc(hwnd, WM_KILLFOCUS, wParam, lParam);
    NotifyParent(hwnd, CBN_KILLFOCUS);
    return 0;
}

LRESULT OnGetDlgCode(ComboControl&, WPARAM, LPARAM) { return DLGC_WANTCHARS | DLGC_WANTARROWS; }

const MessageHandler<ComboControl> kComboMessages[] = {
    {CB_ADDSTRING, OnAddString},
    {CB_INSERTSTRING, OnInsertString},
    {CB_DELETESTRING, OnDeleteString},
    {CB_RESETCONTENT, OnResetContent},
    {CB_GETCOUNT, OnGetCount},
    {CB_GETITEMDATA, OnGetItemData},
    {CB_SETITEMDATA, OnSetItemData},
    {CB_GETLBTEXT, OnGetLBText},
    {CB_GETLBTEXTLEN, OnGetLBTextLen},
    {CB_INITSTORAGE, OnInitStorage},
    {CB_GETCURSEL, OnGetCurSel},
    {CB_SETCURSEL, OnSetCurSel},
    {CB_FINDSTRING, OnFindString},
    {CB_FINDSTRINGEXACT, OnFindStringExact},
    {CB_SELECTSTRING, OnSelectString},
    {CB_SETEDITSEL, OnSetEditSel},
    {CB_GETEDITSEL, OnGetEditSel},
    {CB_LIMITTEXT, OnLimitText},
    {CB_SETEXTENDEDUI, OnSetExtendedUI},
    {CB_GETEXTENDEDUI, OnGetExtendedUI},
    {CB_SHOWDROPDOWN, OnShowDropDown},
    {CB_GETDROPPEDSTATE, OnGetDroppedState},
    {WM_SETTEXT, OnSetText},
    {WM_GETTEXTLENGTH, OnGetTextLength},
    {WM_GETTEXT, OnGetText},
    {WM_SETFOCUS, OnSetFocus},
    {WM_KILLFOCUS, OnKillFocus},
    {WM_GETDLGCODE, OnGetDlgCode},
};

}  // namespace

LRESULT ComboProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Handle(kComboMessages, hwnd, message, wParam, lParam);
}

}  // namespace platform
