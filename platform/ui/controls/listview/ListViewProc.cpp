#include "platform/ui/controls/listview/ListViewProc.h"

#include "platform/system/Trace.h"
#include "platform/ui/ControlText.h"
#include "platform/ui/MessageTable.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/listview/ListItems.h"

#include <QHeaderView>

#include <algorithm>

namespace platform {
namespace {

int IntOf(WPARAM wParam) { return static_cast<int>(static_cast<std::intptr_t>(wParam)); }

template <class F>
auto Quietly(ListItems& list, F&& change)
{
    return ChangeByCode(list.s->internal, std::forward<F>(change));
}

HWND EnsureHeader(ListItems& list)
{
    if (::IsWindow(list.s->header))
        return list.s->header;
    const bool shown = (::GetWindowLong(list.hwnd, GWL_STYLE) & LVS_NOCOLUMNHEADER) == 0;
    list.s->header = ::CreateWindowEx(0, WC_HEADER, u"", WS_CHILD | (shown ? WS_VISIBLE : 0), 0, 0, 0, 0,
                                      list.hwnd, nullptr, nullptr, nullptr);
    PlaceListHeader(list.hwnd);
    return list.s->header;
}

// --- the window ------------------------------------------------------------------------

LRESULT OnCreate(ListItems& list, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ::DefWindowProc(list.hwnd, WM_CREATE, wParam, lParam);
    EnsureHeader(list);
    return result;
}

LRESULT OnSize(ListItems& list, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = list.hwnd;
    ::DefWindowProc(hwnd, WM_SIZE, wParam, lParam);
    UpdateListScrollBars(hwnd);
    PlaceListHeader(hwnd);
    return 0;
}

LRESULT OnSetFont(ListItems& list, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = list.hwnd;
    ::DefWindowProc(hwnd, WM_SETFONT, wParam, lParam);
    if (ListState* state = GetControlData<ListState>(hwnd))
        state->rowHeight = 0;
    UpdateListScrollBars(hwnd);
    return 0;
}

// The rows are painted when the default processing returns. A trace line per
// paint lets a benchmark see when a started program shows its list.
LRESULT OnPaint(ListItems& list, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = list.hwnd;
    const LRESULT result = ::DefWindowProc(hwnd, WM_PAINT, wParam, lParam);
    if (ListItems after(hwnd); after.Valid())
        Trace("list painted rows=%d", after.Count());
    return result;
}

// Rows and columns decide the scroll bars, and so the client area.
LRESULT Relaid(ListItems& list, LRESULT result)
{
    UpdateListScrollBars(list.hwnd);
    return result;
}

LRESULT OnGetHeader(ListItems& list, WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(EnsureHeader(list)); }

LRESULT OnGetDlgCode(ListItems&, WPARAM, LPARAM) { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

// The parent hears of every key before the list acts on it.
LRESULT OnKeyDown(ListItems& list, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = list.hwnd;
    Window* w = LookupWindow(hwnd);
    if (w && w->parent) {
        NMLVKEYDOWN nm{};
        nm.hdr = NMHDR{hwnd, w->id, LVN_KEYDOWN};
        nm.wVKey = static_cast<WORD>(wParam);
        ::SendMessage(w->parent, WM_NOTIFY, w->id, reinterpret_cast<LPARAM>(&nm));
    }
    return ::IsWindow(hwnd) ? ::DefWindowProc(hwnd, WM_KEYDOWN, wParam, lParam) : 0;
}

// What the list does with its header's notifications when the program's list
// object has not taken them: a double tap on a divider fits the column to its texts.
LRESULT OnNotify(ListItems& list, WPARAM, LPARAM lParam)
{
    const auto* nm = reinterpret_cast<const NMHEADER*>(lParam);
    if (!nm || nm->hdr.hwndFrom != list.s->header)
        return 0;
    if (nm->hdr.code == HDN_DIVIDERDBLCLICKW && nm->iItem >= 0 && nm->iItem < list.Columns()) {
        list.t->resizeColumnToContents(nm->iItem);
        return Relaid(list, 0);
    }
    return 0;
}

// --- columns -------------------------------------------------------------------------

LRESULT OnInsertColumn(ListItems& list, WPARAM wParam, LPARAM lParam)
{
    const auto* col = reinterpret_cast<const LVCOLUMN*>(lParam);
    return col ? Relaid(list, list.InsertColumn(IntOf(wParam), *col)) : -1;
}

LRESULT OnDeleteColumn(ListItems& list, WPARAM wParam, LPARAM)
{
    return Relaid(list, list.DeleteColumn(IntOf(wParam)) ? TRUE : FALSE);
}

LRESULT OnGetColumnWidth(ListItems& list, WPARAM wParam, LPARAM)
{
    const int index = IntOf(wParam);
    return (index >= 0 && index < list.Columns()) ? list.t->columnWidth(index) : 0;
}

LRESULT OnSetColumnWidth(ListItems& list, WPARAM wParam, LPARAM lParam)
{
    const int index = IntOf(wParam);
    if (index < 0 || index >= list.Columns())
        return FALSE;
    int cx = static_cast<SHORT>(LOWORD(lParam));
    if (cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER) {
        list.t->resizeColumnToContents(index);
        cx = list.t->columnWidth(index);
    }
    list.t->setColumnWidth(index, std::max(0, cx));
    return Relaid(list, TRUE);
}

LRESULT OnGetColumn(ListItems& list, WPARAM wParam, LPARAM lParam)
{
    const int index = IntOf(wParam);
    auto* col = reinterpret_cast<LVCOLUMN*>(lParam);
    if (!col || index < 0 || index >= list.Columns())
        return FALSE;
    QTreeWidgetItem* header = list.t->headerItem();
    if (col->mask & LVCF_FMT)
        col->fmt = FormatOf(Qt::Alignment(header->textAlignment(index)));
    if (col->mask & LVCF_WIDTH)
        col->cx = list.t->columnWidth(index);
    if (col->mask & LVCF_TEXT)
        CopyText(header->text(index), col->pszText, col->cchTextMax);
    if (col->mask & LVCF_SUBITEM)
        col->iSubItem = index;
    return TRUE;
}

LRESULT OnSetColumn(ListItems& list, WPARAM wParam, LPARAM lParam)
{
    const int index = IntOf(wParam);
    const auto* col = reinterpret_cast<const LVCOLUMN*>(lParam);
    if (!col || index < 0 || index >= list.Columns())
        return FALSE;
    QTreeWidgetItem* header = list.t->headerItem();
    if (col->mask & LVCF_FMT)
        header->setTextAlignment(index, AlignmentOf(col->fmt));
    if (col->mask & LVCF_WIDTH)
        list.t->setColumnWidth(index, std::max(0, col->cx));
    if (col->mask & LVCF_TEXT)
        header->setText(index, ListText(col->pszText));
    return Relaid(list, TRUE);
}

// --- items -----------------------------------------------------------------------------

LRESULT OnInsertItem(ListItems& list, WPARAM, LPARAM lParam)
{
    const auto* lv = reinterpret_cast<const LVITEM*>(lParam);
    if (!lv || lv->iSubItem != 0)
        return -1;
    const int at = std::clamp(lv->iItem, 0, list.Count());
    auto* item = new QTreeWidgetItem;
    item->setData(0, Qt::UserRole, QVariant::fromValue<qlonglong>(0));
    // Text and item data go in before the row does, unannounced; a state needs the row.
    LVITEM before = *lv;
    before.mask &= ~static_cast<UINT>(LVIF_STATE);
    list.Apply(item, at, before);
    Quietly(list, [&] {
        list.t->insertTopLevelItem(at, item);
        return 0;
    });
    if (list.s->selectionMark >= at)
        ++list.s->selectionMark;
    if (lv->mask & LVIF_STATE) {
        LVITEM state = *lv;
        state.mask = LVIF_STATE;
        list.Apply(item, at, state);
    }
    // Once the vertical bar shows, more rows change no scroll bar; asking the
    // header its height for every row was most of a refill.
    const Window* w = LookupWindow(list.hwnd);
    return (w && w->vscroll) ? at : Relaid(list, at);
}

LRESULT OnSetItem(ListItems& list, WPARAM, LPARAM lParam)
{
    const auto* lv = reinterpret_cast<const LVITEM*>(lParam);
    QTreeWidgetItem* item = lv ? list.Item(lv->iItem) : nullptr;
    if (!item)
        return FALSE;
    list.Apply(item, lv->iItem, *lv);
    return TRUE;
}

LRESULT OnGetItem(ListItems& list, WPARAM, LPARAM lParam)
{
    auto* lv = reinterpret_cast<LVITEM*>(lParam);
    QTreeWidgetItem* item = lv ? list.Item(lv->iItem) : nullptr;
    if (!item)
        return FALSE;
    if (lv->mask & LVIF_TEXT)
        CopyText(item->text(lv->iSubItem), lv->pszText, lv->cchTextMax);
    if (lv->mask & LVIF_PARAM)
        lv->lParam = list.Data(item);
    if (lv->mask & LVIF_STATE)
        lv->state = list.State(lv->iItem, lv->stateMask);
    return TRUE;
}

LRESULT OnSetItemText(ListItems& list, WPARAM wParam, LPARAM lParam)
{
    const auto* lv = reinterpret_cast<const LVITEM*>(lParam);
    QTreeWidgetItem* item = list.Item(IntOf(wParam));
    if (!lv || !item || lv->iSubItem < 0 || lv->iSubItem >= std::max(1, list.Columns()))
        return FALSE;
    list.SetText(item, lv->iSubItem, ListText(lv->pszText));
    return TRUE;
}

LRESULT OnGetItemText(ListItems& list, WPARAM wParam, LPARAM lParam)
{
    auto* lv = reinterpret_cast<LVITEM*>(lParam);
    if (!lv)
        return 0;
    QTreeWidgetItem* item = list.Item(IntOf(wParam));
    return CopyText(item ? item->text(lv->iSubItem) : QString(), lv->pszText, lv->cchTextMax);
}

LRESULT OnGetItemCount(ListItems& list, WPARAM, LPARAM) { return list.Count(); }

// A handler of the notification may destroy the list: nothing of it is used after.
LRESULT OnDeleteItem(ListItems& list, WPARAM wParam, LPARAM)
{
    const int index = IntOf(wParam);
    if (!list.Item(index))
        return FALSE;
    const HWND hwnd = list.hwnd;
    NotifyList(hwnd, LVN_DELETEITEM, index, 0);
    ListItems after(hwnd);
    if (!after.Valid() || !after.Item(index))
        return FALSE;
    Quietly(after, [&] {
        delete after.t->takeTopLevelItem(index);
        return 0;
    });
    if (after.s->selectionMark == index)
        after.s->selectionMark = -1;
    else if (after.s->selectionMark > index)
        --after.s->selectionMark;
    return Relaid(after, TRUE);
}

LRESULT OnDeleteAllItems(ListItems& list, WPARAM, LPARAM)
{
    const HWND hwnd = list.hwnd;
    NotifyList(hwnd, LVN_DELETEALLITEMS, -1, 0);
    ListItems after(hwnd);
    if (!after.Valid())
        return FALSE;
    Quietly(after, [&] {
        after.t->clear();
        return 0;
    });
    after.s->selectionMark = -1;
    return Relaid(after, TRUE);
}

LRESULT OnSortItems(ListItems& list, WPARAM wParam, LPARAM lParam)
{
    const bool sorted =
        Quietly(list, [&] { return list.Sort(reinterpret_cast<PFNLVCOMPARE>(lParam), static_cast<LPARAM>(wParam)); });
    return sorted ? TRUE : FALSE;
}

LRESULT OnFindItem(ListItems& list, WPARAM wParam, LPARAM lParam)
{
    const auto* info = reinterpret_cast<const LVFINDINFO*>(lParam);
    return info ? list.Find(IntOf(wParam), *info) : -1;
}

// --- states and the selection ------------------------------------------------------------

LRESULT OnSetItemState(ListItems& list, WPARAM wParam, LPARAM lParam)
{
    const int index = IntOf(wParam);
    const auto* lv = reinterpret_cast<const LVITEM*>(lParam);
    if (!lv)
        return FALSE;
    if (index == -1) {
        for (int i = 0; i < list.Count(); ++i)
            list.SetState(i, lv->state, lv->stateMask);
        return TRUE;
    }
    if (!list.Item(index))
        return FALSE;
    list.SetState(index, lv->state, lv->stateMask);
    return TRUE;
}

LRESULT OnGetItemState(ListItems& list, WPARAM wParam, LPARAM lParam)
{
    return list.State(IntOf(wParam), static_cast<UINT>(lParam));
}

LRESULT OnGetNextItem(ListItems& list, WPARAM wParam, LPARAM lParam) { return list.Next(IntOf(wParam), LOWORD(lParam)); }

LRESULT OnGetSelectionMark(ListItems& list, WPARAM, LPARAM) { return list.s->selectionMark; }

LRESULT OnSetSelectionMark(ListItems& list, WPARAM, LPARAM lParam)
{
    const int old = list.s->selectionMark;
    list.s->selectionMark = static_cast<int>(lParam);
    return old;
}

LRESULT OnGetSelectedCount(ListItems& list, WPARAM, LPARAM)
{
    return static_cast<LRESULT>(list.t->selectionModel()->selectedRows().size());
}

// --- scrolling and drawing ---------------------------------------------------------------

LRESULT OnEnsureVisible(ListItems& list, WPARAM wParam, LPARAM)
{
    QTreeWidgetItem* item = list.Item(IntOf(wParam));
    if (!item)
        return FALSE;
    list.t->scrollToItem(item);
    return TRUE;
}

LRESULT OnRedrawItems(ListItems& list, WPARAM wParam, LPARAM lParam)
{
    const int first = std::max(0, IntOf(wParam));
    const int last = std::min(static_cast<int>(lParam), list.Count());
    if (first > last)
        return FALSE;
    // Rows past the end are the empty space under the list's last row.
    const QRect top = list.Item(first) ? list.t->visualItemRect(list.Item(first)) : QRect();
    const int y = top.isValid() ? top.top() : 0;
    const QRect bottom = list.Item(last) ? list.t->visualItemRect(list.Item(last)) : QRect();
    const int end = bottom.isValid() ? bottom.bottom() + 1 : list.t->viewport()->height();
    list.t->viewport()->update(QRect(0, y, list.t->viewport()->width(), std::max(0, end - y)));
    return TRUE;
}

LRESULT OnGetTopIndex(ListItems& list, WPARAM, LPARAM)
{
    const QModelIndex top = list.t->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

LRESULT OnGetCountPerPage(ListItems& list, WPARAM, LPARAM)
{
    const int row = list.Count() > 0 ? list.t->visualItemRect(list.t->topLevelItem(0)).height() : 0;
    const int rowHeight = row > 0 ? row : list.t->fontMetrics().height() + 2;
    return list.t->viewport()->height() / rowHeight;
}

LRESULT OnSetExtendedStyle(ListItems& list, WPARAM wParam, LPARAM lParam)
{
    const DWORD old = list.s->extendedStyle;
    const DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
    list.s->extendedStyle = (old & ~mask) | (static_cast<DWORD>(lParam) & mask);
    list.t->viewport()->update();
    return old;
}

LRESULT OnGetExtendedStyle(ListItems& list, WPARAM, LPARAM) { return list.s->extendedStyle; }

LRESULT SetColour(ListItems& list, COLORREF ListState::*colour, LPARAM lParam)
{
    list.s->*colour = static_cast<COLORREF>(lParam);
    list.t->ApplyLook();
    return TRUE;
}

LRESULT OnSetBkColor(ListItems& list, WPARAM, LPARAM lParam) { return SetColour(list, &ListState::bkColor, lParam); }
LRESULT OnGetBkColor(ListItems& list, WPARAM, LPARAM) { return list.s->bkColor; }
LRESULT OnSetTextColor(ListItems& list, WPARAM, LPARAM lParam) { return SetColour(list, &ListState::textColor, lParam); }
LRESULT OnGetTextColor(ListItems& list, WPARAM, LPARAM) { return list.s->textColor; }
LRESULT OnSetTextBkColor(ListItems& list, WPARAM, LPARAM lParam)
{
    return SetColour(list, &ListState::textBkColor, lParam);
}
LRESULT OnGetTextBkColor(ListItems& list, WPARAM, LPARAM) { return list.s->textBkColor; }

const MessageHandler<ListItems> kListMessages[] = {
    {WM_CREATE, OnCreate},
    {WM_SIZE, OnSize},
    {WM_SETFONT, OnSetFont},
    {WM_PAINT, OnPaint},
    {WM_GETDLGCODE, OnGetDlgCode},
    {WM_KEYDOWN, OnKeyDown},
    {WM_NOTIFY, OnNotify},
    {LVM_GETHEADER, OnGetHeader},
    {LVM_INSERTCOLUMN, OnInsertColumn},
    {LVM_DELETECOLUMN, OnDeleteColumn},
    {LVM_GETCOLUMNWIDTH, OnGetColumnWidth},
    {LVM_SETCOLUMNWIDTH, OnSetColumnWidth},
    {LVM_GETCOLUMN, OnGetColumn},
    {LVM_SETCOLUMN, OnSetColumn},
    {LVM_INSERTITEM, OnInsertItem},
    {LVM_SETITEM, OnSetItem},
    {LVM_GETITEM, OnGetItem},
    {LVM_SETITEMTEXT, OnSetItemText},
    {LVM_GETITEMTEXT, OnGetItemText},
    {LVM_GETITEMCOUNT, OnGetItemCount},
    {LVM_DELETEITEM, OnDeleteItem},
    {LVM_DELETEALLITEMS, OnDeleteAllItems},
    {LVM_SORTITEMS, OnSortItems},
    {LVM_FINDITEM, OnFindItem},
    {LVM_SETITEMSTATE, OnSetItemState},
    {LVM_GETITEMSTATE, OnGetItemState},
    {LVM_GETNEXTITEM, OnGetNextItem},
    {LVM_GETSELECTIONMARK, OnGetSelectionMark},
    {LVM_SETSELECTIONMARK, OnSetSelectionMark},
    {LVM_GETSELECTEDCOUNT, OnGetSelectedCount},
    {LVM_ENSUREVISIBLE, OnEnsureVisible},
    {LVM_REDRAWITEMS, OnRedrawItems},
    {LVM_GETTOPINDEX, OnGetTopIndex},
    {LVM_GETCOUNTPERPAGE, OnGetCountPerPage},
    {LVM_SETEXTENDEDLISTVIEWSTYLE, OnSetExtendedStyle},
    {LVM_GETEXTENDEDLISTVIEWSTYLE, OnGetExtendedStyle},
    {LVM_SETBKCOLOR, OnSetBkColor},
    {LVM_GETBKCOLOR, OnGetBkColor},
    {LVM_SETTEXTCOLOR, OnSetTextColor},
    {LVM_GETTEXTCOLOR, OnGetTextColor},
    {LVM_SETTEXTBKCOLOR, OnSetTextBkColor},
    {LVM_GETTEXTBKCOLOR, OnGetTextBkColor},
};

}  // namespace

LRESULT ListViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Handle(kListMessages, hwnd, message, wParam, lParam);
}

}  // namespace platform
