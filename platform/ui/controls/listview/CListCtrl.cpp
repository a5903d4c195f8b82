#include "platform/ui/controls/listview/CListCtrl.h"

#include "platform/ui/ControlText.h"
#include "platform/ui/controls/listview/ListViewWidget.h"
#include "platform/ui/WinApi.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTreeWidget>

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

using platform::ListState;

namespace {

constexpr int kDataRole = Qt::UserRole;

QString FromWide(LPCWSTR text)
{
    return text != LPSTR_TEXTCALLBACK ? platform::FromWide(text) : QString();
}

Qt::Alignment AlignmentOf(int fmt)
{
    switch (fmt & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT: return Qt::AlignRight | Qt::AlignVCenter;
    case LVCFMT_CENTER: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

int FormatOf(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignRight)
        return LVCFMT_RIGHT;
    if (alignment & Qt::AlignHCenter)
        return LVCFMT_CENTER;
    return LVCFMT_LEFT;
}

template <class F>
auto Quietly(ListState& state, F&& change)
{
    return platform::ChangeByCode(state.internal, std::forward<F>(change));
}

LRESULT CopyOut(const QString& text, LPWSTR buffer, int max) { return platform::CopyText(text, buffer, max); }

class List {
public:
    List(QTreeWidget* tree, ListState* state) : t(tree), s(state) {}
    QTreeWidget* t;
    ListState* s;

    int Count() const { return t->topLevelItemCount(); }
    int Columns() const { return t->columnCount(); }
    QTreeWidgetItem* Item(int i) const { return (i >= 0 && i < Count()) ? t->topLevelItem(i) : nullptr; }

    void SetText(QTreeWidgetItem* item, int column, const QString& text)
    {
        if (column < 0 || column >= std::max(1, Columns()))
            return;
        item->setText(column, text);
        item->setTextAlignment(column, Qt::Alignment(t->headerItem()->textAlignment(column)));
    }

    UINT State(int i, UINT mask) const
    {
        QTreeWidgetItem* item = Item(i);
        if (!item)
            return 0;
        UINT state = 0;
        if (item->isSelected())
            state |= LVIS_SELECTED;
        if (t->currentItem() == item)
            state |= LVIS_FOCUSED;
        return state & mask;
    }

    void SetState(int i, UINT state, UINT mask)
    {
        QTreeWidgetItem* item = Item(i);
        if (!item)
            return;
        const QModelIndex index = t->model()->index(i, 0);
        if (mask & LVIS_FOCUSED) {
            if (state & LVIS_FOCUSED)
                t->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
            else if (t->currentItem() == item)
                t->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        }
        if (mask & LVIS_SELECTED) {
            if ((state & LVIS_SELECTED) && t->selectionMode() == QAbstractItemView::SingleSelection)
                t->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            else
                t->selectionModel()->select(index, ((state & LVIS_SELECTED) ? QItemSelectionModel::Select
                                                                            : QItemSelectionModel::Deselect) |
                                                       QItemSelectionModel::Rows);
        }
    }

    void Apply(QTreeWidgetItem* item, int i, const LVITEM& lv)
    {
        if (lv.mask & LVIF_TEXT)
            SetText(item, lv.iSubItem, FromWide(lv.pszText));
        if ((lv.mask & LVIF_PARAM) && lv.iSubItem == 0)
            item->setData(0, kDataRole, QVariant::fromValue<qlonglong>(lv.lParam));
        if ((lv.mask & LVIF_STATE) && lv.iSubItem == 0)
            SetState(i, lv.state, lv.stateMask);
    }

    // Moves the texts of columns at..end one place (right for +1, left for -1).
    void ShiftColumns(int at, int by)
    {
        const int n = Columns();
        auto shift = [&](QTreeWidgetItem* item) {
            if (by > 0) {
                for (int c = n - 1; c > at; --c) {
                    item->setText(c, item->text(c - 1));
                    item->setTextAlignment(c, Qt::Alignment(item->textAlignment(c - 1)));
                }
                item->setText(at, QString());
            } else {
                for (int c = at; c < n - 1; ++c) {
                    item->setText(c, item->text(c + 1));
                    item->setTextAlignment(c, Qt::Alignment(item->textAlignment(c + 1)));
                }
            }
        };
        shift(t->headerItem());
        for (int i = 0; i < Count(); ++i)
            shift(t->topLevelItem(i));
    }

    int InsertColumn(int at, const LVCOLUMN& col)
    {
        const int n = Columns();
        at = std::clamp(at, 0, n);
        std::vector<int> widths;
        for (int c = 0; c < n; ++c)
            widths.push_back(t->columnWidth(c));
        t->setColumnCount(n + 1);
        ShiftColumns(at, +1);
        widths.insert(widths.begin() + at, (col.mask & LVCF_WIDTH) && col.cx >= 0 ? col.cx : 60);
        for (int c = 0; c <= n; ++c)
            t->setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
        QTreeWidgetItem* header = t->headerItem();
        header->setText(at, (col.mask & LVCF_TEXT) ? FromWide(col.pszText) : QString());
        header->setTextAlignment(at, AlignmentOf((col.mask & LVCF_FMT) ? col.fmt : LVCFMT_LEFT));
        return at;
    }

    bool DeleteColumn(int at)
    {
        const int n = Columns();
        if (at < 0 || at >= n)
            return false;
        std::vector<int> widths;
        for (int c = 0; c < n; ++c)
            widths.push_back(t->columnWidth(c));
        widths.erase(widths.begin() + at);
        ShiftColumns(at, -1);
        t->setColumnCount(n - 1);
        for (int c = 0; c < n - 1; ++c)
            t->setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
        return true;
    }

    int Next(int start, UINT flags) const
    {
        for (int i = std::max(0, start + 1); i < Count(); ++i) {
            if ((flags & LVNI_SELECTED) && !Item(i)->isSelected())
                continue;
            if ((flags & LVNI_FOCUSED) && t->currentItem() != Item(i))
                continue;
            return i;
        }
        return -1;
    }

    int Find(int start, const LVFINDINFO& info) const
    {
        const int n = Count();
        const QString text = FromWide(info.psz);
        auto matches = [&](int i) {
            QTreeWidgetItem* item = Item(i);
            if (info.flags & LVFI_PARAM)
                return item->data(0, kDataRole).toLongLong() == info.lParam;
            if (info.flags & LVFI_PARTIAL)
                return item->text(0).startsWith(text, Qt::CaseInsensitive);
            return item->text(0).compare(text, Qt::CaseInsensitive) == 0;
        };
        const int first = (start < 0 || start >= n) ? 0 : start + 1;
        for (int i = first; i < n; ++i)
            if (matches(i))
                return i;
        if (info.flags & LVFI_WRAP)
            for (int i = 0; i < std::min(first, n); ++i)
                if (matches(i))
                    return i;
        return -1;
    }

    bool Sort(PFNLVCOMPARE compare, LPARAM data)
    {
        if (!compare)
            return false;
        QTreeWidgetItem* current = t->currentItem();
        std::vector<std::pair<QTreeWidgetItem*, bool>> items;
        for (int i = 0; i < Count(); ++i)
            items.emplace_back(t->topLevelItem(i), t->topLevelItem(i)->isSelected());
        std::stable_sort(items.begin(), items.end(), [&](const auto& a, const auto& b) {
            return compare(static_cast<LPARAM>(a.first->data(0, kDataRole).toLongLong()),
                           static_cast<LPARAM>(b.first->data(0, kDataRole).toLongLong()), data) < 0;
        });
        while (t->topLevelItemCount() > 0)
            t->takeTopLevelItem(0);
        for (auto& [item, selected] : items)
            t->addTopLevelItem(item);
        for (auto& [item, selected] : items)
            item->setSelected(selected);
        if (current)
            t->selectionModel()->setCurrentIndex(t->indexFromItem(current), QItemSelectionModel::NoUpdate);
        return true;
    }
};

HWND EnsureHeader(HWND list, ListState& state, QTreeWidget* tree)
{
    if (state.header && ::IsWindow(state.header))
        return state.header;
    const int height = tree->header()->sizeHint().height();
    state.header = ::CreateWindowEx(0, WC_HEADER, u"", WS_CHILD | WS_VISIBLE, 0, 0, tree->width(), height, list,
                                    nullptr, nullptr, nullptr);
    return state.header;
}

}  // namespace

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_LISTVIEW, u"", dwStyle, rect, pParentWnd, nID);
}

