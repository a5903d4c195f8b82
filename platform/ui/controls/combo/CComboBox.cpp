#include "platform/ui/controls/combo/CComboBox.h"

#include "platform/ui/ControlText.h"
#include "platform/ui/controls/combo/ComboWidget.h"
#include "platform/ui/controls/edit/EditWidget.h"
#include "platform/ui/WinApi.h"

#include <QLineEdit>

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

using platform::ComboState;
using platform::ComboWidget;

using platform::CopyText;
using platform::FromWide;

namespace {

constexpr int kDataRole = Qt::UserRole;


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

// Runs a change made by code: the box's own signals must not read as the user's.
template <class F>
auto ByCode(ComboState& state, F&& change)
{
    return platform::ChangeByCode(state.internal, std::forward<F>(change));
}

}  // namespace

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_COMBOBOX, u"", dwStyle, rect, pParentWnd, nID);
}

LRESULT CComboBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    platform::Window* w = platform::LookupWindow(m_hWnd);
    auto* box = w ? dynamic_cast<ComboWidget*>(w->widget.data()) : nullptr;
    ComboState* state = platform::GetControlData<ComboState>(m_hWnd);
    if (!box || !state)
        return CWnd::DefWindowProc(message, wParam, lParam);
    const HWND self = m_hWnd;
    const int count = box->count();
    const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    const bool valid = index >= 0 && index < count;
    switch (message) {
    case CB_ADDSTRING: {
        const QString text = FromWide(reinterpret_cast<LPCWSTR>(lParam));
        const int at = (GetStyle() & CBS_SORT) ? SortedPosition(*box, text) : count;
        return ByCode(*state, [&] {
            box->insertItem(at, text, QVariant::fromValue<qlonglong>(0));
            return at;
        });
    }
    case CB_INSERTSTRING: {
        if (index < -1 || index > count)
            return CB_ERR;
        const int at = index == -1 ? count : index;
        return ByCode(*state, [&] {
            box->insertItem(at, FromWide(reinterpret_cast<LPCWSTR>(lParam)), QVariant::fromValue<qlonglong>(0));
            return at;
        });
    }
    case CB_DELETESTRING:
        if (!valid)
            return CB_ERR;
        return ByCode(*state, [&] {
            box->removeItem(index);
            return box->count();
        });
    case CB_RESETCONTENT:
        return ByCode(*state, [&] {
            box->clear();
            if (box->lineEdit())
                box->lineEdit()->clear();
            return CB_OKAY;
        });
    case CB_GETCOUNT:
        return count;
    case CB_GETCURSEL:
        return box->currentIndex();
    case CB_SETCURSEL:
        return ByCode(*state, [&]() -> LRESULT {
            box->setCurrentIndex(valid ? index : -1);
            if (!valid && box->lineEdit())
                box->lineEdit()->clear();
            return valid ? index : CB_ERR;
        });
    case CB_GETITEMDATA:
        return valid ? static_cast<LRESULT>(box->itemData(index, kDataRole).toLongLong()) : CB_ERR;
    case CB_SETITEMDATA:
        if (!valid)
            return CB_ERR;
        box->setItemData(index, QVariant::fromValue<qlonglong>(lParam), kDataRole);
        return TRUE;
    case CB_GETLBTEXT:
        if (!valid)
            return CB_ERR;
        // The caller's buffer is sized from CB_GETLBTEXTLEN.
        return CopyText(box->itemText(index), reinterpret_cast<LPWSTR>(lParam), box->itemText(index).size() + 1);
    case CB_GETLBTEXTLEN:
        return valid ? box->itemText(index).size() : CB_ERR;
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
        return Find(*box, index, FromWide(reinterpret_cast<LPCWSTR>(lParam)), message == CB_FINDSTRINGEXACT);
    case CB_SELECTSTRING: {
        const int found = Find(*box, index, FromWide(reinterpret_cast<LPCWSTR>(lParam)), false);
        if (found != CB_ERR)
            ByCode(*state, [&] {
                box->setCurrentIndex(found);
                return 0;
            });
        return found;
    }
    case CB_INITSTORAGE:
        return count + std::max(0, index);
    case CB_SETEXTENDEDUI:
        state->extendedUI = wParam != 0;
        return CB_OKAY;
    case CB_GETEXTENDEDUI:
        return state->extendedUI ? TRUE : FALSE;
    case CB_SETEDITSEL: {
        QLineEdit* edit = box->lineEdit();
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
    case CB_GETEDITSEL: {
        QLineEdit* edit = box->lineEdit();
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
    case CB_LIMITTEXT:
        if (!box->lineEdit())
            return CB_ERR;
        box->lineEdit()->setMaxLength((wParam == 0 || wParam > 32767) ? 32767 : static_cast<int>(wParam));
        return TRUE;
    case CB_SHOWDROPDOWN:
        if (wParam)
            box->showPopup();
        else
            box->hidePopup();
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return box->PopupShown() ? TRUE : FALSE;
    case WM_SETTEXT: {
        const QString text = FromWide(reinterpret_cast<LPCWSTR>(lParam));
        if (QLineEdit* edit = box->lineEdit()) {
            edit->setText(text);
            return TRUE;
        }
        // A list without an edit field can only show one of its items.
        const int found = Find(*box, -1, text, true);
        if (found == CB_ERR)
            return CB_ERR;
        ByCode(*state, [&] {
            box->setCurrentIndex(found);
            return 0;
        });
        return TRUE;
    }
    case WM_GETTEXTLENGTH:
        return box->currentText().size();
    case WM_GETTEXT:
        return CopyText(box->currentText(), reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
    case WM_SETFOCUS:
        CWnd::DefWindowProc(message, wParam, lParam);
        platform::NotifyParent(self, CBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        if (box->PopupShown())
            box->hidePopup();
        if (!::IsWindow(self))
            return 0;
        CWnd::DefWindowProc(message, wParam, lParam);
        platform::NotifyParent(self, CBN_KILLFOCUS);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_WANTARROWS;
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

// --- members -----------------------------------------------------------------------

namespace {
WPARAM W(int i) { return static_cast<WPARAM>(static_cast<std::intptr_t>(i)); }
LPARAM L(LPCWSTR s) { return reinterpret_cast<LPARAM>(s ? s : u""); }
}  // namespace

int CComboBox::GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
int CComboBox::GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
int CComboBox::SetCurSel(int nSelect) { return static_cast<int>(SendMessage(CB_SETCURSEL, W(nSelect))); }
DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, W(nIndex)));
}
int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return static_cast<int>(SendMessage(CB_SETITEMDATA, W(nIndex), static_cast<LPARAM>(dwItemData)));
}
void* CComboBox::GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
int CComboBox::SetItemDataPtr(int nIndex, void* pData)
{
    return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData));
}
int CComboBox::GetLBText(int nIndex, LPWSTR lpszText) const
{
    return static_cast<int>(SendMessage(CB_GETLBTEXT, W(nIndex), reinterpret_cast<LPARAM>(lpszText)));
}
void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    const int length = GetLBTextLen(nIndex);
    if (length == CB_ERR) {
        rString.Empty();
        return;
    }
    std::vector<WCHAR> buffer(static_cast<std::size_t>(length) + 1);
    GetLBText(nIndex, buffer.data());
    rString = buffer.data();
}
int CComboBox::GetLBTextLen(int nIndex) const { return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, W(nIndex))); }
int CComboBox::AddString(LPCWSTR lpszString) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, L(lpszString))); }
int CComboBox::InsertString(int nIndex, LPCWSTR lpszString)
{
    return static_cast<int>(SendMessage(CB_INSERTSTRING, W(nIndex), L(lpszString)));
}
int CComboBox::DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex)); }
void CComboBox::ResetContent() { SendMessage(CB_RESETCONTENT); }
int CComboBox::FindString(int nStartAfter, LPCWSTR lpszString) const
{
    return static_cast<int>(SendMessage(CB_FINDSTRING, W(nStartAfter), L(lpszString)));
}
int CComboBox::FindStringExact(int nIndexStart, LPCWSTR lpszFind) const
{
    return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, W(nIndexStart), L(lpszFind)));
}
int CComboBox::SelectString(int nStartAfter, LPCWSTR lpszString)
{
    return static_cast<int>(SendMessage(CB_SELECTSTRING, W(nStartAfter), L(lpszString)));
}
int CComboBox::InitStorage(int nItems, UINT nBytes)
{
    return static_cast<int>(SendMessage(CB_INITSTORAGE, W(nItems), nBytes));
}
int CComboBox::SetExtendedUI(BOOL bExtended) { return static_cast<int>(SendMessage(CB_SETEXTENDEDUI, bExtended)); }
BOOL CComboBox::GetExtendedUI() const { return static_cast<BOOL>(SendMessage(CB_GETEXTENDEDUI)); }
BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar)
{
    return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(nStartChar, nEndChar)));
}
DWORD CComboBox::GetEditSel() const { return static_cast<DWORD>(SendMessage(CB_GETEDITSEL)); }
BOOL CComboBox::LimitText(int nMaxChars) { return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, W(nMaxChars))); }
void CComboBox::ShowDropDown(BOOL bShowIt) { SendMessage(CB_SHOWDROPDOWN, bShowIt); }
BOOL CComboBox::GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