LRESULT CListCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    platform::Window* w = platform::LookupWindow(m_hWnd);
    auto* tree = w ? qobject_cast<QTreeWidget*>(w->widget.data()) : nullptr;
    ListState* state = platform::GetControlData<ListState>(m_hWnd);
    if (!tree || !state)
        return CWnd::DefWindowProc(message, wParam, lParam);
    List list(tree, state);
    const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    switch (message) {
    case WM_CREATE: {
        const LRESULT result = CWnd::DefWindowProc(message, wParam, lParam);
        EnsureHeader(m_hWnd, *state, tree);
        return result;
    }
    case LVM_GETHEADER:
        return reinterpret_cast<LRESULT>(EnsureHeader(m_hWnd, *state, tree));
    case LVM_INSERTCOLUMN: {
        const auto* col = reinterpret_cast<const LVCOLUMN*>(lParam);
        return col ? list.InsertColumn(index, *col) : -1;
    }
    case LVM_DELETECOLUMN:
        return list.DeleteColumn(index) ? TRUE : FALSE;
    case LVM_GETCOLUMNWIDTH:
        return (index >= 0 && index < list.Columns()) ? tree->columnWidth(index) : 0;
    case LVM_SETCOLUMNWIDTH: {
        if (index < 0 || index >= list.Columns())
            return FALSE;
        int cx = static_cast<SHORT>(LOWORD(lParam));
        if (cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER) {
            tree->resizeColumnToContents(index);
            cx = tree->columnWidth(index);
        }
        tree->setColumnWidth(index, std::max(0, cx));
        return TRUE;
    }
    case LVM_GETCOLUMN: {
        auto* col = reinterpret_cast<LVCOLUMN*>(lParam);
        if (!col || index < 0 || index >= list.Columns())
            return FALSE;
        if (col->mask & LVCF_FMT)
            col->fmt = FormatOf(Qt::Alignment(tree->headerItem()->textAlignment(index)));
        if (col->mask & LVCF_WIDTH)
            col->cx = tree->columnWidth(index);
        if (col->mask & LVCF_TEXT)
            CopyOut(tree->headerItem()->text(index), col->pszText, col->cchTextMax);
        if (col->mask & LVCF_SUBITEM)
            col->iSubItem = index;
        return TRUE;
    }
    case LVM_SETCOLUMN: {
        const auto* col = reinterpret_cast<const LVCOLUMN*>(lParam);
        if (!col || index < 0 || index >= list.Columns())
            return FALSE;
        if (col->mask & LVCF_FMT)
            tree->headerItem()->setTextAlignment(index, AlignmentOf(col->fmt));
        if (col->mask & LVCF_WIDTH)
            tree->setColumnWidth(index, std::max(0, col->cx));
        if (col->mask & LVCF_TEXT)
            tree->headerItem()->setText(index, FromWide(col->pszText));
        return TRUE;
    }
    case LVM_INSERTITEM: {
        const auto* lv = reinterpret_cast<const LVITEM*>(lParam);
        if (!lv || lv->iSubItem != 0)
            return -1;
        const int at = std::clamp(lv->iItem, 0, list.Count());
        auto* item = new QTreeWidgetItem;
        item->setData(0, kDataRole, QVariant::fromValue<qlonglong>(0));
        Quietly(*state, [&] {
            tree->insertTopLevelItem(at, item);
            return 0;
        });
        if (state->selectionMark >= at)
            ++state->selectionMark;
        list.Apply(item, at, *lv);
        return at;
    }
    case LVM_SETITEM: {
        const auto* lv = reinterpret_cast<const LVITEM*>(lParam);
        QTreeWidgetItem* item = lv ? list.Item(lv->iItem) : nullptr;
        if (!item)
            return FALSE;
        list.Apply(item, lv->iItem, *lv);
        return TRUE;
    }
    case LVM_GETITEM: {
        auto* lv = reinterpret_cast<LVITEM*>(lParam);
        QTreeWidgetItem* item = lv ? list.Item(lv->iItem) : nullptr;
        if (!item)
            return FALSE;
        if (lv->mask & LVIF_TEXT)
            CopyOut(item->text(lv->iSubItem), lv->pszText, lv->cchTextMax);
        if (lv->mask & LVIF_PARAM)
            lv->lParam = static_cast<LPARAM>(item->data(0, kDataRole).toLongLong());
        if (lv->mask & LVIF_STATE)
            lv->state = list.State(lv->iItem, lv->stateMask);
        return TRUE;
    }
    case LVM_SETITEMTEXT: {
        const auto* lv = reinterpret_cast<const LVITEM*>(lParam);
        QTreeWidgetItem* item = list.Item(index);
        if (!lv || !item || lv->iSubItem < 0 || lv->iSubItem >= std::max(1, list.Columns()))
            return FALSE;
        list.SetText(item, lv->iSubItem, FromWide(lv->pszText));
        return TRUE;
    }
    case LVM_GETITEMTEXT: {
        auto* lv = reinterpret_cast<LVITEM*>(lParam);
        QTreeWidgetItem* item = list.Item(index);
        if (!lv)
            return 0;
        return CopyOut(item ? item->text(lv->iSubItem) : QString(), lv->pszText, lv->cchTextMax);
    }
    case LVM_SETITEMSTATE: {
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
    case LVM_GETITEMSTATE:
        return list.State(index, static_cast<UINT>(lParam));
    case LVM_GETNEXTITEM:
        return list.Next(index, LOWORD(lParam));
    case LVM_GETSELECTIONMARK:
        return state->selectionMark;
    case LVM_SETSELECTIONMARK: {
        const int old = state->selectionMark;
        state->selectionMark = static_cast<int>(lParam);
        return old;
    }
    case LVM_GETSELECTEDCOUNT:
        return static_cast<LRESULT>(tree->selectionModel()->selectedRows().size());
    case LVM_DELETEITEM: {
        if (!list.Item(index))
            return FALSE;
        platform::NotifyList(m_hWnd, LVN_DELETEITEM, index, 0);
        if (!::IsWindow(m_hWnd) || !list.Item(index))
            return FALSE;
        Quietly(*state, [&] {
            delete tree->takeTopLevelItem(index);
            return 0;
        });
        if (state->selectionMark == index)
            state->selectionMark = -1;
        else if (state->selectionMark > index)
            --state->selectionMark;
        return TRUE;
    }
    case LVM_DELETEALLITEMS:
        platform::NotifyList(m_hWnd, LVN_DELETEALLITEMS, -1, 0);
        if (!::IsWindow(m_hWnd))
            return FALSE;
        Quietly(*state, [&] {
            tree->clear();
            return 0;
        });
        state->selectionMark = -1;
        return TRUE;
    case LVM_GETITEMCOUNT:
        return list.Count();
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        const DWORD old = state->extendedStyle;
        const DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
        state->extendedStyle = (old & ~mask) | (static_cast<DWORD>(lParam) & mask);
        tree->setAllColumnsShowFocus(true);
        return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return state->extendedStyle;
    case LVM_FINDITEM: {
        const auto* info = reinterpret_cast<const LVFINDINFO*>(lParam);
        return info ? list.Find(index, *info) : -1;
    }
    case LVM_ENSUREVISIBLE:
        if (QTreeWidgetItem* item = list.Item(index)) {
            tree->scrollToItem(item);
            return TRUE;
        }
        return FALSE;
    case LVM_REDRAWITEMS:
        tree->viewport()->update();
        return TRUE;
    case LVM_GETTOPINDEX: {
        const QModelIndex top = tree->indexAt(QPoint(1, 1));
        return top.isValid() ? top.row() : 0;
    }
    case LVM_GETCOUNTPERPAGE: {
        const int row = list.Count() > 0 ? tree->visualItemRect(tree->topLevelItem(0)).height() : 0;
        const int rowHeight = row > 0 ? row : tree->fontMetrics().height() + 2;
        return tree->viewport()->height() / rowHeight;
    }
    case LVM_SORTITEMS:
        return Quietly(*state, [&] { return list.Sort(reinterpret_cast<PFNLVCOMPARE>(lParam), static_cast<LPARAM>(wParam)); })
                   ? TRUE
                   : FALSE;
    case LVM_SETBKCOLOR:
    case LVM_SETTEXTCOLOR:
    case LVM_SETTEXTBKCOLOR:
        return TRUE;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

// --- members -----------------------------------------------------------------------

namespace {
WPARAM W(int i) { return static_cast<WPARAM>(static_cast<std::intptr_t>(i)); }
template <class T>
LPARAM P(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}
}  // namespace

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn)
{
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMN, W(nCol), P(pColumn)));
}

int CListCtrl::InsertColumn(int nCol, LPCWSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMN col{};
    col.mask = LVCF_TEXT | LVCF_FMT;
    col.fmt = nFormat;
    col.pszText = const_cast<LPWSTR>(lpszColumnHeading);
    if (nWidth != -1) {
        col.mask |= LVCF_WIDTH;
        col.cx = nWidth;
    }
    if (nSubItem != -1) {
        col.mask |= LVCF_SUBITEM;
        col.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &col);
}

BOOL CListCtrl::DeleteColumn(int nCol) { return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, W(nCol))); }
int CListCtrl::GetColumnWidth(int nCol) const { return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, W(nCol))); }
BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, W(nCol), MAKELPARAM(cx, 0)));
}
BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const
{
    return static_cast<BOOL>(SendMessage(LVM_GETCOLUMN, W(nCol), P(pColumn)));
}
BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn)
{
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMN, W(nCol), P(pColumn)));
}
int CListCtrl::InsertItem(const LVITEM* pItem) { return static_cast<int>(SendMessage(LVM_INSERTITEM, 0, P(pItem))); }
int CListCtrl::InsertItem(int nItem, LPCWSTR lpszItem)
{
    return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}
int CListCtrl::InsertItem(UINT nMask, int nItem, LPCWSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam)
{
    LVITEM item{};
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}
BOOL CListCtrl::GetItem(LVITEM* pItem) const { return static_cast<BOOL>(SendMessage(LVM_GETITEM, 0, P(pItem))); }
BOOL CListCtrl::SetItem(const LVITEM* pItem) { return static_cast<BOOL>(SendMessage(LVM_SETITEM, 0, P(pItem))); }
BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCWSTR lpszText)
{
    LVITEM item{};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPWSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXT, W(nItem), P(&item)));
}
CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    std::vector<WCHAR> buffer(1024);
    GetItemText(nItem, nSubItem, buffer.data(), static_cast<int>(buffer.size()));
    return CString(buffer.data());
}
int CListCtrl::GetItemText(int nItem, int nSubItem, LPWSTR lpszText, int nLen) const
{
    LVITEM item{};
    item.iSubItem = nSubItem;
    item.pszText = lpszText;
    item.cchTextMax = nLen;
    return static_cast<int>(SendMessage(LVM_GETITEMTEXT, W(nItem), P(&item)));
}
BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    LVITEM item{};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return SetItem(&item);
}
DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEM item{};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}
BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEM item{};
    item.state = nState;
    item.stateMask = nMask;
    return SetItemState(nItem, &item);
}
BOOL CListCtrl::SetItemState(int nItem, LVITEM* pItem)
{
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, W(nItem), P(pItem)));
}
UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, W(nItem), nMask));
}
int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, W(nItem), MAKELPARAM(nFlags, 0)));
}
int CListCtrl::GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
int CListCtrl::SetSelectionMark(int iIndex) { return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, iIndex)); }
int CListCtrl::GetSelectedCount() const { return static_cast<int>(SendMessage(LVM_GETSELECTEDCOUNT)); }
BOOL CListCtrl::DeleteItem(int nItem) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, W(nItem))); }
BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(dwNewStyle)));
}
DWORD CListCtrl::GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
int CListCtrl::FindItem(LVFINDINFO* pFindInfo, int nStart) const
{
    return static_cast<int>(SendMessage(LVM_FINDITEM, W(nStart), P(pFindInfo)));
}
BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, W(nItem), bPartialOK));
}
BOOL CListCtrl::RedrawItems(int nFirst, int nLast)
{
    return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, W(nFirst), nLast));
}
int CListCtrl::GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
int CListCtrl::GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    return dynamic_cast<CHeaderCtrl*>(CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER))));
}
BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
{
    return static_cast<BOOL>(SendMessage(LVM_SORTITEMS, dwData, reinterpret_cast<LPARAM>(pfnCompare)));
}
